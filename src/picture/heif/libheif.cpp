#include "libheif.h"

#include "librarysymbols.h"

#include <QLoggingCategory>
#include <dlfcn.h>
#include <optional>

namespace pelmora {

namespace {

Q_LOGGING_CATEGORY(lcHeifLoad, "qt.gui.imageio.heif")

#define PELMORA_RESOLVE(name) resolveSymbol(library, #name, api.name)

struct Loaded {
    std::optional<LibHeif> api;
    QString error;
};

Loaded failed(const QString &error) {
    qCWarning(lcHeifLoad, "%s", qUtf8Printable(error));
    return {std::nullopt, error};
}

// Never unloaded: libheif's decoders may keep threads and caches of their own until the end.
Loaded load() {
    void *library = ::dlopen(PELMORA_LIBHEIF_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return failed(QString::fromLocal8Bit(::dlerror()));
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
        PELMORA_RESOLVE(heif_image_get_width) && PELMORA_RESOLVE(heif_image_get_height) &&
        PELMORA_RESOLVE(heif_context_get_encoder_for_format) &&
        PELMORA_RESOLVE(heif_encoder_release) && PELMORA_RESOLVE(heif_encoder_set_lossy_quality) &&
        PELMORA_RESOLVE(heif_encoder_set_logging_level) &&
        PELMORA_RESOLVE(heif_encoder_set_parameter) && PELMORA_RESOLVE(heif_image_create) &&
        PELMORA_RESOLVE(heif_image_add_plane) && PELMORA_RESOLVE(heif_image_get_plane) &&
        PELMORA_RESOLVE(heif_image_set_raw_color_profile) &&
        PELMORA_RESOLVE(heif_encoding_options_alloc) &&
        PELMORA_RESOLVE(heif_encoding_options_free) && PELMORA_RESOLVE(heif_context_encode_image) &&
        PELMORA_RESOLVE(heif_context_add_exif_metadata) &&
        PELMORA_RESOLVE(heif_context_add_XMP_metadata) && PELMORA_RESOLVE(heif_context_write);
    if (!complete)
        return failed(QString::fromLocal8Bit(::dlerror()));
    // libheif registers its decoders on first use unless told to beforehand; photos are decoded
    // on several threads at once, so that happens once, here.
    if (api.heif_init(nullptr).code != heif_error_Ok)
        return failed(QStringLiteral(PELMORA_LIBHEIF_SONAME " could not start"));
    return {api, {}};
}

#undef PELMORA_RESOLVE

} // namespace

const LibHeif *libHeif(QString *error) {
    static const Loaded loaded = load();
    if (error)
        *error = loaded.error;
    return loaded.api ? &*loaded.api : nullptr;
}

} // namespace pelmora
