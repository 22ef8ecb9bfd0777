<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ConversionSummary</name>
    <message numerus="yes">
        <source>
…ほか %n 件</source>
        <translation>
            <numerusform>
…ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 を変換できませんでした。
%2</source>
        <translation>%1 を変換できませんでした。
%2</translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真を変換できませんでした。リストに残してあります。</source>
        <translation>
            <numerusform>%n 枚の写真を変換できませんでした。リストに残してあります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真を変換できませんでした。</source>
        <translation>
            <numerusform>%n 枚の写真を変換できませんでした。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真: %1</source>
        <translation>
            <numerusform>%n 枚の写真: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真は変換しましたが、次の点にご注意ください。</source>
        <translation>
            <numerusform>%n 枚の写真は変換しましたが、次の点にご注意ください。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>変換を中止しました。%n 枚の写真は変換せずにリストに残してあります。</source>
        <translation>
            <numerusform>変換を中止しました。%n 枚の写真は変換せずにリストに残してあります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>変換を中止しました。%n 枚の写真は変換していません。</source>
        <translation>
            <numerusform>変換を中止しました。%n 枚の写真は変換していません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

次の %n 件は、変換の後に変わっているなどの理由で元に戻していません。
</source>
        <translation>
            <numerusform>

次の %n 件は、変換の後に変わっているなどの理由で元に戻していません。
</numerusform>
        </translation>
    </message>
    <message>
        <source>変換先フォルダを使えないため、写真は変換していません。
%1</source>
        <translation>変換先フォルダを使えないため、写真は変換していません。
%1</translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真を元に戻しました</source>
        <translation>
            <numerusform>%n 枚の写真を元に戻しました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

変換の記録のうち %n 行を読めませんでした。</source>
        <translation>
            <numerusform>

