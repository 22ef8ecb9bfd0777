// libFuzzer target: the header reader on arbitrary bytes.

#include "fuzzfile.h"
#include "imagesize/imagesize.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzzfile::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::optional<pelmora::ImageHeader> header =
        pelmora::ReadImageSize(fuzzfile::write(data, size));
    if (header) {
        // A header may declare a side of 0, never a negative one.
        if (header->size.Width < 0 || header->size.Height < 0)
            std::abort();
        (void)pelmora::sizeDisplayText(header);
    }
    return 0;
}
