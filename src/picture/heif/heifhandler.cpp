#include "heifhandler.h"

#include "heifpicture.h"
#include "imagesize/heifheader.h"

#include <QIODevice>
#include <QImage>
#include <QVariant>

namespace pelmora {

namespace {

// Enough for the file-type box of any HEIF seen in practice and its list of brands.
constexpr qint64 BrandBytes = 256;

} // namespace

HeifHandler::HeifHandler() = default;
HeifHandler::~HeifHandler() = default;

bool HeifHandler::canRead(QIODevice *device) {
    return device && isHeifFile(device->peek(BrandBytes));
}

bool HeifHandler::canRead() const {
    if (m_file)
        return true;
    if (m_loadFailed || !device())
        return false;
    const QByteArray start = device()->peek(BrandBytes);
    if (!isHeifFile(start))
        return false;
    // A file branded mif1 or msf1 alone names no coding: libheif finds out.
    setFormat(heifFormat(start).value_or(QStringLiteral("heif")).toLatin1());
    return true;
}

bool HeifHandler::load() const {
    if (m_file)
        return true;
    if (m_loadFailed || !canRead())
        return false;
    auto file = std::make_unique<HeifFile>();
    if (!file->open(device()->readAll())) {
        m_loadFailed = true;
        return false;
    }
    m_file = std::move(file);
    return true;
}

bool HeifHandler::read(QImage *image) {
    if (!load())
        return false;
    const bool scaled = m_scaledSize.isValid() && !m_scaledSize.isEmpty();
    QImage picture = m_file->decode(scaled ? m_scaledSize : QSize());
    if (picture.isNull())
        return false;
    if (scaled && picture.size() != m_scaledSize)
        picture = picture.scaled(m_scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    *image = std::move(picture);
    return !image->isNull();
}

QVariant HeifHandler::option(ImageOption option) const {
    if (option == Size && load())
        return m_file->size();
    if (option == ScaledSize)
        return m_scaledSize;
    return {};
}

void HeifHandler::setOption(ImageOption option, const QVariant &value) {
    if (option == ScaledSize)
        m_scaledSize = value.toSize();
}

bool HeifHandler::supportsOption(ImageOption option) const {
    return option == Size || option == ScaledSize;
}

} // namespace pelmora
