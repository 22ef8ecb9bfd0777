#pragma once

namespace Ui {
class MainWindow;
}

// Sizes the .ui format cannot hold (8.25 pt).
void applyDesignedFonts(Ui::MainWindow &ui);
