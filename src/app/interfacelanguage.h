#pragma once

#include <QStringList>

namespace pelmora {

// The languages the window speaks. Its texts are written in Japanese; English comes from
// translations/pelmora_en.ts.
enum class InterfaceLanguage { Japanese, English };

// The window's language for a desktop whose interface languages are these, most preferred
// first (QLocale::uiLanguages(), so LANGUAGE and LC_MESSAGES count): Japanese when Japanese
// comes before English, and under the C/POSIX locale (the system's own default); English
// otherwise, also for a desktop in a third language, whose user likelier reads English.
InterfaceLanguage interfaceLanguageFor(const QStringList &uiLanguages);

// Installs the window's texts, the core's reasons and Qt's own dialogs in that language, in
// place of any installed before; the command line installs none and reports in English.
// Windows made afterwards speak it.
void useInterfaceLanguage(InterfaceLanguage language);

// The desktop's language, installed once per application unless one was chosen already.
void useDesktopLanguage();

} // namespace pelmora