変換の記録のうち %n 行を読めませんでした。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真はどれも大きすぎて変換できないため、写真は変換していません。</source>
        <translation>
            <numerusform>%n 枚の写真はどれも大きすぎて変換できないため、写真は変換していません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真は大きすぎて変換できないため、リストに残します。ほかの写真は変換します。</source>
        <translation>
            <numerusform>%n 枚の写真は大きすぎて変換できないため、リストに残します。ほかの写真は変換します。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 枚の写真は大きすぎて変換できません。ほかの写真は変換します。</source>
        <translation>
            <numerusform>%n 枚の写真は大きすぎて変換できません。ほかの写真は変換します。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ファイル名変換</source>
        <comment>accessible name</comment>
        <translation>ファイル名変換</translation>
    </message>
    <message>
        <source>変換した写真にファイル名と番号と拡張子で名前を付けます</source>
        <comment>accessible description</comment>
        <translation>変換した写真にファイル名と番号と拡張子で名前を付けます</translation>
    </message>
    <message>
        <source>    ファイル名変換</source>
        <translation>    ファイル名変換</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <comment>accessible name</comment>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>新しい名前の番号の前に付く文字です。変えると番号が 01 に戻ります</source>
        <comment>accessible description</comment>
        <translation>新しい名前の番号の前に付く文字です。変えると番号が 01 に戻ります</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>番号</source>
        <comment>accessible name</comment>
        <translation>番号</translation>
    </message>
    <message>
        <source>次に変換する写真の番号です。写真を 1 枚変換するごとに増えます</source>
        <comment>accessible description</comment>
        <translation>次に変換する写真の番号です。写真を 1 枚変換するごとに増えます</translation>
    </message>
    <message>
        <source>.Suf</source>
        <translation>.Suf</translation>
    </message>
    <message>
        <source>拡張子</source>
        <comment>accessible name</comment>
        <translation>拡張子</translation>
    </message>
    <message>
        <source>変換した写真の拡張子です。空白の場合は写真の拡張子のままです</source>
        <comment>accessible description</comment>
        <translation>変換した写真の拡張子です。空白の場合は写真の拡張子のままです</translation>
    </message>
    <message>
        <source>変換後</source>
        <translation>変換後</translation>
    </message>
    <message>
        <source>変換後</source>
        <comment>accessible name</comment>
        <translation>変換後</translation>
    </message>
    <message>
        <source>今の写真を変換したときに付く名前です</source>
        <comment>accessible description</comment>
        <translation>今の写真を変換したときに付く名前です</translation>
    </message>
    <message>
        <source>チェックすると、変換した写真の名前を付け直します</source>
        <comment>accessible description</comment>
        <translation>チェックすると、変換した写真の名前を付け直します</translation>
    </message>
    <message>
        <source>変換先を選ぶ</source>
        <comment>accessible name</comment>
        <translation>変換先を選ぶ</translation>
    </message>
    <message>
        <source>変換先</source>
        <translation>変換先</translation>
    </message>
    <message>
        <source>変換したファイルを作成するファルダーを指定してください空白の場合は同じフォルダに作成します。</source>
        <translation>変換したファイルを作成するファルダーを指定してください空白の場合は同じフォルダに作成します。</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <comment>accessible name</comment>
        <translation>変換先フォルダ</translation>
    </message>
    <message>
        <source>画像サイズの変換</source>
        <comment>accessible name</comment>
        <translation>画像サイズの変換</translation>
    </message>
    <message>
        <source>写真の大きさを変えて JPEG で書き出します</source>
        <comment>accessible description</comment>
        <translation>写真の大きさを変えて JPEG で書き出します</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;画像サイズの変換</source>
        <translation>&#x3000;&#x3000;画像サイズの変換</translation>
    </message>
    <message>
        <source>画像横幅</source>
        <translation>画像横幅</translation>
    </message>
    <message>
        <source>画像横幅</source>
        <comment>accessible name</comment>
        <translation>画像横幅</translation>
    </message>
    <message>
        <source>作成するぺ字の幅を画素数で指定してください。</source>
        <translation>作成するぺ字の幅を画素数で指定してください。</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Pixels</translation>
    </message>
    <message>
        <source>低&#x3000;&#x3000;画質&#x3000;&#x3000;高</source>
        <translation>低&#x3000;&#x3000;画質&#x3000;&#x3000;高</translation>
    </message>
    <message>
        <source>画質</source>
        <comment>accessible name</comment>
        <translation>画質</translation>
    </message>
    <message>
        <source>数字が大きいほど高画質ですがデータ量は大きくなります</source>
        <translation>数字が大きいほど高画質ですがデータ量は大きくなります</translation>
    </message>
    <message>
        <source>サイン</source>
        <translation>サイン</translation>
    </message>
    <message>
        <source>サイン</source>
        <comment>accessible name</comment>
        <translation>サイン</translation>
    </message>
    <message>
        <source>写真の右下に入れる文字です。空白の場合は入れません</source>
        <comment>accessible description</comment>
        <translation>写真の右下に入れる文字です。空白の場合は入れません</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>サインの大きさ（ポイント）</source>
        <comment>accessible name</comment>
        <translation>サインの大きさ（ポイント）</translation>
    </message>
    <message>
        <source>サインの文字の大きさをポイントで指定します</source>
        <comment>accessible description</comment>
        <translation>サインの文字の大きさをポイントで指定します</translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation>ポイント</translation>
    </message>
    <message>
        <source>サインの字体</source>
        <comment>accessible name</comment>
        <translation>サインの字体</translation>
    </message>
    <message>
        <source>サインの字体と色を選びます</source>
        <comment>accessible description</comment>
        <translation>サインの字体と色を選びます</translation>
    </message>
    <message>
        <source>字</source>
        <translation>字</translation>
    </message>
    <message>
        <source>チェックすると、写真の長い辺を画像横幅の画素数にして JPEG で書き出します</source>
        <comment>accessible description</comment>
        <translation>チェックすると、写真の長い辺を画像横幅の画素数にして JPEG で書き出します</translation>
    </message>
    <message>
        <source>一括変換</source>
        <comment>accessible name</comment>
        <translation>一括変換</translation>
    </message>
    <message>
        <source>リストの写真をリストの順にすべて変換します</source>
        <comment>accessible description</comment>
        <translation>リストの写真をリストの順にすべて変換します</translation>
    </message>
    <message>
        <source>一括変換</source>
        <translation>一括変換</translation>
    </message>
    <message>
        <source>個別変換</source>
        <comment>accessible name</comment>
        <translation>個別変換</translation>
    </message>
    <message>
        <source>今の写真を 1 枚だけ変換します</source>
        <comment>accessible description</comment>
        <translation>今の写真を 1 枚だけ変換します</translation>
    </message>
    <message>
        <source>個別変換</source>
        <translation>個別変換</translation>
    </message>
    <message>
        <source>上へ</source>
        <comment>accessible name</comment>
        <translation>上へ</translation>
    </message>
    <message>
        <source>表示順序を変えます</source>
        <translation>表示順序を変えます</translation>
    </message>
    <message>
        <source>下へ</source>
        <comment>accessible name</comment>
        <translation>下へ</translation>
    </message>
    <message>
        <source>リストを空にする</source>
        <comment>accessible name</comment>
        <translation>リストを空にする</translation>
    </message>
    <message>
        <source>リストを空にします。写真のファイルはそのままです</source>
        <comment>accessible description</comment>
        <translation>リストを空にします。写真のファイルはそのままです</translation>
    </message>
    <message>
        <source>CLR</source>
        <translation>CLR</translation>
    </message>
    <message>
        <source>変換先が空白の場合はオリジナルを変換します</source>
        <translation>変換先が空白の場合はオリジナルを変換します</translation>
    </message>
    <message>
        <source>写真のリスト</source>
        <comment>accessible name</comment>
        <translation>写真のリスト</translation>
    </message>
    <message>
        <source>リスト順にファイル名を一括変換します</source>
        <translation>リスト順にファイル名を一括変換します</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <comment>accessible name</comment>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>今の写真を表示します。ここに写真をドロップすると、すぐに変換します</source>
        <comment>accessible description</comment>
        <translation>今の写真を表示します。ここに写真をドロップすると、すぐに変換します</translation>
    </message>
    <message>
        <source>今の写真</source>
        <comment>accessible name</comment>
        <translation>今の写真</translation>
    </message>
    <message>
        <source>アルバムまたはエクスプローラから写真をドラッグ&amp;ドロップしてください</source>
        <translation>アルバムまたはエクスプローラから写真をドラッグ&amp;ドロップしてください</translation>
    </message>
    <message>
        <source>ImgSaize</source>
        <translation>ImgSaize</translation>
    </message>
    <message>
        <source>進み具合</source>
        <comment>accessible name</comment>
        <translation>進み具合</translation>
    </message>
    <message>
        <source>一括変換の進み具合です。Esc キーで中止できます</source>
        <comment>accessible description</comment>
        <translation>一括変換の進み具合です。Esc キーで中止できます</translation>
    </message>
    <message>
        <source>Esc キーで変換を中止できます</source>
        <translation>Esc キーで変換を中止できます</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Pelmora %1 - ファイル名・画像サイズ変換</source>
        <translation>Pelmora %1 - ファイル名・画像サイズ変換</translation>
    </message>
    <message numerus="yes">
        <source>リストに入るのは %1 件までです。ドロップされた %n 件は追加していません。</source>
        <translation>
            <numerusform>リストに入るのは %1 件までです。ドロップされた %n 件は追加していません。</numerusform>
        </translation>
    </message>
    <message>
        <source>変換する写真のリストです。写真をドロップすると加わります</source>
        <comment>accessible description</comment>
        <translation>変換する写真のリストです。写真をドロップすると加わります</translation>
    </message>
    <message numerus="yes">
        <source>リストに入るのは %1 件までです。元に戻した %n 件はリストに加えていません。</source>
        <translation>
            <numerusform>リストに入るのは %1 件までです。元に戻した %n 件はリストに加えていません。</numerusform>
        </translation>
    </message>
    <message>
        <source>この変換は前回も元に戻しきれませんでした。元に戻すのをあきらめますか？
