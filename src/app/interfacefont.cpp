#include "interfacefont.h"

#include "ui_mainwindow.h"

void applyDesignedFonts(Ui::MainWindow &ui) {
    for (QWidget *w : {static_cast<QWidget *>(ui.PhotOutDir), static_cast<QWidget *>(ui.CLR),
                       static_cast<QWidget *>(ui.Label3)}) {
        QFont f = w->font();
        f.setPointSizeF(8.25);
        w->setFont(f);
    }
}
