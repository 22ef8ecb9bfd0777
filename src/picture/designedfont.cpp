#include "designedfont.h"

#include <QFont>
#include <QStringList>

namespace pelmora {

QString designedInterfaceFace() {
    return QStringLiteral("ＭＳ Ｐゴシック");
}

void installFontSubstitutes() {
    // A substitute only stands in when the face itself is not installed. Asking the font
    // database first would load it at start, which the command line should not pay for.
    QFont::insertSubstitutions(designedInterfaceFace(),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
}

} // namespace pelmora
