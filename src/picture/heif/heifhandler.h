#pragma once

#include <QImageIOHandler>
#include <QSize>
#include <memory>

namespace pelmora {

class HeifFile;

// QImageReader's handler for HEIC and AVIF files, and HEIF files of other codings that libheif
// reads. It reports the upright size and no transformation (the picture comes out of libheif
// upright already), and decodes at a scaled size from the file's own thumbnail when that is
// large enough. libheif is loaded on the first file read (see LibHeif).
class HeifHandler : public QImageIOHandler {
public:
    HeifHandler();
    ~HeifHandler() override;

    // Whether the device's first bytes name a HEIF file (HEIC, AVIF, or a HEIF of another
    // coding); reads nothing from it.
    static bool canRead(QIODevice *device);

    bool canRead() const override;
    bool read(QImage *image) override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant &value) override;
    bool supportsOption(ImageOption option) const override;

private:
    // Reads the device once and the file's structure; false when it is no readable HEIF.
    bool load() const;

    mutable std::unique_ptr<HeifFile> m_file; // null until loaded
    mutable bool m_loadFailed = false;
    QSize m_scaledSize;
};

} // namespace pelmora
