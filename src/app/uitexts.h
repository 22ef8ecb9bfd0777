#pragma once

#include <QString>

// Texts the window shows, exactly as the user knows them.
namespace uitexts {

inline const QString kListMenuCaption = QStringLiteral("リスト");
inline const QString kFolderChooserTitle = QStringLiteral("ﾌｫﾙﾀﾞを選択して下さい。");

} // namespace uitexts
