#include "japaneseqttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pelmora {

bool installJapaneseQtTexts() {
    static const bool installed = [] {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                             QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
        return false;
    }();
    return installed;
}

} // namespace pelmora
