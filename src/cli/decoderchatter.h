#pragma once

namespace pelmora {

// Keeps what image decoders print straight to standard error off the command's report (libpng
// prints "libpng error: ..." there itself before Qt learns that a PNG failed): from the call on,
// what a thread writes through C's stderr while it decodes a photo (see DecoderMessages) is
// dropped. The command's own lines, and whatever else any thread writes, pass as before. Call
// once, before any thread decodes and before anything holds on to stderr.
void keepDecoderChatterOffStandardError();

} // namespace pelmora
