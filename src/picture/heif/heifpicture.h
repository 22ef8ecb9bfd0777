#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

struct heif_context;
struct heif_image_handle;

namespace pelmora {

// A HEIF file (HEIC or AVIF) read through libheif: its primary picture and that picture's
// thumbnails, decoded upright by the file's own transformations (rotation, mirror, crop), which
// libheif applies. The file's EXIF orientation, if it carries one, says the same again and is
// not applied a second time.
class HeifFile {
public:
    HeifFile() = default;
    ~HeifFile();
    HeifFile(const HeifFile &) = delete;
    HeifFile &operator=(const HeifFile &) = delete;

    // Reads the file's structure from its bytes; nothing is decoded yet. False when libheif
    // finds no primary picture in them.
    bool open(QByteArray bytes);

    // The primary picture's upright size.
    QSize size() const;

    // The picture upright, 8 bits a channel (a 10- or 12-bit file is reduced), as RGB32, or as
    // ARGB32 when it carries alpha. The smallest thumbnail whose sides are both at least
    // `atLeast` stands in for the primary picture when there is one; an empty `atLeast` asks
    // for the primary picture. Null when the data cannot be decoded or the picture needs more
    // memory than QImageReader's allocation limit allows.
    QImage decode(QSize atLeast = QSize()) const;

private:
    QByteArray m_bytes; // libheif reads them in place: they live as long as the context
    heif_context *m_context = nullptr;
    heif_image_handle *m_primary = nullptr;
};

} // namespace pelmora
