#include "designedfont.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace pelmora {

QString designedInterfaceFace() {
    return QStringLiteral("ＭＳ Ｐゴシック");
}

void installFontSubstitutes() {
    const QString face = designedInterfaceFace();
    if (QFontDatabase::families().contains(face))
        return;
    QFont::insertSubstitutions(face, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                      QStringLiteral("Noto Sans CJK JP")});
}

} // namespace pelmora
