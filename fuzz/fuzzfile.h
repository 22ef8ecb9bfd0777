#pragma once

// The fuzzers hand each input to the code under test as a real file, as a user's photo would be.

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzzfile {

// The image format plugins (JPEG, GIF, WebP, TIFF) are found through the application's library
// paths, so an application object lives for the whole run.
inline void startApplication() {
    static int argc = 1;
    static char name[] = "pelmora-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Overwrites one file in a private temporary folder with the input; returns its path.
inline QString write(const uint8_t *data, size_t size) {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.jpg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort(); // the fuzzer cannot go on without its file
    return path;
}

} // namespace fuzzfile
