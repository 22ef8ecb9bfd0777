#pragma once

// Real photo files in a test's temporary folder, and a plain description of a whole folder
// tree, so that a test states every file it expects and notices every file it does not.

#include "testfiles.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace conversionfixture {

// A small JPEG whose bytes depend on seed, so that two photos never share their bytes.
inline QByteArray photoBytes(int seed, QSize size = QSize(64, 48)) {
    return testfiles::jpegBytes(seed, size);
}

using testfiles::readFile;
using testfiles::writeFile;

// Every file under root as "relative/path=what": "=photo N" for the bytes of photoBytes(N),
// "=jpeg WxH" for another decodable JPEG, "=bytes:HASH" otherwise; folders as "relative/".
inline QStringList describeTree(const QString &root, const QList<int> &seeds = {1, 2, 3, 4, 5}) {
    QHash<QByteArray, int> known;
    for (int seed : seeds)
        known.insert(photoBytes(seed), seed);

    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        if (QFileInfo(path).isDir()) {
            lines.append(relative + u'/');
            continue;
        }
        const QByteArray bytes = readFile(path);
        if (known.contains(bytes)) {
            lines.append(relative + QStringLiteral("=photo %1").arg(known.value(bytes)));
            continue;
        }
        QImageReader reader(path);
        const QSize size = reader.size();
        if (reader.format() == "jpeg" && size.isValid())
            lines.append(relative +
                         QStringLiteral("=jpeg %1x%2").arg(size.width()).arg(size.height()));
        else
            lines.append(relative + QStringLiteral("=bytes:") +
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    }
    lines.sort();
    return lines;
}

// The same, with the exact bytes of every file, for comparing two runs.
inline QStringList fingerprintTree(const QString &root) {
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString hash =
            QFileInfo(path).isDir()
                ? QStringLiteral("folder")
                : QString::fromLatin1(
                      QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha1).toHex());
        lines.append(base.relativeFilePath(path) + u'=' + hash);
    }
    lines.sort();
    return lines;
}

} // namespace conversionfixture