あきらめると、元に戻せなかったファイルは上に書いた場所にそのまま残り、次の「元に戻す」ではその前の変換を元に戻します。</source>
        <translation>この変換は前回も元に戻しきれませんでした。元に戻すのをあきらめますか？
あきらめると、元に戻せなかったファイルは上に書いた場所にそのまま残り、次の「元に戻す」ではその前の変換を元に戻します。</translation>
    </message>
    <message>
        <source>「%1」の値を使えないため、写真は変換していません。
1 から %2 までの整数（ピクセル数）を入れてください。空欄なら、写真は元の大きさのまま変換します。</source>
        <translation>「%1」の値を使えないため、写真は変換していません。
1 から %2 までの整数（ピクセル数）を入れてください。空欄なら、写真は元の大きさのまま変換します。</translation>
    </message>
</context>
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
        <source>cannot write the undo journal %1: %2</source>
        <translation>元に戻すための記録 %1 を書き込めません: %2</translation>
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
    <message>
        <source>the converted photo may not have reached the disk</source>
        <translation>変換した写真がディスクに書き込まれていない可能性があります</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>the conversion is still running, or being undone; try again once it has finished</source>
        <translation>変換（またはその取り消し）がまだ続いています。終わってからもう一度お試しください</translation>
    </message>
    <message>
        <source>cannot read the undo journal %1: %2</source>
        <translation>元に戻すための記録 %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash: %2</source>
        <translation>%1 をゴミ箱に移せません: %2</translation>
    </message>
    <message>
        <source>remove the empty folder %1</source>
        <translation>空のフォルダ %1 を削除</translation>
    </message>
    <message>
        <source>%1 cannot come back: what was set aside is no longer in %2; %3 stays</source>
        <translation>%1 は元に戻せません。よけておいたファイルが %2 にもうありません。%3 はそのまま残しています</translation>
    </message>
    <message>
        <source>%1 cannot come back from %2: %3</source>
        <translation>%1 を %2 から戻せません: %3</translation>
    </message>
    <message>
        <source>bring back %1 from %2</source>
        <translation>%1 を %2 から戻す</translation>
    </message>
    <message>
        <source>%1 was changed since; the file it replaced is kept in %2</source>
        <translation>%1 は変換の後に変わっています。置き換えられたファイルは %2 に残しています</translation>
    </message>
    <message>
        <source>remove the temporary file %1</source>
        <translation>一時ファイル %1 を削除</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 を読み取れません</translation>
    </message>
    <message>
        <source>the EXIF has no TIFF header</source>
        <translation>EXIF に TIFF ヘッダーがありません</translation>
    </message>
    <message>
        <source>IFD0 cannot be read</source>
        <translation>IFD0 を読み取れません</translation>
    </message>
    <message>
        <source>%1 and %2 overlap</source>
        <translation>%1 と %2 が重なっています</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 bytes one segment holds</source>
        <translation>%1 バイトで、1 つのセグメントに入る %2 バイトを超えています</translation>
    </message>
    <message>
        <source>the converted %1 is now %2: %3</source>
        <translation>変換したファイル %1 は今 %2 にあります: %3</translation>
    </message>
    <message>
        <source>remove the converted %1</source>
        <translation>変換したファイル %1 を削除</translation>
    </message>
    <message>
        <source>the photo&apos;s metadata could not be carried over: Pelmora&apos;s metadata module is missing</source>
        <translation>写真のメタデータを引き継げませんでした。Pelmora のメタデータ用モジュールがありません</translation>
    </message>
    <message>
        <source>a camera RAW file (%1): RAW files are not converted</source>
        <translation>カメラの RAW ファイル（%1）です。RAW ファイルは変換しません</translation>
    </message>
    <message>
        <source>the longer side &quot;%1&quot; is not a whole number of pixels from 1 to %2</source>
        <translation>長辺「%1」は 1 から %2 までの整数（ピクセル数）ではありません</translation>
    </message>
    <message>
        <source>cannot read the undo history %1: %2</source>
        <translation>元に戻すための履歴 %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>some details stored in the photo, such as the camera, the date taken or the caption, could not be read and were not kept</source>
        <translation>写真に記録された情報（カメラ、撮影日時、説明など）の一部を読み取れなかったため、引き継いでいません</translation>
    </message>
    <message>
        <source>the details stored in the photo, such as the camera, the date taken and the caption, could not be written and were not kept</source>
        <translation>写真に記録された情報（カメラ、撮影日時、説明など）を書き込めなかったため、引き継いでいません</translation>
    </message>
    <message>
        <source>the photo&apos;s camera details, such as the date taken and the exposure, were damaged and were not kept</source>
        <translation>写真の撮影情報（撮影日時、露出など）が壊れていたため、引き継いでいません</translation>
    </message>
    <message>
        <source>some of the photo&apos;s camera details, such as the date taken or the exposure, were damaged and were not kept</source>
        <translation>写真の撮影情報（撮影日時、露出など）の一部が壊れていたため、その部分は引き継いでいません</translation>
    </message>
    <message>
        <source>the photo&apos;s camera details, such as the date taken and the exposure, were too large for a JPEG and were not kept</source>
        <translation>写真の撮影情報（撮影日時、露出など）が JPEG に収まらない大きさのため、引き継いでいません</translation>
    </message>
    <message>
        <source>some details of the photo, such as its date or description, were recorded twice with different values; the first of each was kept</source>
        <translation>写真の情報（日時、説明など）の一部が異なる値で二重に記録されていたため、それぞれ最初の値を引き継ぎました</translation>
    </message>
    <message>
        <source>some extra details of the photo, such as its editing history, were too large for a JPEG and were not kept</source>
        <translation>写真の追加情報（編集の履歴など）が JPEG に収まらない大きさのため、引き継いでいません</translation>
    </message>
    <message>
        <source>the converted file stays as %1</source>
        <translation>変換したファイルは %1 として残っています</translation>
    </message>
    <message>
        <source>the file it was to replace could not be put back and is now %1 (%2)</source>
        <translation>置き換えるはずだったファイルは元に戻せず、%1 にあります（%2）</translation>
    </message>
    <message>
        <source>cannot read the undo journal %1: it is not a journal of this version of Pelmora</source>
        <translation>元に戻すための記録 %1 を読み込めません: このバージョンの Pelmora の記録ではありません</translation>
    </message>
    <message>
        <source>there is no unfinished undo to give up</source>
        <translation>元に戻しきれていない変換がないため、取りやめるものはありません</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>%1 entries %2</source>
        <translation>%1 のエントリ %2</translation>
    </message>
    <message>
        <source>%1 point beyond the EXIF&apos;s %2 bytes</source>
        <translation>%1 が EXIF の %2 バイトより先を指しています</translation>
    </message>
    <message>
        <source>resized photos would lose their metadata: Pelmora&apos;s metadata module cannot be loaded (%1)</source>
        <translation>サイズを変換した写真のメタデータを引き継げません。Pelmora のメタデータ用モジュールを読み込めません (%1)</translation>
    </message>
    <message>
        <source>some entries of the photo&apos;s EXIF point outside it and were left out</source>
        <translation>写真の EXIF に範囲外を指すエントリがあったため、それらを除いて保存しました</translation>
    </message>
    <message>
        <source>cannot encode the picture as %1: %2</source>
        <translation>写真を %1 に変換できません: %2</translation>
    </message>
    <message>
        <source>Pelmora does not write .%1 pictures: give the new name the extension of a format it writes (jpg, webp, avif, heic, png, tif or bmp)</source>
        <translation>Pelmora は .%1 の画像を書き出しません。変換後の名前には書き出せる形式の拡張子 (jpg、webp、avif、heic、png、tif、bmp) を付けてください</translation>
    </message>
</context>
<context>
    <name>uitexts</name>
    <message>
        <source>リスト</source>
        <translation>リスト</translation>
    </message>
    <message>
        <source>ファイル名か空白か変換するファイルが選択されていません</source>
        <translation>ファイル名か空白か変換するファイルが選択されていません</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞを選択して下さい。</source>
        <translation>ﾌｫﾙﾀﾞを選択して下さい。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ImageSze Width: %1  Height: %2</source>
        <translation>ImageSze Width: %1  Height: %2</translation>
    </message>
</context>
</TS>
