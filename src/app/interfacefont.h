#pragma once

namespace Ui {
class MainWindow;
}

// The window is designed for the Japanese interface font "ＭＳ Ｐゴシック"; where it is not
// installed, IPA P Gothic (same metrics class, proportional kana) stands in.
void installInterfaceFontSubstitutes();

// Sizes the .ui format cannot hold (8.25 pt) and the designed face of the signature field.
void applyDesignedFonts(Ui::MainWindow &ui);
