#pragma once

// Photos, damaged photos and checks shared by the bad-input and fault tests: what matters is that
// no original changes and that every file under a photo's name is whole.

#include "testfiles.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <unistd.h>

namespace reliability {

// A photo-like JPEG whose bytes depend on seed.
inline QByteArray photoBytes(int seed, QSize size = QSize(320, 240), int quality = 90) {
    return testfiles::jpegBytes(seed, size, quality);
}

using testfiles::readFile;
using testfiles::writeFile;

// The JPEG cut off in the middle of its picture data.
inline QByteArray truncatedJpeg(const QByteArray &jpeg) {
    return jpeg.left(jpeg.size() / 2);
}

// The JPEG with bytes of its entropy-coded data inverted, markers and stuffing left alone.
inline QByteArray corruptJpeg(QByteArray jpeg) {
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    if (scan < 0)
        return {};
    const qsizetype data = scan + 2 + (uchar(jpeg[scan + 2]) << 8 | uchar(jpeg[scan + 3]));
    const qsizetype end = jpeg.size() - 2;
    for (qsizetype i = data + (end - data) / 4; i < end - (end - data) / 4; i += 5) {
        const uchar b = uchar(jpeg[i]);
        if (b != 0xFF && b != 0x00 && uchar(jpeg[i - 1]) != 0xFF)
            jpeg[i] = char(~b);
    }
    return jpeg;
}

inline quint32 crc32(const QByteArray &bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray pngChunk(const char *type, const QByteArray &payload) {
    QByteArray length(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), length.data());
    const QByteArray typed = QByteArray(type, 4) + payload;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32(typed), crc.data());
    return length + typed + crc;
}

// A well-formed PNG that declares width x height RGB pixels and carries a few bytes of data.
inline QByteArray hugePng(quint32 width = 65535, quint32 height = 65535) {
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(width, header.data());
    qToBigEndian<quint32>(height, header.data() + 4);
    header[8] = 8;                                                  // bit depth
    header[9] = 2;                                                  // RGB
    const QByteArray zlib = qCompress(QByteArray(64, '\0')).mid(4); // qCompress adds a length
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", {});
}

// Whether the file is a JPEG written to its end (start and end of image markers) that decodes
// to the given size; an empty size accepts any.
inline bool isCompleteJpeg(const QString &path, QSize size = QSize()) {
    const QByteArray bytes = readFile(path);
    if (!bytes.startsWith("\xFF\xD8") || !bytes.endsWith("\xFF\xD9"))
        return false;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    if (reader.format() != "jpeg")
        return false;
    const QImage image = reader.read();
    return !image.isNull() && (size.isEmpty() || image.size() == size);
}

// Every file below root with its bytes, by relative path.
inline QHash<QString, QByteArray> snapshot(const QString &root) {
    QHash<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(base.relativeFilePath(path), readFile(path));
    }
    return files;
}

// The names of every entry in a folder, hidden ones included.
inline QStringList allNames(const QString &folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

inline bool isRoot() {
    return geteuid() == 0;
}

struct Run {
    int exitCode = -1; // -1: crashed or did not finish
    QString out;
    QString err;
};

inline QString app() {
    return qEnvironmentVariable("PELMORA_APP");
}

inline Run runProgram(const QString &program, const QStringList &arguments,
                      int timeoutMs = 300000) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Whether this process may make a private mount namespace (root, with unshare at hand).
inline QString mountNamespaceUnavailable() {
    if (!isRoot())
        return QStringLiteral("needs root for a private mount namespace");
    const Run probe = runProgram(QStringLiteral("unshare"),
                                 {QStringLiteral("-m"), QStringLiteral("true")}, 30000);
    if (probe.exitCode != 0)
        return QStringLiteral("unshare -m does not work here: ") + probe.err.trimmed();
    return {};
}

} // namespace reliability
