#pragma once

#include <QList>
#include <QString>

namespace pelmora {

// Something the user should know of a photo that was converted all the same. The text is the
// program's own words, translated: photos with the same text share one line of the window's end
// message. The detail is another program's or a library's own words (Exiv2's, errno's), which
// only the command line adds.
struct Warning {
    QString text;
    QString detail;

    friend bool operator==(const Warning &, const Warning &) = default;
};

using Warnings = QList<Warning>;

} // namespace pelmora
