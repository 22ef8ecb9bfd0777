#pragma once

#include <QCoreApplication>
#include <QString>

// Texts the window shows in more than one place, in the window's language (the Japanese is the
// source, exactly as the user knows it).
namespace uitexts {

inline QString listMenuCaption() {
    return QCoreApplication::translate("uitexts", "リスト");
}
// Shown when a conversion finds no target name (no photo chosen, or an empty pattern).
inline QString missingTargetName() {
    return QCoreApplication::translate("uitexts",
                                       "ファイル名か空白か変換するファイルが選択されていません");
}
inline QString folderChooserTitle() {
    return QCoreApplication::translate("uitexts", "ﾌｫﾙﾀﾞを選択して下さい。");
}

} // namespace uitexts
