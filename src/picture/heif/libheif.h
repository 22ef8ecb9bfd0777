#pragma once

#include <QString>
#include <libheif/heif.h>

namespace pelmora {

// The part of libheif's interface that HeifFile and the HEIF encoder use, each function under its
// own name.
//
// libheif is loaded when the first HEIF file is read, not linked into the program: with the
// codec libraries it brings (libde265, x265, aom, dav1d) it took several milliseconds of every
// start, also of the many runs that never meet a HEIF file (`pelmora size photo.jpg`).
struct LibHeif {
    decltype(&::heif_init) heif_init = nullptr;
    decltype(&::heif_context_alloc) heif_context_alloc = nullptr;
    decltype(&::heif_context_free) heif_context_free = nullptr;
    decltype(&::heif_context_set_max_decoding_threads) heif_context_set_max_decoding_threads =
        nullptr;
    decltype(&::heif_context_read_from_memory_without_copy)
        heif_context_read_from_memory_without_copy = nullptr;
    decltype(&::heif_context_get_primary_image_handle) heif_context_get_primary_image_handle =
        nullptr;
    decltype(&::heif_image_handle_release) heif_image_handle_release = nullptr;
    decltype(&::heif_image_handle_get_width) heif_image_handle_get_width = nullptr;
    decltype(&::heif_image_handle_get_height) heif_image_handle_get_height = nullptr;
    decltype(&::heif_image_handle_has_alpha_channel) heif_image_handle_has_alpha_channel = nullptr;
    decltype(&::heif_image_handle_is_premultiplied_alpha) heif_image_handle_is_premultiplied_alpha =
        nullptr;
    decltype(&::heif_image_handle_get_color_profile_type) heif_image_handle_get_color_profile_type =
        nullptr;
    decltype(&::heif_image_handle_get_raw_color_profile_size)
        heif_image_handle_get_raw_color_profile_size = nullptr;
    decltype(&::heif_image_handle_get_raw_color_profile) heif_image_handle_get_raw_color_profile =
        nullptr;
    decltype(&::heif_image_handle_get_number_of_thumbnails)
        heif_image_handle_get_number_of_thumbnails = nullptr;
    decltype(&::heif_image_handle_get_list_of_thumbnail_IDs)
        heif_image_handle_get_list_of_thumbnail_IDs = nullptr;
    decltype(&::heif_image_handle_get_thumbnail) heif_image_handle_get_thumbnail = nullptr;
    decltype(&::heif_decoding_options_alloc) heif_decoding_options_alloc = nullptr;
    decltype(&::heif_decoding_options_free) heif_decoding_options_free = nullptr;
    decltype(&::heif_decode_image) heif_decode_image = nullptr;
    decltype(&::heif_image_release) heif_image_release = nullptr;
    decltype(&::heif_image_get_plane_readonly) heif_image_get_plane_readonly = nullptr;
    decltype(&::heif_image_get_width) heif_image_get_width = nullptr;
    decltype(&::heif_image_get_height) heif_image_get_height = nullptr;

    // Encoding (HeifEncoder)
    decltype(&::heif_context_get_encoder_for_format) heif_context_get_encoder_for_format = nullptr;
    decltype(&::heif_encoder_release) heif_encoder_release = nullptr;
    decltype(&::heif_encoder_set_lossy_quality) heif_encoder_set_lossy_quality = nullptr;
    decltype(&::heif_encoder_set_logging_level) heif_encoder_set_logging_level = nullptr;
    decltype(&::heif_encoder_set_parameter) heif_encoder_set_parameter = nullptr;
    decltype(&::heif_image_create) heif_image_create = nullptr;
    decltype(&::heif_image_add_plane) heif_image_add_plane = nullptr;
    decltype(&::heif_image_get_plane) heif_image_get_plane = nullptr;
    decltype(&::heif_image_set_raw_color_profile) heif_image_set_raw_color_profile = nullptr;
    decltype(&::heif_encoding_options_alloc) heif_encoding_options_alloc = nullptr;
    decltype(&::heif_encoding_options_free) heif_encoding_options_free = nullptr;
    decltype(&::heif_context_encode_image) heif_context_encode_image = nullptr;
    decltype(&::heif_context_add_exif_metadata) heif_context_add_exif_metadata = nullptr;
    decltype(&::heif_context_add_XMP_metadata) heif_context_add_XMP_metadata = nullptr;
    decltype(&::heif_context_write) heif_context_write = nullptr;
};

// libheif, loaded and initialised once, on the first call from whichever thread (the first HEIF
// photo read or written); it stays loaded. Null when it cannot be loaded, which is logged once
// (qt.gui.imageio.heif) with the loader's reason; `error` then says it.
const LibHeif *libHeif(QString *error = nullptr);

// What libheif hands out, released through it (for std::unique_ptr); only for objects made after
// libHeif() has loaded it.
struct HeifRelease {
    void operator()(heif_context *context) const { libHeif()->heif_context_free(context); }
    void operator()(heif_image_handle *handle) const {
        libHeif()->heif_image_handle_release(handle);
    }
    void operator()(heif_image *image) const { libHeif()->heif_image_release(image); }
    void operator()(heif_encoder *encoder) const { libHeif()->heif_encoder_release(encoder); }
    void operator()(heif_decoding_options *options) const {
        libHeif()->heif_decoding_options_free(options);
    }
    void operator()(heif_encoding_options *options) const {
        libHeif()->heif_encoding_options_free(options);
    }
};

} // namespace pelmora
