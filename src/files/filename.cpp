#include "filename.h"

#include <QCoreApplication>

namespace pelmora {

Status checkFileName(const QString &name) {
    if (name.isEmpty())
        return failure(QCoreApplication::translate("pelmora", "the name is empty"));
    if (name == u"." || name == u"..")
        return failure(
            QCoreApplication::translate("pelmora", "\"%1\" is not a file name").arg(name));
    if (name.contains(u'/'))
        return failure(
            QCoreApplication::translate("pelmora", "the name \"%1\" holds a path separator")
                .arg(name));
#ifdef Q_OS_WIN
    if (name.contains(u'\\'))
        return failure(
            QCoreApplication::translate("pelmora", "the name \"%1\" holds a path separator")
                .arg(name));
#endif
    if (name.contains(QChar(0)))
        return failure(QCoreApplication::translate("pelmora", "the name holds a null character"));
    return {};
}

} // namespace pelmora
