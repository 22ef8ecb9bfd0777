<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ConversionSummary</name>
    <message numerus="yes">
        <source>
…ほか %n 件</source>
        <translation>
            <numerusform>
...and %n more</numerusform>
            <numerusform>
...and %n more</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 を変換できませんでした。
%2</source>
        <translation>%1 could not be converted: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真を変換できませんでした。リストに残してあります。</source>
        <translation>
            <numerusform>%n photo could not be converted. It stays on the list.</numerusform>
            <numerusform>%n photos could not be converted. They stay on the list.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真を変換できませんでした。</source>
        <translation>
            <numerusform>%n photo could not be converted.</numerusform>
            <numerusform>%n photos could not be converted.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真: %1</source>
        <translation>
            <numerusform>%n photo: %1</numerusform>
            <numerusform>%n photos: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真は変換しましたが、次の点にご注意ください。</source>
        <translation>
            <numerusform>%n photo was converted, but please note the following.</numerusform>
            <numerusform>%n photos were converted, but please note the following.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>変換を中止しました。%n 枚の写真は変換せずにリストに残してあります。</source>
        <translation>
            <numerusform>The conversion was stopped. %n photo was not converted and stays on the list.</numerusform>
            <numerusform>The conversion was stopped. %n photos were not converted and stay on the list.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>変換を中止しました。%n 枚の写真は変換していません。</source>
        <translation>
            <numerusform>The conversion was stopped. %n photo was not converted.</numerusform>
            <numerusform>The conversion was stopped. %n photos were not converted.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

次の %n 件は、変換の後に変わっているなどの理由で元に戻していません。
</source>
        <translation>
            <numerusform>

%n item was left as it is, for example because it changed after the conversion:
</numerusform>
            <numerusform>

%n items were left as they are, for example because they changed after the conversion:
</numerusform>
        </translation>
    </message>
    <message>
        <source>変換先フォルダを使えないため、写真は変換していません。
%1</source>
        <translation>No photos were converted, because the output folder cannot be used: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真を元に戻しました</source>
        <translation>
            <numerusform>%n photo is back as it was before the conversion.</numerusform>
            <numerusform>%n photos are back as they were before the conversion.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

変換の記録のうち %n 行を読めませんでした。</source>
        <translation>
            <numerusform>

%n line of the conversion&apos;s record could not be read.</numerusform>
            <numerusform>

