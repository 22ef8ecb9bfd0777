#pragma once

namespace pelmora {

// Qt's stock dialogs (font, colour and folder choosers, message box buttons) speak Japanese like
// the rest of the window, whatever the desktop's language. Installs Qt's own Japanese
// translation once per application; false when it is not installed on this system (the dialogs
// then keep Qt's English).
bool installJapaneseQtTexts();

} // namespace pelmora
