#include "files.h"

#include "photos.h"
#include "process.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr auto kEveryEntry = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

} // namespace

QString sha1(const QByteArray &bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString place(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    if (!writeFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString writeText(const QString &path, const QByteArray &text) {
    if (!writeFile(path, text))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

bool writeFileNamed(const QString &folder, const QByteArray &name, const QByteArray &bytes) {
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

void removeTree(const QString &root) {
    runProgram(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+rwx"), root});
    runProgram(QStringLiteral("rm"), {QStringLiteral("-rf"), root});
}

QStringList files(const QString &folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QStringList allNames(const QString &folder) {
    return QDir(folder).entryList(kEveryEntry, QDir::Name);
}

QHash<QString, QByteArray> snapshot(const QString &root) {
    QHash<QString, QByteArray> all;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        all.insert(base.relativeFilePath(path), readFile(path));
    }
    return all;
}

QStringList describeTree(const QString &root, const QList<int> &seeds) {
    QHash<QByteArray, int> known;
    for (int seed : seeds)
        known.insert(photoBytes(seed), seed);

    QStringList lines;
    QDirIterator it(root, kEveryEntry, QDirIterator::Subdirectories);
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
            lines.append(relative + QStringLiteral("=bytes:") + sha1(bytes));
    }
    lines.sort();
    return lines;
}

QStringList fingerprintTree(const QString &root) {
    QStringList lines;
    QDirIterator it(root, kEveryEntry, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString hash =
            QFileInfo(path).isDir() ? QStringLiteral("folder") : sha1(readFile(path));
        lines.append(base.relativeFilePath(path) + u'=' + hash);
    }
    lines.sort();
    return lines;
}

} // namespace testsupport
