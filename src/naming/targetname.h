#pragma once

#include <QString>

namespace pelmora {

// The naming fields as typed: title, running number and extension (without its dot).
struct NamePattern {
    QString title;
    QString number;
    QString extension;
};

// The extension of a file name with its dot: the text from the last "." on, or nothing.
QString extensionWithDot(const QString &fileName);

// The name a converted photo receives: title, number, then "." and the extension when one is
// set, otherwise the source name's own extension. The texts are used exactly as typed.
QString targetName(const NamePattern &pattern, const QString &sourceName);

// What the name preview shows: nothing while the title is empty, otherwise the target name.
QString previewName(const NamePattern &pattern, const QString &sourceName);

// The running number after a conversion: the next whole number, written with one leading "0"
// below 10; unreadable text, or a number with no successor in range, gives "00".
QString advanceNumber(const QString &number);

} // namespace pelmora
