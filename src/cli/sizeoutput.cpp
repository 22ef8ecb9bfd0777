#include "sizeoutput.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pelmora {

namespace {

QString whyUnread(const QString &file) {
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("a folder");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    QFile opened(file);
    if (!opened.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read: ") + opened.errorString();
    return QStringLiteral(
        "not a picture of a known format (JPEG, PNG, GIF, BMP, WebP, TIFF, HEIF)");
}

} // namespace

SizeLine readSizeLine(const QString &file) {
    SizeLine line{file, ReadImageSize(file), QString()};
    if (!line.header)
        line.failure = whyUnread(file);
    else if (line.header->format.isEmpty() && !line.header->cameraRaw.isEmpty())
        line.failure =
            QStringLiteral("a camera RAW file (%1) whose picture size pelmora cannot read")
                .arg(line.header->cameraRaw);
    else if (line.header->format.isEmpty())
        line.failure = QStringLiteral("the picture's header is cut short or damaged");
    return line;
}

std::optional<QString> sizeFormatFault(const QString &format) {
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%')
            continue;
        if (i + 1 == format.size())
            return QStringLiteral("a lone \"%\" at the end (write %% for a \"%\")");
        const QChar next = format[++i];
        if (next != u'w' && next != u'h' && next != u'f' && next != u'%')
            return QStringLiteral("no placeholder \"%%1\" (there are %w, %h, %f and %%)").arg(next);
    }
    return std::nullopt;
}

QString formatSize(const QString &format, const SizeLine &line) {
    const PicSize size = line.header ? line.header->size : PicSize{};
    QString text;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            text += format[i];
            continue;
        }
        switch (format[++i].unicode()) {
        case u'w':
            text += QString::number(size.Width);
            break;
        case u'h':
            text += QString::number(size.Height);
            break;
        case u'f':
            text += line.file;
            break;
        default:
            text += format[i];
        }
    }
    return text;
}

QByteArray sizesAsJson(const QList<SizeLine> &lines) {
    QJsonArray all;
    for (const SizeLine &line : lines) {
        QJsonObject object{{QStringLiteral("file"), line.file}};
        if (line.failure.isEmpty()) {
            object.insert(QStringLiteral("width"), line.header->size.Width);
            object.insert(QStringLiteral("height"), line.header->size.Height);
            object.insert(QStringLiteral("format"), line.header->format);
        } else {
            object.insert(QStringLiteral("error"), line.failure);
        }
        all.append(object);
    }
    return QJsonDocument(all).toJson(QJsonDocument::Indented);
}

} // namespace pelmora
