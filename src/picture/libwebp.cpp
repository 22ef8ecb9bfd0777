#include "libwebp.h"

#include "picture/heif/librarysymbols.h"

#include <QString>
#include <dlfcn.h>
#include <optional>

namespace pelmora {

namespace {

struct Loaded {
    std::optional<LibWebp> api;
    QString error;
};

#define PELMORA_RESOLVE(library, name) resolveSymbol(library, #name, api.name)

// Never unloaded: a photo may be encoded on any thread at any time.
Loaded load() {
    void *webp = ::dlopen(PELMORA_LIBWEBP_SONAME, RTLD_NOW | RTLD_LOCAL);
    void *mux = webp ? ::dlopen(PELMORA_LIBWEBPMUX_SONAME, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!mux)
        return {std::nullopt, QString::fromLocal8Bit(::dlerror())};
    LibWebp api;
    const bool complete =
        PELMORA_RESOLVE(webp, WebPConfigInitInternal) &&
        PELMORA_RESOLVE(webp, WebPValidateConfig) &&
        PELMORA_RESOLVE(webp, WebPPictureInitInternal) &&
        PELMORA_RESOLVE(webp, WebPPictureImportRGBA) &&
        PELMORA_RESOLVE(webp, WebPPictureImportRGBX) && PELMORA_RESOLVE(webp, WebPPictureFree) &&
        PELMORA_RESOLVE(webp, WebPMemoryWriterInit) && PELMORA_RESOLVE(webp, WebPMemoryWrite) &&
        PELMORA_RESOLVE(webp, WebPMemoryWriterClear) && PELMORA_RESOLVE(webp, WebPEncode) &&
        PELMORA_RESOLVE(webp, WebPFree) && PELMORA_RESOLVE(mux, WebPMuxCreateInternal) &&
        PELMORA_RESOLVE(mux, WebPMuxSetChunk) && PELMORA_RESOLVE(mux, WebPMuxAssemble) &&
        PELMORA_RESOLVE(mux, WebPMuxDelete);
    if (!complete)
        return {std::nullopt, QString::fromLocal8Bit(::dlerror())};
    return {api, {}};
}

#undef PELMORA_RESOLVE

} // namespace

const LibWebp *libWebp(QString *error) {
    static const Loaded loaded = load();
    if (error)
        *error = loaded.error;
    return loaded.api ? &*loaded.api : nullptr;
}

} // namespace pelmora
