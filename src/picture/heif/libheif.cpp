#include "libheif.h"

#include <QLoggingCategory>
#include <dlfcn.h>
#include <optional>

namespace pelmora {

namespace {

Q_LOGGING_CATEGORY(lcHeifLoad, "qt.gui.imageio.heif")

template <typename Function> bool resolve(void *library, const char *name, Function &function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

#define PELMORA_RESOLVE(name) resolve(library, #name, api.name)

// Never unloaded: libheif's decoders may keep threads and caches of their own until the end.
std::optional<LibHeif> load() {
    void *library = ::dlopen(PELMORA_LIBHEIF_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qCWarning(lcHeifLoad, "cannot load %s: %s", PELMORA_LIBHEIF_SONAME, ::dlerror());
        return std::nullopt;
    }
    LibHeif api;
    const bool complete =
        PELMORA_RESOLVE(heif_init) && PELMORA_RESOLVE(heif_context_alloc) &&
        PELMORA_RESOLVE(heif_context_free) &&
        PELMORA_RESOLVE(heif_context_set_max_decoding_threads) &&
        PELMORA_RESOLVE(heif_context_read_from_memory_without_copy) &&
        PELMORA_RESOLVE(heif_context_get_primary_image_handle) &&
        PELMORA_RESOLVE(heif_image_handle_release) &&
        PELMORA_RESOLVE(heif_image_handle_get_width) &&
        PELMORA_RESOLVE(heif_image_handle_get_height) &&
        PELMORA_RESOLVE(heif_image_handle_has_alpha_channel) &&
        PELMORA_RESOLVE(heif_image_handle_is_premultiplied_alpha) &&
        PELMORA_RESOLVE(heif_image_handle_get_color_profile_type) &&
        PELMORA_RESOLVE(heif_image_handle_get_raw_color_profile_size) &&
        PELMORA_RESOLVE(heif_image_handle_get_raw_color_profile) &&
        PELMORA_RESOLVE(heif_image_handle_get_number_of_thumbnails) &&
        PELMORA_RESOLVE(heif_image_handle_get_list_of_thumbnail_IDs) &&
        PELMORA_RESOLVE(heif_image_handle_get_thumbnail) &&
        PELMORA_RESOLVE(heif_decoding_options_alloc) &&
        PELMORA_RESOLVE(heif_decoding_options_free) && PELMORA_RESOLVE(heif_decode_image) &&
        PELMORA_RESOLVE(heif_image_release) && PELMORA_RESOLVE(heif_image_get_plane_readonly) &&
        PELMORA_RESOLVE(heif_image_get_width) && PELMORA_RESOLVE(heif_image_get_height);
    if (!complete) {
        qCWarning(lcHeifLoad, "%s lacks a function: %s", PELMORA_LIBHEIF_SONAME, ::dlerror());
        return std::nullopt;
    }
    // libheif registers its decoders on first use unless told to beforehand; photos are decoded
    // on several threads at once, so that happens once, here.
    if (api.heif_init(nullptr).code != heif_error_Ok) {
        qCWarning(lcHeifLoad, "%s could not start", PELMORA_LIBHEIF_SONAME);
        return std::nullopt;
    }
    return api;
}

#undef PELMORA_RESOLVE

} // namespace

const LibHeif *libHeif() {
    static const std::optional<LibHeif> loaded = load();
    return loaded ? &*loaded : nullptr;
}

} // namespace pelmora
