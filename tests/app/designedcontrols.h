#pragma once

// The window's controls as designed: name, caption or start text, tooltip, and the place on
// the window (left, top, width, height at 96 dpi, relative to the window's client area).

#include <QString>

struct DesignedControl {
    const char *name;
    const char *text; // nullptr: no caption to check
    const char *toolTip;
    int left, top, width, height;
};

inline const DesignedControl kDesignedControls[] = {
    {"Frame1", "    ファイル名変換", "", 6, 11, 352, 74},
    {"CkFile", nullptr, "", 12, 9, 17, 14},
    {"Label1_0", "ファイル名", "", 12, 27, 57, 13},
    {"Title", "Untitled", "", 72, 31, 165, 21},
    {"Label1_1", "番号", "", 238, 35, 27, 17},
    {"Num", "01", "", 263, 32, 25, 21},
    {"Label1_2", ".Suf", "", 295, 33, 21, 17},
    {"Suf", "", "", 317, 30, 31, 21},
    {"Label1_3", "変換後", "", 14, 59, 43, 19},
    {"NewName", "", "", 51, 55, 299, 19},
    {"PhotOutDir", "変換先", "変換したファイルを作成するファルダーを指定してください空白の場合は同じフォルダに作成します。", 12, 97, 49, 30},
    {"OutFolder", "", "変換したファイルを作成するファルダーを指定してください空白の場合は同じフォルダに作成します。", 67, 95, 287, 31},
    {"Frame2", "　　画像サイズの変換", "", 364, 10, 146, 145},
    {"CkResize", nullptr, "", 370, 8, 15, 15},
    {"Label4", "画像横幅", "", 378, 33, 52, 13},
    {"picWidth", "250", "作成するぺ字の幅を画素数で指定してください。", 434, 32, 34, 19},
    {"Label5", "Pixels", "", 467, 36, 34, 15},
    {"Label10", "低　　画質　　高", "", 384, 58, 100, 11},
    {"Slider1", nullptr, "数字が大きいほど高画質ですがデータ量は大きくなります", 378, 73, 114, 15},
    {"Label2", "サイン", "", 372, 99, 34, 14},
    {"Sig", "", "", 408, 93, 89, 20},
    {"Label9_0", "サイズ", "", 372, 121, 41, 15},
    {"Pt", "8", "", 410, 119, 25, 18},
    {"Label9_1", "ポイント", "", 435, 123, 41, 11},
    {"SignFont", "字", "", 476, 119, 20, 18},
    {"Command1", "一括変換", "", 10, 133, 59, 26},
    {"Command2", "個別変換", "", 69, 133, 59, 26},
    {"UpOrd", nullptr, "表示順序を変えます", 131, 133, 25, 26},
    {"DwOrd", nullptr, "表示順序を変えます", 156, 133, 23, 26},
    {"CLR", "CLR", "", 180, 133, 33, 26},
    {"Label3", "変換先が空白の場合はオリジナルを変換します", "", 222, 133, 136, 24},
    {"List1", nullptr, "リスト順にファイル名を一括変換します", 12, 163, 203, 292},
    {"oPic", nullptr, "", 224, 163, 285, 279},
    {"oImg", nullptr, "アルバムまたはエクスプローラから写真をドラッグ&ドロップしてください", 232, 171, 269, 257},
    {"OrgSize", "ImgSaize", "", 232, 448, 273, 17},
    {"PBar1", nullptr, "", 16, 464, 489, 17},
};
