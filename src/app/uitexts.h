#pragma once

#include "imagesize/imagesize.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

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

// The size display's caption for a photo's header (the command line's `size` keeps the Japanese
// window's words in every language).
inline QString sizeCaption(const std::optional<pelmora::ImageHeader> &header) {
    if (!header)
        return QCoreApplication::translate("uitexts", "Error");
    return QCoreApplication::translate("uitexts", "ImageSze Width: %1  Height: %2")
        .arg(header->size.Width)
        .arg(header->size.Height);
}

} // namespace uitexts
