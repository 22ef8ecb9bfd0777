<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>pelmora</name>
    <message>
        <source>photo not found</source>
        <translation>写真が見つかりません</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>ファイルではありません</translation>
    </message>
    <message>
        <source>cannot resize %1: %2</source>
        <translation>%1 のサイズを変換できません: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 を書き込めません: %2</translation>
    </message>
    <message>
        <source>the output folder %1 is a file, not a folder</source>
        <translation>変換先 %1 はフォルダではなくファイルです</translation>
    </message>
    <message>
        <source>cannot create the output folder %1</source>
        <translation>変換先フォルダ %1 を作成できません</translation>
    </message>
    <message>
        <source>the output folder %1 is not writable</source>
        <translation>変換先フォルダ %1 に書き込めません</translation>
    </message>
    <message>
        <source>not a picture that can be read</source>
        <translation>読み込める画像ではありません</translation>
    </message>
    <message>
        <source>the picture has no pixels</source>
        <translation>画像に画素がありません</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2)</source>
        <translation>画像が大きすぎます (%1 x %2)</translation>
    </message>
    <message>
        <source>not enough memory for the picture</source>
        <translation>画像を読み込むメモリが足りません</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>名前が空です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file name</source>
        <translation>「%1」はファイル名に使えません</translation>
    </message>
    <message>
        <source>the name &quot;%1&quot; holds a path separator</source>
        <translation>名前「%1」にパスの区切り文字が含まれています</translation>
    </message>
    <message>
        <source>the name holds a null character</source>
        <translation>名前にヌル文字が含まれています</translation>
    </message>
    <message>
        <source>cannot rename %1: %2</source>
        <translation>%1 の名前を変更できません: %2</translation>
    </message>
    <message>
        <source>cannot rename %1 to %2: a file of that name already exists</source>
        <translation>%1 を %2 に名前変更できません: 同じ名前のファイルがすでにあります</translation>
    </message>
    <message>
        <source>cannot rename %1 to %2: %3</source>
        <translation>%1 を %2 に名前変更できません: %3</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write %1 to the disk</source>
        <translation>%1 をディスクに書き込めません</translation>
    </message>
    <message>
        <source>cannot replace %1: %2</source>
        <translation>%1 を置き換えられません: %2</translation>
    </message>
    <message>
        <source>the longer side &quot;%1&quot; is not a whole number from 1 to 32767</source>
        <translation>長辺「%1」は 1 から 32767 までの整数ではありません</translation>
    </message>
    <message>
        <source>the longer side must be at least 1 pixel, not %1</source>
        <translation>長辺は 1 ピクセル以上にしてください (指定: %1)</translation>
    </message>
    <message>
        <source>the quality must be 1 to 10, not %1</source>
        <translation>画質は 1 から 10 までにしてください (指定: %1)</translation>
    </message>
    <message>
        <source>not enough memory to scale the picture</source>
        <translation>画像のサイズを変えるメモリが足りません</translation>
    </message>
    <message>
        <source>cannot read the photo: %1</source>
        <translation>写真を読み込めません: %1</translation>
    </message>
    <message>
        <source>cannot encode the picture as JPEG: %1</source>
        <translation>写真を JPEG に変換できません: %1</translation>
    </message>
    <message>
        <source>some of the photo&apos;s metadata could not be read and was left out: %1</source>
        <translation>写真のメタデータの一部を読み取れなかったため、除いて保存しました: %1</translation>
    </message>
    <message>
        <source>the photo&apos;s metadata could not be written and was left out: %1</source>
        <translation>写真のメタデータを書き込めなかったため、除いて保存しました: %1</translation>
    </message>
</context>
</TS>