%n lines of the conversion&apos;s record could not be read.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真はどれも大きすぎて変換できないため、写真は変換していません。</source>
        <translation>
            <numerusform>No photo was converted: it is too large to convert.</numerusform>
            <numerusform>No photos were converted: all %n are too large to convert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真は大きすぎて変換できないため、リストに残します。ほかの写真は変換します。</source>
        <translation>
            <numerusform>%n photo is too large to convert and stays on the list. The others will be converted.</numerusform>
            <numerusform>%n photos are too large to convert and stay on the list. The others will be converted.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真は大きすぎて変換できません。ほかの写真は変換します。</source>
        <translation>
            <numerusform>%n photo is too large to convert. The others will be converted.</numerusform>
            <numerusform>%n photos are too large to convert. The others will be converted.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ファイル名変換</source>
        <comment>accessible name</comment>
        <translation>Rename</translation>
    </message>
    <message>
        <source>変換した写真にファイル名と番号と拡張子で名前を付けます</source>
        <comment>accessible description</comment>
        <translation>Gives converted photos new names made of a name, a number and an extension</translation>
    </message>
    <message>
        <source>    ファイル名変換</source>
        <translation>    Rename</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <comment>accessible name</comment>
        <translation>Name</translation>
    </message>
    <message>
        <source>新しい名前の番号の前に付く文字です。変えると番号が 01 に戻ります</source>
        <comment>accessible description</comment>
        <translation>The text before the number in new names; changing it sets the number back to 01</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>番号</source>
        <comment>accessible name</comment>
        <translation>Number</translation>
    </message>
    <message>
        <source>次に変換する写真の番号です。写真を 1 枚変換するごとに増えます</source>
        <comment>accessible description</comment>
        <translation>The number the next photo converted gets; it goes up by one with each photo</translation>
    </message>
    <message>
        <source>.Suf</source>
        <translation>Ext.</translation>
    </message>
    <message>
        <source>拡張子</source>
        <comment>accessible name</comment>
        <translation>Extension</translation>
    </message>
    <message>
        <source>変換した写真の拡張子です。空白の場合は写真の拡張子のままです</source>
        <comment>accessible description</comment>
        <translation>The extension of converted photos; when empty, each photo keeps its own</translation>
    </message>
    <message>
        <source>変換後</source>
        <translation>New</translation>
    </message>
    <message>
        <source>変換後</source>
        <comment>accessible name</comment>
        <translation>New name</translation>
    </message>
    <message>
        <source>今の写真を変換したときに付く名前です</source>
        <comment>accessible description</comment>
        <translation>The name the current photo gets when it is converted</translation>
    </message>
    <message>
        <source>チェックすると、変換した写真の名前を付け直します</source>
        <comment>accessible description</comment>
        <translation>When ticked, converted photos get new names</translation>
    </message>
    <message>
        <source>変換先を選ぶ</source>
        <comment>accessible name</comment>
        <translation>Choose the output folder</translation>
    </message>
    <message>
        <source>変換先</source>
        <translation>Save to</translation>
    </message>
    <message>
        <source>変換したファイルを作成するファルダーを指定してください空白の場合は同じフォルダに作成します。</source>
        <translation>The folder to save the converted photos in. Leave it empty to convert the photos where they are.</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <comment>accessible name</comment>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>画像サイズの変換</source>
        <comment>accessible name</comment>
        <translation>Resize</translation>
    </message>
    <message>
        <source>写真の大きさを変えて JPEG で書き出します</source>
        <comment>accessible description</comment>
        <translation>Scales the photos and saves them as JPEG</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;画像サイズの変換</source>
        <translation>&#x3000;&#x3000;Resize</translation>
    </message>
    <message>
        <source>画像横幅</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>画像横幅</source>
        <comment>accessible name</comment>
        <translation>Size in pixels, of the longer side</translation>
    </message>
    <message>
        <source>作成するぺ字の幅を画素数で指定してください。</source>
        <translation>The length of the converted photos&apos; longer side, in pixels. Leave it empty to keep each photo&apos;s size.</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>低&#x3000;&#x3000;画質&#x3000;&#x3000;高</source>
        <translation>Less  Detail  More</translation>
    </message>
    <message>
        <source>画質</source>
        <comment>accessible name</comment>
        <translation>Quality</translation>
    </message>
    <message>
        <source>数字が大きいほど高画質ですがデータ量は大きくなります</source>
        <translation>Higher numbers give better quality but larger files</translation>
    </message>
    <message>
        <source>サイン</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>サイン</source>
        <comment>accessible name</comment>
        <translation>Signature</translation>
    </message>
    <message>
        <source>写真の右下に入れる文字です。空白の場合は入れません</source>
        <comment>accessible description</comment>
        <translation>Text stamped in the lower right corner of each photo; none when empty</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>サインの大きさ（ポイント）</source>
        <comment>accessible name</comment>
        <translation>Signature size in points</translation>
    </message>
    <message>
        <source>サインの文字の大きさをポイントで指定します</source>
        <comment>accessible description</comment>
        <translation>The size of the signature text, in points</translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>サインの字体</source>
        <comment>accessible name</comment>
        <translation>Signature font</translation>
    </message>
    <message>
        <source>サインの字体と色を選びます</source>
        <comment>accessible description</comment>
        <translation>Chooses the font and color of the signature</translation>
    </message>
    <message>
        <source>字</source>
        <translation>A</translation>
    </message>
    <message>
        <source>チェックすると、写真の長い辺を画像横幅の画素数にして JPEG で書き出します</source>
        <comment>accessible description</comment>
        <translation>When ticked, photos are scaled to the size set below and saved as JPEG</translation>
    </message>
    <message>
        <source>一括変換</source>
        <comment>accessible name</comment>
        <translation>Convert all</translation>
    </message>
    <message>
        <source>リストの写真をリストの順にすべて変換します</source>
        <comment>accessible description</comment>
        <translation>Converts every photo on the list, in list order</translation>
    </message>
    <message>
        <source>一括変換</source>
        <translation>Batch</translation>
    </message>
    <message>
        <source>個別変換</source>
        <comment>accessible name</comment>
        <translation>Convert the current photo</translation>
    </message>
    <message>
        <source>今の写真を 1 枚だけ変換します</source>
        <comment>accessible description</comment>
        <translation>Converts the current photo alone</translation>
    </message>
    <message>
        <source>個別変換</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>上へ</source>
        <comment>accessible name</comment>
        <translation>Move up</translation>
    </message>
    <message>
        <source>表示順序を変えます</source>
        <translation>Moves the selected photos up or down the list</translation>
    </message>
    <message>
        <source>下へ</source>
        <comment>accessible name</comment>
        <translation>Move down</translation>
    </message>
    <message>
        <source>リストを空にする</source>
        <comment>accessible name</comment>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>リストを空にします。写真のファイルはそのままです</source>
        <comment>accessible description</comment>
        <translation>Empties the list; the photo files stay as they are</translation>
    </message>
    <message>
        <source>CLR</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>変換先が空白の場合はオリジナルを変換します</source>
        <translation>With no output folder, the originals are converted</translation>
    </message>
    <message>
        <source>写真のリスト</source>
        <comment>accessible name</comment>
        <translation>Photo list</translation>
    </message>
    <message>
        <source>リスト順にファイル名を一括変換します</source>
        <translation>Batch converts these photos in list order</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <comment>accessible name</comment>
        <translation>Preview</translation>
    </message>
    <message>
        <source>今の写真を表示します。ここに写真をドロップすると、すぐに変換します</source>
        <comment>accessible description</comment>
        <translation>Shows the current photo; photos dropped here are converted at once</translation>
    </message>
    <message>
        <source>今の写真</source>
        <comment>accessible name</comment>
        <translation>Current photo</translation>
    </message>
    <message>
        <source>アルバムまたはエクスプローラから写真をドラッグ&amp;ドロップしてください</source>
        <translation>Drag photos here from a photo album or a file manager</translation>
    </message>
    <message>
        <source>ImgSaize</source>
        <translation>Image size</translation>
    </message>
    <message>
        <source>進み具合</source>
        <comment>accessible name</comment>
        <translation>Progress</translation>
    </message>
    <message>
        <source>一括変換の進み具合です。Esc キーで中止できます</source>
        <comment>accessible description</comment>
        <translation>How far the conversion has come; Esc stops it</translation>
    </message>
    <message>
        <source>Esc キーで変換を中止できます</source>
        <translation>Press Esc to stop the conversion</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove from List</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo Conversion</translation>
    </message>
    <message>
        <source>Pelmora %1 - ファイル名・画像サイズ変換</source>
        <translation>Pelmora %1 - Rename and Resize Photos</translation>
    </message>
    <message numerus="yes">
        <source>リストに入るのは %1 件までです。ドロップされた %n 件は追加していません。</source>
        <translation>
            <numerusform>The list holds at most %1 photos. %n dropped photo was not added.</numerusform>
            <numerusform>The list holds at most %1 photos. %n dropped photos were not added.</numerusform>
        </translation>
    </message>
    <message>
        <source>変換する写真のリストです。写真をドロップすると加わります</source>
        <comment>accessible description</comment>
        <translation>The photos to convert, in order; photos dropped here are added</translation>
    </message>
    <message numerus="yes">
        <source>リストに入るのは %1 件までです。元に戻した %n 件はリストに加えていません。</source>
        <translation>
            <numerusform>The list holds at most %1 photos. %n photo that came back was not added to it.</numerusform>
            <numerusform>The list holds at most %1 photos. %n photos that came back were not added to it.</numerusform>
        </translation>
    </message>
    <message>
        <source>この変換は前回も元に戻しきれませんでした。元に戻すのをあきらめますか？
