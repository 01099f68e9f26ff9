#!/usr/bin/env python3
"""Writes data/program/English.lang and data/program/japanese.lang.

A language file holds one entry per line (line i + 1 = entry i), 360 lines, UTF-8, CR LF.
A line break inside an entry is written as the two characters backslash and n; here it is an
ordinary "\\n" in the Python text. Entries that the program does not use stay empty.
Entries 20..147 (the instruments) come from lang_instruments.py.

Run from anywhere:  python3 scripts/gen_lang.py
"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from lang_instruments import INSTRUMENTS  # noqa: E402

LINE_COUNT = 360
FIRST_INSTRUMENT = 20
ALLOWED_BANKS = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 24, 32}
FONT_SIZE_ENTRIES = (15, 16, 17, 19)
OUTPUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "program"

# Entry: (English, Japanese). The comment names where the text appears.
WORDING = {
    # --- titles, captions of the main window ---------------------------------------------
    0: ("Kirivane", "Kirivane"),  # program title, start of the window caption
    1: ("Kirivane Percussion", "Kirivane パーカッション"),  # title with the percussion set
    2: ("Play music on your computer keyboard.",  # about box description, first part
        "パソコンのキーボードで演奏しましょう。"),
    3: ("Kirivane turns the typing keys into a 37-key musical keyboard that plays "
        "any MIDI instrument.",  # about box description, second part
        "Kirivane は文字キーを37鍵の鍵盤に変え、好きな MIDI 音源で音を鳴らします。"),
    4: ("https://www.fluidsynth.org/", "https://www.fluidsynth.org/"),  # about box link 1
    5: ("https://midi.org/", "https://midi.org/"),  # about box link 2
    6: ("OK", "OK"),  # OK buttons of the dialogs
    7: ("Cancel", "キャンセル"),  # Cancel buttons of the dialogs
    8: (" [Key monitor ON]", " [キー監視中]"),  # caption suffix while the key hook is on
    9: (" - Compact", " - コンパクト"),  # caption part of display mode 1
    10: (" - 128 Keys", " - 128鍵"),  # caption part of display mode 2
    11: ("Kirivane performance", "Kirivane 演奏ファイル"),  # file-type description of .lyr
    12: ("Built-in synthesizer", "内蔵シンセサイザー"),  # first device: the MIDI mapper
    # --- fonts: names 13, 14, 18 and sizes 15, 16, 17, 19 (numbers) -------------------------
    13: ("DejaVu Sans", "IPAGothic"),  # labels, list, buttons
    14: ("DejaVu Sans", "IPAGothic"),  # chord select dialog
    15: ("9", "9"),  # labels of the main window, OK buttons
    16: ("8", "9"),  # instrument list, tempo and beat labels, links
    17: ("8", "9"),  # device, tempo and beat lists, speed label, chord buttons
    19: ("9", "9"),  # the forms, the keyboard messages
    18: ("DejaVu Sans", "IPAPGothic"),  # the forms and the lists
    # --- main window -------------------------------------------------------------------
    148: ("Click: skip back or forward", "クリックで前後にジャンプ"),  # time display ends
    150: ("Instrument", "音色"),  # Label8, followed by entry 154
    151: ("Pitch bend", "ピッチベンド"),  # Label9, followed by entry 154
    152: ("MIDI out", "MIDI出力"),  # Label5, followed by entry 154
    153: ("Chord", "コード"),  # Label1, followed by entry 154
    154: (":", "："),  # common suffix of entries 150..153
    155: ("Octave", "オクターブ"),  # Label2
    156: ("Transpose", "移調"),  # Label3
    157: ("x0.5", "0.5倍速"),  # playback speed label
    158: ("x1.0", "等速"),
    159: ("x2.0", "2倍速"),
    160: ("x1.5", "1.5倍速"),
    161: ("Tempo", "テンポ"),  # Label4
    162: ("Beat", "拍子"),  # Label6
    # --- menus ----------------------------------------------------------------------------
    163: ("Menu", "メニュー"),  # mnu
    164: ("Variation", "バリエーション"),  # mnuBankSelect
    165: ("Key map", "キー配置"),  # mnuKeysFile
    166: ("Standard layout", "標準配置"),  # mnuKeysDefault
    167: ("Modified layout", "変形配置"),  # mnuKeysMod
    168: ("Positional layout", "ポジション配置"),  # mnuKeysPosition
    169: ("Open key map file...", "キー配置ファイルを開く..."),  # mnuKeysFileOpen
    170: ("Open performance...", "演奏ファイルを開く..."),  # mnuFileOpen
    171: ("Save performance...", "演奏を保存..."),  # mnuFileSave
    172: ("Chord list...", "コード一覧..."),  # mnuChSelect
    173: ("Options...", "オプション..."),  # mnuOption
    174: ("Panels", "パネル"),  # mnuPaneru
    175: ("Record/play panel", "録音・再生パネル"),  # mnuPaneruOC
    176: ("Switch controller (F10)", "コントローラー切り替え (F10)"),  # mnuCC
    177: ("Always on top", "常に手前に表示"),  # mnuTopmost
    178: ("Volume control...", "音量調節..."),  # mnuVol
    179: ("About Kirivane...", "バージョン情報..."),  # mnuversion
    180: ("Exit", "終了"),  # mnuExit
    182: ("Merry Christmas! Click to switch the controller",  # Image11, seasonal period
          "メリークリスマス！ クリックでコントローラーを切り替えます"),
    # --- key monitor button Check1 ---------------------------------------------------------
    183: ("K", "監"),  # short form in display modes 1 and 2
    184: ("Monitor", "キー監視"),  # hook off
    185: ("Monitoring", "監視中"),  # hook on
    186: (" [Random keys]", " [ランダム配置]"),  # caption suffix with the random key map
    187: ("PLAY", "再生"),  # note label while playing
    188: ("REC", "録音"),  # note label while recording
    # --- about box ---------------------------------------------------------------------------
    190: ("About Kirivane", "Kirivane について"),  # form caption
    191: ("Links:", "リンク："),  # heading above the two links
    192: ("Open .lyr files with Kirivane", ".lyr ファイルを Kirivane で開く"),  # not registered
    193: ("Open .lyr files with Kirivane (registered)",  # registered
          ".lyr ファイルを Kirivane で開く（登録済み）"),
    194: ("This software comes with no warranty. Use it at your own risk.",
          "このソフトウェアは無保証です。ご自身の責任でお使いください。"),  # disclaimer
    195: ("Press F1 in the main window for help.", "メイン画面で F1 を押すとヘルプが開きます。"),
    # --- performance information tooltips ----------------------------------------------------
    196: ("Title: %1", "タイトル：%1"),  # Image7 with a title
    197: ("Author: %1", "作者：%1"),  # Image8 with an author
    198: ("Key map files (*.keys)", "キー配置ファイル (*.keys)"),  # key map dialog filter
    199: ("Turn the MIDI output on or off", "MIDI出力のオン・オフ"),  # Command1
    # --- chord select dialog ------------------------------------------------------------
    200: ("Chord Select", "コード選択"),  # form caption
    201: ("Major", "メジャー"),  # column headings
    202: ("Minor", "マイナー"),
    203: ("7th", "7th"),
    204: ("m7", "m7"),
    205: ("maj7", "maj7"),
    206: ("6th", "6th"),
    207: ("sus4", "sus4"),
    208: ("dim", "dim"),
    209: ("aug", "aug"),
    210: ("C", "C"),  # row headings
    211: ("D", "D"),
    212: ("E", "E"),
    213: ("F", "F"),
    214: ("G", "G"),
    215: ("A", "A"),
    216: ("B", "B"),
    217: ("B♭", "B♭"),
    218: ("How to use", "使い方"),  # explanation frame
    219: ("Press a button to hear its chord.\nMove the bar to invert the chord,\n"
          "then press OK to use it.",
          "ボタンを押すとコードが鳴ります。\nバーを動かすと転回形になります。\n"
          "OK で決定します。"),
    220: ("Chord:", "コード："),  # in front of the shown chord
    221: ("Inversion", "転回"),  # inversion scroll bar
    # --- main window tooltips --------------------------------------------------------------
    222: ("Click to switch the controller (volume, pitch bend, modulation)",  # Image11
          "クリックでコントローラーを切り替え（音量・ピッチベンド・モジュレーション）"),
    223: ("Drag to move the window. Right-click for the menu.",  # Image15
          "ドラッグでウィンドウを移動、右クリックでメニュー"),
    224: ("Right-click for the menu", "右クリックでメニュー"),  # Image14
    225: ("Author: (unknown)", "作者：（未設定）"),  # Image8 without an author
    226: ("Title: (untitled)", "タイトル：（未設定）"),  # Image7 without a title
    227: ("Percussion set (channel 10)", "パーカッション（10チャンネル）"),  # Image16
    228: ("Drag to move the window", "ドラッグでウィンドウを移動"),  # Image9
    229: ("Drag to move the window", "ドラッグでウィンドウを移動"),  # Image10
    # --- options dialog -----------------------------------------------------------------
    230: ("Options", "オプション"),  # form caption
    231: ("Performance", "演奏情報"),  # Frame5
    232: ("Title", "タイトル"),  # Label2
    233: ("Author", "作者"),  # Label3
    234: ("User chords", "ユーザーコード"),  # Frame3
    235: ("Notes (semitones)", "構成音（半音）"),  # LblCS
    236: ("Name", "名前"),  # Label1
    237: ("Num 1", "テンキー1"),  # LblChords(0..8)
    238: ("Num 2", "テンキー2"),
    239: ("Num 3", "テンキー3"),
    240: ("Num 4", "テンキー4"),
    241: ("Num 5", "テンキー5"),
    242: ("Num 6", "テンキー6"),
    243: ("Num 7", "テンキー7"),
    244: ("Num 8", "テンキー8"),
    245: ("Num 9", "テンキー9"),
    246: ("Double-click a key name to restore its built-in chord.",  # LblOptComment(2)
          "キー名をダブルクリックすると最初のコードに戻ります。"),
    247: ("MIDI channels", "MIDIチャンネル"),  # Frame1
    248: ("Keyboard channel", "鍵盤のチャンネル"),  # LblOption(0)
    249: ("Channel of the notes you play.", "演奏する音のチャンネルです。"),  # LblOptComment(3)
    250: ("Playback channel", "再生のチャンネル"),  # LblOption(1)
    251: ("Channel of the recorded notes.", "録音した音のチャンネルです。"),  # LblOptComment(4)
    252: ("Channel 10 is kept for the percussion set.",  # LblOptComment(0)
          "10チャンネルはパーカッション専用です。"),
    253: ("Velocity", "ベロシティ"),  # Frame2
    254: ("Key velocity", "キーのベロシティ"),  # LblOption(2)
    255: ("(1-127)", "（1～127）"),  # LblOptComment(5)
    256: ("Loudness of the notes played with the keys.",  # LblOptComment(1)
          "キーで弾いた音の強さです。"),
    257: ("Mouse velocity range", "マウスのベロシティ幅"),  # LblOption(3)
    258: ("(0-63)", "（0～63）"),  # LblOptComment(8)
    259: ("With the mouse, the lower you click on a key, the louder it sounds.",
          "マウスでは鍵盤の下の方ほど強い音になります。"),  # LblOptComment(6)
    260: ("Controls", "操作"),  # Frame4
    261: ("Wheel step", "ホイールの変化量"),  # LblOption(4)
    262: ("(1-32)", "（1～32）"),  # LblOptComment(7)
    263: ("Step of the mouse wheel and the arrow keys on the controller panel.",
          "コントローラーパネルでのホイールと矢印キーの変化量です。"),  # LblOptCom
    264: ("Turn off window effects", "ウィンドウの効果を切る"),  # ChkEffect
    265: ("Do not draw the keyboard while keys are monitored",  # ChkNoKBPaint
          "キー監視中は鍵盤を描画しない"),
    266: ("MIDI file import", "MIDIファイルの読み込み"),  # Frame6
    267: ("Channels to read", "読み込むチャンネル"),  # LblOption(6)
    268: ("Notes on the ticked channels are imported.",  # LblOptComment(10)
          "チェックしたチャンネルの音を読み込みます。"),
    269: ("Channel", "チャンネル"),  # Label5
    270: ("MIDI file export", "MIDIファイルの書き出し"),  # Frame7
    271: ("Ending time", "終わりの余白"),  # LblOption(5)
    272: ("(0-5000)", "（0～5000）"),  # LblOptComment(9)
    273: ("ms of silence after the last note", "ミリ秒（最後の音のあとの無音）"),  # Label4
    274: ("Picture folder (click: program folder)",  # LblIconPath
          "画像フォルダー（クリックでプログラムのフォルダー）"),
    275: ("Defaults", "初期値に戻す"),  # CmdDef
    # --- more main window tooltips ----------------------------------------------------------
    277: ("Chords: keypad 1-9 and . play a chord, F7 steps through them, keypad 0 or F6 clears",
          "コード：テンキー1～9と . で選択、F7 で順に切り替え、テンキー0 か F6 で解除"),  # Label1
    278: ("Choose a chord from the chord list",  # Command10(0), ImgMusicIcon
          "コード一覧からコードを選びます"),
    279: ("Chord pad: click a chord to play with it",  # ImgChordPad
          "コードパッド：クリックしたコードで演奏します"),
    # --- keyboard messages -----------------------------------------------------------------
    280: ("Progress: ", "進行状況："),  # before the percentage
    281: ("%", "％"),  # after the percentage
    282: ("Thank you for playing!", "ご利用ありがとうございました"),  # farewell, first line
    283: ("See you again soon ♪", "またお会いしましょう♪"),  # farewell, second line
    284: ("Key monitor is on: the keyboard is not drawn.",  # drawing off while hooked
          "キー監視中のため鍵盤を表示していません"),
    285: ("Please wait...", "しばらくお待ちください..."),  # second line without a count
    286: ("Please wait", "お待ちください"),  # the same on one line (128-key view)
    # --- reset menu --------------------------------------------------------------------------
    287: ("MIDI Reset", "MIDIリセット"),  # mnuReset
    288: ("GM Reset", "GMリセット"),  # mnuGMReset
    289: ("GS Reset", "GSリセット"),  # mnuGSReset
    290: ("XG Reset", "XGリセット"),  # mnuXGReset
    292: ("Finishing the recording...", "録音を仕上げています..."),  # after a take
    293: ("Writing the MIDI file...", "MIDIファイルを書き出しています..."),  # export
    294: ("Reading the MIDI file...", "MIDIファイルを読み込んでいます..."),  # import
    295: ("No channel is selected for import.", "読み込むチャンネルがありません"),
    296: ("This MIDI file format cannot be imported.", "この形式のMIDIファイルは読み込めません"),
    # --- file dialogs ----------------------------------------------------------------------
    298: ("Performance files (*.lyr)", "演奏ファイル (*.lyr)"),
    299: ("MIDI files (*.mid)", "MIDIファイル (*.mid)"),
    300: ("Save performance", "演奏を保存"),  # save dialog title
    301: ("Open performance", "演奏ファイルを開く"),  # open dialog title
    302: ("Open key map", "キー配置ファイルを開く"),  # key map dialog title
    # --- record/playback panel tooltips ------------------------------------------------------
    303: ("Options", "オプション"),  # Command10(1)
    304: ("Reset the sound (transpose back to 0)", "音をリセット（移調も0に戻します）"),
    305: ("Exit", "終了"),  # Command100(0)
    306: ("Open or close the record/play panel", "録音・再生パネルの開閉"),  # Image13
    307: ("Playback speed: click to change", "再生速度：クリックで変更"),  # Label7
    308: ("Stop (F5)", "停止 (F5)"),  # CmdStop
    309: ("Record (Ctrl+F5). Press Esc first to add to the performance.",  # CmdRec
          "録音 (Ctrl+F5)。先に Esc を押すと続きから録音します"),
    310: ("Play (F5)", "再生 (F5)"),  # CmdStart
    311: ("Click: play or stop. Ctrl+click: record. Right-click: chords",  # ImgLyrcon
          "クリックで再生・停止、Ctrl+クリックで録音、右クリックでコード"),
    312: ("Loop playback on or off", "繰り返し再生のオン・オフ"),  # CmdLoop
    313: ("Save the performance", "演奏を保存"),  # CmdSave
    314: ("Open a performance or MIDI file", "演奏ファイル・MIDIファイルを開く"),  # CmdOpen
    315: ("Metronome on or off (F11)", "メトロノームのオン・オフ (F11)"),  # CkMtr
    316: ("Double-click for one more option", "ダブルクリックで隠しオプション"),  # options Image2
    317: ("Show or hide the help", "使い方の表示・非表示"),  # chord dialog Image2
    # --- messages ----------------------------------------------------------------------------
    318: ("Percussion set", "パーカッション"),  # title
    319: ("The keyboard now plays the percussion set on channel 10.\n"
          "Click one of the two characters to return to the instruments.",
          "鍵盤でパーカッション（10チャンネル）を演奏します。\n"
          "元の音色に戻すには、キャラクターの絵をクリックしてください。"),
    320: (" - Error", " - エラー"),  # suffix of message titles
    321: ("Performance and MIDI files (*.lyr;*.mid)", "演奏・MIDIファイル (*.lyr;*.mid)"),
    322: ("The screen is too small for Kirivane.\nThe program will close.",
          "画面が小さすぎるため Kirivane を起動できません。\n終了します。"),
    323: ("There is no performance to play.\nRecord one or open a file first.",
          "再生する演奏がありません。\n録音するか、ファイルを開いてください。"),
    324: ("There is no performance to save.\nRecord one or open a file first.",
          "保存する演奏がありません。\n録音するか、ファイルを開いてください。"),
    325: ("Recording time limit", "録音時間の上限"),  # title
    326: ("A single recording can last up to 15 minutes.\nThe recording has been stopped.",
          "1回の録音は15分までです。\n録音を停止しました。"),
    327: ("File association", "ファイルの関連付け"),  # title
    328: ("The .lyr file type could not be registered or removed.\n"
          "Check that your desktop settings folder can be written.",
          ".lyr ファイルの関連付けを変更できませんでした。\n"
          "デスクトップ設定のフォルダーに書き込めるか確認してください。"),
    329: ("Recording limit", "録音の上限"),  # title
    330: ("The performance has reached 32767 events.\nThe recording has been stopped.",
          "演奏データが32767個に達しました。\n録音を停止しました。"),
    331: ("Channel 10 is kept for the percussion set.\nPlease choose another channel.",
          "10チャンネルはパーカッション専用です。\n別のチャンネルを選んでください。"),
    332: (" - Defaults", " - 初期値"),  # title suffix
    333: ("Restore the default settings.\nReset the nine user chords as well?",
          "設定を初期値に戻します。\n9つのユーザーコードも元に戻しますか？"),
    334: (" - MIDI import", " - MIDI読み込み"),  # title suffix
    335: ("Tick at least one channel to read from MIDI files.",
          "MIDIファイルから読み込むチャンネルを1つ以上選んでください。"),
    336: ("The new picture folder is used from the next start of Kirivane.",
          "新しい画像フォルダーは次回の起動から使われます。"),
    337: ("No channel is selected for reading MIDI files.\nChoose channels in the options.",
          "MIDIファイルから読み込むチャンネルが選ばれていません。\nオプションで選んでください。"),
    338: ("This performance file was made by a newer version and cannot be read.",
          "この演奏ファイルは新しいバージョンで作られたため読み込めません。"),
    339: ("Key map file", "キー配置ファイル"),  # title
    340: ("The key map file was not found:\n%1\nThe standard key map is used instead.",
          "キー配置ファイルが見つかりません：\n%1\n標準のキー配置を使います。"),
    341: ("The file could not be read.\nError %1", "ファイルを読み込めませんでした。\nエラー %1"),
    342: ("This MIDI file is format %1.\nOnly format 0 files can be imported.",
          "このMIDIファイルはフォーマット%1です。\n読み込めるのはフォーマット0だけです。"),
    344: ("The chord list could not be read:\n%1\nKirivane will close.",
          "コード一覧を読み込めませんでした：\n%1\nKirivane を終了します。"),
    346: ("The MIDI volume is set to 0.\nOpen the volume control?",
          "MIDIの音量が0になっています。\n音量調節を開きますか？"),
    347: ("The standard key map could not be read.\n%1 will close.",
          "標準のキー配置ファイルを読み込めませんでした。\n%1 を終了します。"),
    348: ("Key map error", "キー配置エラー"),  # title
    349: ("Score view", "楽譜表示"),  # mnuScoreOC
    350: ("No MIDI output device was found.\nClose the program?\n"
          "(No: go on without sound)",
          "MIDI出力デバイスが見つかりません。\n終了しますか？\n"
          "（「いいえ」で音を出さずに続けます）"),
}


def variation_text(variations, language):
    items = []
    for bank, english, japanese in variations:
        name = english if language == 0 else japanese
        assert bank in ALLOWED_BANKS, f"bank {bank} has no button"
        assert not any(c in name for c in ",:\t"), f"separator in variation name {name!r}"
        items.append(f"{bank}:{name}")
    return ",".join(items)


def build_lines(language):
    """The 360 lines of one file; language 0 = English, 1 = Japanese."""
    entries = [""] * LINE_COUNT
    for number, texts in WORDING.items():
        assert 0 <= number < LINE_COUNT and not FIRST_INSTRUMENT <= number < FIRST_INSTRUMENT + 128
        entries[number] = texts[language]
    assert len(INSTRUMENTS) == 128
    for program, (english, japanese, variations) in enumerate(INSTRUMENTS):
        name = english if language == 0 else japanese
        assert variations == [] or (len(variations) >= 2 and variations[0][0] == 0), english
        text = name + ("\t" + variation_text(variations, language) if variations else "")
        entries[FIRST_INSTRUMENT + program] = text
    for number in FONT_SIZE_ENTRIES:
        assert entries[number].isdigit(), f"entry {number} must be a number"
    lines = []
    for number, text in enumerate(entries):
        assert "\r" not in text and "\\n" not in text, f"entry {number}"
        lines.append(text.replace("\n", "\\n"))
    return lines


def main():
    for language, name in ((0, "English.lang"), (1, "japanese.lang")):
        lines = build_lines(language)
        assert len(lines) == LINE_COUNT
        path = OUTPUT / name
        path.write_bytes("".join(line + "\r\n" for line in lines).encode("utf-8"))
        print(f"{path}: {sum(1 for line in lines if line)} entries")


if __name__ == "__main__":
    main()
