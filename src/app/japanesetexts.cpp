#include "japanesetexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pelmora {

namespace {

bool install(const QString &name, const QString &folder) {
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), name, QStringLiteral("_"),
                         folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

bool installJapaneseTexts() {
    static const bool installed = [] {
        const bool ours = install(QStringLiteral("pelmora"), QStringLiteral(":/translations"));
        Q_ASSERT(ours); // built into the application
        Q_UNUSED(ours);
        return install(QStringLiteral("qtbase"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }();
    return installed;
}

} // namespace pelmora
