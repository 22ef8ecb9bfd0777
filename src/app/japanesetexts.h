#pragma once

namespace pelmora {

// The window speaks Japanese throughout, whatever the desktop's language: Qt's stock dialogs
// (font, colour and folder choosers, message box buttons) through Qt's own Japanese
// translation, and the reasons the core gives for a failure through ours. Installs both once
// per application; false when Qt's is not installed on this system (its dialogs then keep
// English). The command line installs neither and reports in English.
bool installJapaneseTexts();

} // namespace pelmora
