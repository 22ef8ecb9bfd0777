#pragma once

#include <QString>
#include <webp/encode.h>
#include <webp/mux.h>

namespace pelmora {

// The part of libwebp's and libwebpmux's interfaces that the WebP encoder uses, each function
// under its own name. Both are loaded on the first photo written as WebP, not linked: a run that
// writes no WebP never loads them (nor pays for it at start).
struct LibWebp {
    decltype(&::WebPConfigInitInternal) WebPConfigInitInternal = nullptr;
    decltype(&::WebPValidateConfig) WebPValidateConfig = nullptr;
    decltype(&::WebPPictureInitInternal) WebPPictureInitInternal = nullptr;
    decltype(&::WebPPictureImportRGBA) WebPPictureImportRGBA = nullptr;
    decltype(&::WebPPictureImportRGBX) WebPPictureImportRGBX = nullptr;
    decltype(&::WebPPictureFree) WebPPictureFree = nullptr;
    decltype(&::WebPMemoryWriterInit) WebPMemoryWriterInit = nullptr;
    decltype(&::WebPMemoryWrite) WebPMemoryWrite = nullptr;
    decltype(&::WebPMemoryWriterClear) WebPMemoryWriterClear = nullptr;
    decltype(&::WebPEncode) WebPEncode = nullptr;
    decltype(&::WebPFree) WebPFree = nullptr;
    // libwebpmux
    decltype(&::WebPMuxCreateInternal) WebPMuxCreateInternal = nullptr;
    decltype(&::WebPMuxSetChunk) WebPMuxSetChunk = nullptr;
    decltype(&::WebPMuxAssemble) WebPMuxAssemble = nullptr;
    decltype(&::WebPMuxDelete) WebPMuxDelete = nullptr;
};

// libwebp and libwebpmux, loaded once, on the first call from whichever thread; they stay loaded.
// Null when they cannot be loaded; `error` then says why (the loader's words).
const LibWebp *libWebp(QString *error = nullptr);

} // namespace pelmora
