#pragma once

// Small real pictures written into a test's folder.

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace testimages {

// A picture with a gradient and a dark corner, so that scaling and turning show.
inline QImage picture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(120, 160, 200));
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), size / 4), Qt::black);
    p.end();
    return image;
}

inline QString write(const QString &path, QSize size, const char *format = "JPEG") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!picture(size).save(path, format, 90))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// count photos named p0, p1, ... (zero-padded, so they list in order) in folder.
inline QStringList writeNumbered(const QString &folder, int count, QSize size) {
    const int digits = static_cast<int>(QString::number(count - 1).size());
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths.append(
            write(folder + QStringLiteral("/p%1.jpg").arg(i, digits, 10, QLatin1Char('0')), size));
    return paths;
}

inline QString writeText(const QString &path, const QByteArray &text = "not a picture\n") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QByteArray bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList files(const QString &dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

} // namespace testimages
