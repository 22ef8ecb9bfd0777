#include "interfacelanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <optional>

namespace pelmora {

namespace {

std::optional<InterfaceLanguage> installed;
QTranslator *ours = nullptr;
QTranslator *qtOwn = nullptr;

QTranslator *install(const QLocale &locale, const QString &name, const QString &folder) {
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

void remove(QTranslator *&translator) {
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

} // namespace

InterfaceLanguage interfaceLanguageFor(const QStringList &uiLanguages) {
    bool anotherLanguage = false;
    for (const QString &name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::Japanese)
            return InterfaceLanguage::Japanese;
        if (language == QLocale::English)
            return InterfaceLanguage::English;
        anotherLanguage = anotherLanguage || language != QLocale::C;
    }
    return anotherLanguage ? InterfaceLanguage::English : InterfaceLanguage::Japanese;
}

void useInterfaceLanguage(InterfaceLanguage language) {
    remove(ours);
    remove(qtOwn);
    const QLocale locale = language == InterfaceLanguage::Japanese
                               ? QLocale(QLocale::Japanese, QLocale::Japan)
                               : QLocale(QLocale::English, QLocale::UnitedStates);
    ours = install(locale, QStringLiteral("pelmora"), QStringLiteral(":/translations"));
    Q_ASSERT(ours); // built into the application
    // Qt's dialogs are written in English; a system without Qt's Japanese keeps them so.
    if (language == InterfaceLanguage::Japanese)
        qtOwn = install(locale, QStringLiteral("qtbase"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installed = language;
}

void useDesktopLanguage() {
    if (!installed)
        useInterfaceLanguage(interfaceLanguageFor(QLocale::system().uiLanguages()));
}

} // namespace pelmora
