#pragma once

#include <QString>

// Texts the window shows, exactly as the user knows them.
namespace uitexts {

inline const QString kListMenuCaption = QStringLiteral("リスト");
// Shown when a conversion finds no target name (no photo chosen, or an empty pattern).
inline const QString kMissingTargetName =
    QStringLiteral("ファイル名か空白か変換するファイルが選択されていません");
inline const QString kFolderChooserTitle = QStringLiteral("ﾌｫﾙﾀﾞを選択して下さい。");

} // namespace uitexts
