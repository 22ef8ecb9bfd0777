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
        <source>%1 was written by an earlier photo of this conversion</source>
        <translation>%1 はこの変換で先に変換した写真が書いたファイルです</translation>
    </message>
    <message>
        <source>no target name: the title, number and extension give an empty name</source>
        <translation>変換後の名前がありません: ファイル名・番号・拡張子から名前ができません</translation>
    </message>
    <message>
        <source>cannot write %1: a file of that name already exists</source>
        <translation>%1 を書き込めません: 同じ名前のファイルがすでにあります</translation>
    </message>
    <message>
        <source>cannot write %1 to the disk: %2</source>
        <translation>%1 をディスクに書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 is converted, but the photo %2 could not be moved away: %3</source>
        <translation>%1 は変換しましたが、元の写真 %2 をごみ箱に移せませんでした: %3</translation>
    </message>
    <message>
        <source>the output folder %1 is the photo&apos;s own folder</source>
        <translation>変換先 %1 は写真と同じフォルダです</translation>
    </message>
    <message>
        <source>the photo %1 is read-only</source>
        <translation>写真 %1 は読み取り専用です</translation>
    </message>
    <message>
        <source>cannot replace %1: it is a folder</source>
        <translation>%1 を置き換えられません: フォルダです</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash or keep a backup: %2</source>
        <translation>%1 をごみ箱に移すことも、控えを残すこともできません: %2</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash or keep a backup</source>
        <translation>%1 をごみ箱に移すことも、控えを残すこともできません</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash</source>
        <translation>%1 をごみ箱に移せません</translation>
    </message>
    <message>
        <source>cannot write the undo journal %1: %2</source>
        <translation>元に戻すための記録 %1 を書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write the undo journal: %1</source>
        <translation>元に戻すための記録を書き込めません: %1</translation>
    </message>
    <message>
        <source>a conversion is still running; undo it once it has finished</source>
        <translation>変換がまだ終わっていません。終わってから元に戻してください</translation>
    </message>
    <message>
        <source>%1 was changed since; left as it is</source>
        <translation>%1 は変換の後に変更されているため、そのままにしました</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>%1 を削除できません</translation>
    </message>
    <message>
        <source>remove %1</source>
        <translation>%1 を削除</translation>
    </message>
    <message>
        <source>%1 is no longer in the trash (%2)</source>
        <translation>%1 はもうごみ箱にありません (%2)</translation>
    </message>
    <message>
        <source>%1 is there again; the file it replaced is kept in %2</source>
        <translation>%1 がまたあるため、置き換えたファイルは %2 に残してあります</translation>
    </message>
    <message>
        <source>bring %1 back from %2</source>
        <translation>%1 を %2 から戻す</translation>
    </message>
    <message>
        <source>%1 is not there any more</source>
        <translation>%1 はもうありません</translation>
    </message>
    <message>
        <source>rename %1 back to %2</source>
        <translation>%1 の名前を %2 に戻す</translation>
    </message>
    <message>
        <source>the resized photo would be %1 x %2 pixels, more than %3 megapixels</source>
        <translation>変換後の写真が %1 x %2 ピクセルになり、%3 メガピクセルを超えます</translation>
    </message>
    <message>
        <source>some of the photo&apos;s metadata could not be read and was left out: %1</source>
        <translation>写真のメタデータの一部を読み取れなかったため、除いて保存しました: %1</translation>
    </message>
    <message>
        <source>the photo&apos;s metadata could not be written and was left out: %1</source>
        <translation>写真のメタデータを書き込めなかったため、除いて保存しました: %1</translation>
    </message>
    <message>
        <source>the picture&apos;s data is damaged and cannot be read</source>
        <translation>画像のデータが壊れていて読み込めません</translation>
    </message>
    <message>
        <source>the photo&apos;s data is damaged: converted as far as it could be read</source>
        <translation>写真のデータが壊れています: 読み込めたところまで変換しました</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2) to convert within %3 MB of memory</source>
        <translation>画像が大きすぎて (%1 x %2)、%3 MB のメモリで変換できません</translation>
    </message>
</context>
</TS>
