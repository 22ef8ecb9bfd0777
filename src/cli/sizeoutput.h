#pragma once

#include "imagesize/imagesize.h"

#include <QString>
#include <optional>

namespace pelmora {

// One file's size as `pelmora size` prints it.
struct SizeLine {
    QString file; // as given, or a folder as given followed by the picture's name
    std::optional<ImageHeader> header;
    QString failure;     // why there is no size; empty when the header was read whole
    bool folder = false; // a folder given that holds no picture: no size to show at all
};

// The size of the file at `file`, or why there is none: missing, unreadable, no picture of a
// known format, or a header recognised but cut short or damaged (read as 0 x 0).
SizeLine readSizeLine(const QString &file);

// Whether a --format text is sound: every "%" is followed by w, h, f or "%". The first fault,
// or nothing.
std::optional<QString> sizeFormatFault(const QString &format);

// A --format text for one file: %w the width, %h the height, %f the file as given, %% a "%".
QString formatSize(const QString &format, const SizeLine &line);

// Every line as one JSON array: {"file", "width", "height", "format"} for a size read,
// {"file", "error"} for a failure.
QByteArray sizesAsJson(const QList<SizeLine> &lines);

} // namespace pelmora