あきらめると、元に戻せなかったファイルは上に書いた場所にそのまま残り、次の「元に戻す」ではその前の変換を元に戻します。</source>
        <translation>This conversion could not be fully undone last time either. Give up undoing it?
If you give up, the files that could not be restored stay where the message above says, and the next undo takes back the conversion before this one.</translation>
    </message>
    <message>
        <source>「%1」の値を使えないため、写真は変換していません。
1 から %2 までの整数（ピクセル数）を入れてください。空欄なら、写真は元の大きさのまま変換します。</source>
        <translation>No photos were converted, because &quot;%1&quot; cannot be used.
Enter a whole number of pixels from 1 to %2, or leave it empty to keep each photo&apos;s size.</translation>
    </message>
</context>
<context>
    <name>pelmora</name>
    <message>
        <source>%1 was written by an earlier photo of this conversion</source>
        <translation>%1 was written by an earlier photo of this conversion</translation>
    </message>
    <message>
        <source>no target name: the title, number and extension give an empty name</source>
        <translation>no target name: the title, number and extension give an empty name</translation>
    </message>
    <message>
        <source>the quality must be 1 to 10, not %1</source>
        <translation>the quality must be 1 to 10, not %1</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>the name is empty</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file name</source>
        <translation>&quot;%1&quot; is not a file name</translation>
    </message>
    <message>
        <source>the name &quot;%1&quot; holds a path separator</source>
        <translation>the name &quot;%1&quot; holds a path separator</translation>
    </message>
    <message>
        <source>the name holds a null character</source>
        <translation>the name holds a null character</translation>
    </message>
    <message>
        <source>the output folder %1 is a file, not a folder</source>
        <translation>the output folder %1 is a file, not a folder</translation>
    </message>
    <message>
        <source>cannot create the output folder %1</source>
        <translation>cannot create the output folder %1</translation>
    </message>
    <message>
        <source>the output folder %1 is not writable</source>
        <translation>the output folder %1 is not writable</translation>
    </message>
    <message>
        <source>cannot write %1: a file of that name already exists</source>
        <translation>cannot write %1: a file of that name already exists</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>cannot write in %1: %2</translation>
    </message>
    <message>
        <source>cannot rename %1 to %2: a file of that name already exists</source>
        <translation>cannot rename %1 to %2: a file of that name already exists</translation>
    </message>
    <message>
        <source>cannot rename %1 to %2: %3</source>
        <translation>cannot rename %1 to %2: %3</translation>
    </message>
    <message>
        <source>cannot write %1 to the disk: %2</source>
        <translation>cannot write %1 to the disk: %2</translation>
    </message>
    <message>
        <source>cannot read the photo: %1</source>
        <translation>cannot read the photo: %1</translation>
    </message>
    <message>
        <source>photo not found</source>
        <translation>photo not found</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>cannot rename %1: %2</source>
        <translation>cannot rename %1: %2</translation>
    </message>
    <message>
        <source>the output folder %1 is the photo&apos;s own folder</source>
        <translation>the output folder %1 is the photo&apos;s own folder</translation>
    </message>
    <message>
        <source>the photo %1 is read-only</source>
        <translation>the photo %1 is read-only</translation>
    </message>
    <message>
        <source>cannot replace %1: it is a folder</source>
        <translation>cannot replace %1: it is a folder</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash or keep a backup: %2</source>
        <translation>cannot move %1 to the trash or keep a backup: %2</translation>
    </message>
    <message>
        <source>cannot write the undo journal %1: %2</source>
        <translation>cannot write the undo journal %1: %2</translation>
    </message>
    <message>
        <source>%1 was changed since; left as it is</source>
        <translation>%1 was changed since; left as it is</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>cannot remove %1</translation>
    </message>
    <message>
        <source>%1 is not there any more</source>
        <translation>%1 is not there any more</translation>
    </message>
    <message>
        <source>rename %1 back to %2</source>
        <translation>rename %1 back to %2</translation>
    </message>
    <message>
        <source>the resized photo would be %1 x %2 pixels, more than %3 megapixels</source>
        <translation>the resized photo would be %1 x %2 pixels, more than %3 megapixels</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2) to convert within %3 MB of memory</source>
        <translation>the picture is too large (%1 x %2) to convert within %3 MB of memory</translation>
    </message>
    <message>
        <source>not a picture that can be read</source>
        <translation>not a picture that can be read</translation>
    </message>
    <message>
        <source>the picture has no pixels</source>
        <translation>the picture has no pixels</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2)</source>
        <translation>the picture is too large (%1 x %2)</translation>
    </message>
    <message>
        <source>the picture&apos;s data is damaged and cannot be read</source>
        <translation>the picture&apos;s data is damaged and cannot be read</translation>
    </message>
    <message>
        <source>not enough memory for the picture</source>
        <translation>not enough memory for the picture</translation>
    </message>
    <message>
        <source>not enough memory to scale the picture</source>
        <translation>not enough memory to scale the picture</translation>
    </message>
    <message>
        <source>the photo&apos;s data is damaged: converted as far as it could be read</source>
        <translation>the photo&apos;s data is damaged: converted as far as it could be read</translation>
    </message>
    <message>
        <source>the converted photo may not have reached the disk</source>
        <translation>the converted photo may not have reached the disk</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>the conversion is still running, or being undone; try again once it has finished</source>
        <translation>the conversion is still running, or being undone; try again once it has finished</translation>
    </message>
    <message>
        <source>cannot read the undo journal %1: %2</source>
        <translation>cannot read the undo journal %1: %2</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash: %2</source>
        <translation>cannot move %1 to the trash: %2</translation>
    </message>
    <message>
        <source>remove the empty folder %1</source>
        <translation>remove the empty folder %1</translation>
    </message>
    <message>
        <source>%1 cannot come back: what was set aside is no longer in %2; %3 stays</source>
        <translation>%1 cannot come back: what was set aside is no longer in %2; %3 stays</translation>
    </message>
    <message>
        <source>%1 cannot come back from %2: %3</source>
        <translation>%1 cannot come back from %2: %3</translation>
    </message>
    <message>
        <source>bring back %1 from %2</source>
        <translation>bring back %1 from %2</translation>
    </message>
    <message>
        <source>%1 was changed since; the file it replaced is kept in %2</source>
        <translation>%1 was changed since; the file it replaced is kept in %2</translation>
    </message>
    <message>
        <source>remove the temporary file %1</source>
        <translation>remove the temporary file %1</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 cannot be read</translation>
    </message>
    <message>
        <source>the EXIF has no TIFF header</source>
        <translation>the EXIF has no TIFF header</translation>
    </message>
    <message>
        <source>IFD0 cannot be read</source>
        <translation>IFD0 cannot be read</translation>
    </message>
    <message>
        <source>%1 and %2 overlap</source>
        <translation>%1 and %2 overlap</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 bytes one segment holds</source>
        <translation>%1 bytes, more than the %2 bytes one segment holds</translation>
    </message>
    <message>
        <source>the converted %1 is now %2: %3</source>
        <translation>the converted %1 is now %2: %3</translation>
    </message>
    <message>
        <source>remove the converted %1</source>
        <translation>remove the converted %1</translation>
    </message>
    <message>
        <source>the photo&apos;s metadata could not be carried over: Pelmora&apos;s metadata module is missing</source>
        <translation>the photo&apos;s metadata could not be carried over: Pelmora&apos;s metadata module is missing</translation>
    </message>
    <message>
        <source>a camera RAW file (%1): RAW files are not converted</source>
        <translation>a camera RAW file (%1): RAW files are not converted</translation>
    </message>
    <message>
        <source>the longer side &quot;%1&quot; is not a whole number of pixels from 1 to %2</source>
        <translation>the longer side &quot;%1&quot; is not a whole number of pixels from 1 to %2</translation>
    </message>
    <message>
        <source>cannot read the undo history %1: %2</source>
        <translation>cannot read the undo history %1: %2</translation>
    </message>
    <message>
        <source>some details stored in the photo, such as the camera, the date taken or the caption, could not be read and were not kept</source>
        <translation>some details stored in the photo, such as the camera, the date taken or the caption, could not be read and were not kept</translation>
    </message>
    <message>
        <source>the details stored in the photo, such as the camera, the date taken and the caption, could not be written and were not kept</source>
        <translation>the details stored in the photo, such as the camera, the date taken and the caption, could not be written and were not kept</translation>
    </message>
    <message>
        <source>the photo&apos;s camera details, such as the date taken and the exposure, were damaged and were not kept</source>
        <translation>the photo&apos;s camera details, such as the date taken and the exposure, were damaged and were not kept</translation>
    </message>
    <message>
        <source>some of the photo&apos;s camera details, such as the date taken or the exposure, were damaged and were not kept</source>
        <translation>some of the photo&apos;s camera details, such as the date taken or the exposure, were damaged and were not kept</translation>
    </message>
    <message>
        <source>the photo&apos;s camera details, such as the date taken and the exposure, were too large for a JPEG and were not kept</source>
        <translation>the photo&apos;s camera details, such as the date taken and the exposure, were too large for a JPEG and were not kept</translation>
    </message>
    <message>
        <source>some details of the photo, such as its date or description, were recorded twice with different values; the first of each was kept</source>
        <translation>some details of the photo, such as its date or description, were recorded twice with different values; the first of each was kept</translation>
    </message>
    <message>
        <source>some extra details of the photo, such as its editing history, were too large for a JPEG and were not kept</source>
        <translation>some extra details of the photo, such as its editing history, were too large for a JPEG and were not kept</translation>
    </message>
    <message>
        <source>the converted file stays as %1</source>
        <translation>the converted file stays as %1</translation>
    </message>
    <message>
        <source>the file it was to replace could not be put back and is now %1 (%2)</source>
        <translation>the file it was to replace could not be put back and is now %1 (%2)</translation>
    </message>
    <message>
        <source>cannot read the undo journal %1: it is not a journal of this version of Pelmora</source>
        <translation>cannot read the undo journal %1: it is not a journal of this version of Pelmora</translation>
    </message>
    <message>
        <source>there is no unfinished undo to give up</source>
        <translation>there is no unfinished undo to give up</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>%1 entries %2</source>
        <translation>%1 entries %2</translation>
    </message>
    <message>
        <source>%1 point beyond the EXIF&apos;s %2 bytes</source>
        <translation>%1 point beyond the EXIF&apos;s %2 bytes</translation>
    </message>
    <message>
        <source>resized photos would lose their metadata: Pelmora&apos;s metadata module cannot be loaded (%1)</source>
        <translation>resized photos would lose their metadata: Pelmora&apos;s metadata module cannot be loaded (%1)</translation>
    </message>
    <message>
        <source>some entries of the photo&apos;s EXIF point outside it and were left out</source>
        <translation>some entries of the photo&apos;s EXIF point outside it and were left out</translation>
    </message>
    <message>
        <source>cannot encode the picture as %1: %2</source>
        <translation>cannot encode the picture as %1: %2</translation>
    </message>
    <message>
        <source>Pelmora does not write .%1 pictures: give the new name the extension of a format it writes (jpg, webp, avif, heic, png, tif or bmp)</source>
        <translation>Pelmora does not write .%1 pictures: give the new name the extension of a format it writes (jpg, webp, avif, heic, png, tif or bmp)</translation>
    </message>
</context>
<context>
    <name>uitexts</name>
    <message>
        <source>リスト</source>
        <translation>List</translation>
    </message>
    <message>
        <source>ファイル名か空白か変換するファイルが選択されていません</source>
        <translation>There is no new name: the name fields are empty, or no photo has been chosen.</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞを選択して下さい。</source>
        <translation>Choose a Folder</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Size unknown</translation>
    </message>
    <message>
        <source>ImageSze Width: %1  Height: %2</source>
        <translation>Image size: %1 × %2</translation>
    </message>
</context>
</TS>
