#include "heifpicture.h"

#include "libheif.h"

#include <QColorSpace>
#include <QImageReader>
#include <QLoggingCategory>
#include <QThread>
#include <memory>
#include <vector>

namespace pelmora {

namespace {

Q_LOGGING_CATEGORY(lcHeif, "qt.gui.imageio.heif")

// Loaded by the time any of these helpers runs: HeifFile::open loads it first.
const LibHeif &heif() {
    return *libHeif();
}

using Handle = std::unique_ptr<heif_image_handle, HeifRelease>;

QSize handleSize(const heif_image_handle *handle) {
    return QSize(heif().heif_image_handle_get_width(handle),
                 heif().heif_image_handle_get_height(handle));
}

// libheif's decoded copy and the QImage made from it are both held at once.
bool withinAllocationLimit(QSize size) {
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limit <= 0 || qint64(size.width()) * size.height() * 8 <= limit;
}

QImage decodeHandle(heif_image_handle *handle) {
    const QSize size = handleSize(handle);
    if (size.isEmpty() || !withinAllocationLimit(size))
        return {};
    const bool alpha = heif().heif_image_handle_has_alpha_channel(handle) != 0;
    const std::unique_ptr<heif_decoding_options, HeifRelease> options(
        heif().heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error error = heif().heif_decode_image(
        handle, &decoded, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const std::unique_ptr<heif_image, HeifRelease> image(decoded);
    if (error.code != heif_error_Ok || !image) {
        qCWarning(lcHeif, "%s", error.message);
        return {};
    }
    int stride = 0;
    const uint8_t *pixels =
        heif().heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif().heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif().heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0)
        return {};
    const QImage::Format stored = !alpha ? QImage::Format_RGB888
                                  : heif().heif_image_handle_is_premultiplied_alpha(handle)
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    // The conversion copies the pixels out of libheif's buffer before it is released.
    QImage picture = QImage(pixels, width, height, stride, stored)
                         .convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (picture.isNull())
        return {};

    const heif_color_profile_type profile = heif().heif_image_handle_get_color_profile_type(handle);
    if (profile == heif_color_profile_type_prof || profile == heif_color_profile_type_rICC) {
        QByteArray icc(qsizetype(heif().heif_image_handle_get_raw_color_profile_size(handle)),
                       Qt::Uninitialized);
        if (!icc.isEmpty() &&
            heif().heif_image_handle_get_raw_color_profile(handle, icc.data()).code ==
                heif_error_Ok)
            picture.setColorSpace(QColorSpace::fromIccProfile(icc));
    }
    return picture;
}

// The smallest thumbnail of the primary picture whose sides are both at least `atLeast`.
Handle thumbnailOfAtLeast(heif_image_handle *primary, QSize atLeast) {
    const int count = heif().heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || atLeast.isEmpty())
        return {};
    std::vector<heif_item_id> ids(std::size_t(count), 0);
    heif().heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    for (heif_item_id id : ids) {
        heif_image_handle *thumbnail = nullptr;
        if (heif().heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok)
            continue;
        Handle candidate(thumbnail);
        const QSize size = handleSize(thumbnail);
        if (size.width() < atLeast.width() || size.height() < atLeast.height())
            continue;
        if (!best || qint64(size.width()) * size.height() <
                         qint64(handleSize(best.get()).width()) * handleSize(best.get()).height())
            best = std::move(candidate);
    }
    return best;
}

} // namespace

HeifFile::~HeifFile() {
    if (m_primary)
        heif().heif_image_handle_release(m_primary);
    if (m_context)
        heif().heif_context_free(m_context);
}

bool HeifFile::open(QByteArray bytes) {
    if (m_context)
        return m_primary != nullptr;
    if (!libHeif())
        return false;
    m_bytes = std::move(bytes);
    m_context = heif().heif_context_alloc();
    if (!m_context)
        return false;
    // Tiled pictures (a phone's photo is a grid of tiles) decode their tiles in parallel.
    heif().heif_context_set_max_decoding_threads(m_context, QThread::idealThreadCount());
    if (heif().heif_context_read_from_memory_without_copy(m_context, m_bytes.constData(),
                                                          size_t(m_bytes.size()), nullptr)
                .code != heif_error_Ok ||
        heif().heif_context_get_primary_image_handle(m_context, &m_primary).code != heif_error_Ok) {
        m_primary = nullptr;
        return false;
    }
    return true;
}

QSize HeifFile::size() const {
    return m_primary ? handleSize(m_primary) : QSize();
}

QImage HeifFile::decode(QSize atLeast) const {
    if (!m_primary)
        return {};
    if (const Handle thumbnail = thumbnailOfAtLeast(m_primary, atLeast)) {
        QImage picture = decodeHandle(thumbnail.get());
        if (!picture.isNull())
            return picture;
    }
    return decodeHandle(m_primary);
}

} // namespace pelmora
