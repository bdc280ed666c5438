#include "app/window/menus.h"

namespace vellumo {

namespace {

constexpr TShortCut C = scCtrl, S = scShift, A = scAlt;
constexpr TShortCut K(unsigned key, TShortCut mods = 0) { return ShortCut(key, mods); }
constexpr unsigned kF1 = 0x70, kF3 = 0x72, kF4 = 0x73, kF5 = 0x74, kF11 = 0x7A, kF12 = 0x7B;
constexpr unsigned kTab = 0x09, kReturn = 0x0D, kBack = 0x08, kIns = 0x2D, kDel = 0x2E;
constexpr unsigned kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr unsigned kBackslashKey = 0xDC, kBracketKey = 0xDB;  // the keys of \ and [

#define SEP(level) {level, "-", "-", 0, "", 0, 0, nullptr}

constexpr TMenuEntry kMain[] = {
    // File
    {0, "File1", "ファイル(&F)", 0, "", 0, 0, nullptr},
    {1, "mNew", "新規作成(&N)", K('N', C), "新規にファイルを作成", 0, 0, nullptr},
    {1, "mOpen", "開く(&O)...", K('O', C), "既存のファイルを開く", 0, 0, nullptr},
    {1, "mOpen2", "閉じて開く(&C)...", 0, "作業中のファイルを閉じて開く", 0, 0, nullptr},
    {1, "mReOpen", "開き直す(&R)", 0, "", 0, 0, nullptr},
    {2, "mFileHisNone", "(なし)", 0, "", mfDisabled, 0, nullptr},
    SEP(2),
    {2, "mFileHisDel", "履歴をクリア(&C)", 0, "すべてのファイル履歴をクリア", 0, 0, nullptr},
    SEP(1),
    {1, "mReLoad", "再読込(&L)", K(kF5), "作業中のファイルを再読込", 0, 0, nullptr},
    {1, "mReLoadCode", "文字コード指定再読込(&D)", 0, "", 0, 0, nullptr},
    {2, "mReLoad_Sjis", "SHIFT-JIS(&S)", 0, "作業中のファイルを SHIFT-JIS で再読込", 0, 0, nullptr},
    {2, "mReLoad_Jis", "JIS(&J)", 0, "作業中のファイルを JIS で再読込", 0, 1, nullptr},
    {2, "mReLoad_Euc", "EUC(&E)", 0, "作業中のファイルを EUC で再読込", 0, 2, nullptr},
    {2, "mReLoad_Unicode", "Unicode(&U)", 0, "作業中のファイルを Unicode で再読込", 0, 3, nullptr},
    {2, "mReLoad_UTF8", "UTF-8(N)(&T)", 0, "作業中のファイルを UTF-8(N) で再読込", 0, 4, nullptr},
    SEP(1),
    {1, "mSave", "上書き保存(&S)", K('S', C), "作業中のファイルを上書き保存", 0, 0, nullptr},
    {1, "mSaveAs", "名前を付けて保存(&A)...", K('S', C | S), "作業中のファイルに名前を付けて保存", 0, 0, nullptr},
    {1, "mWordWrapRetSave", "折り返し反映保存(&W)", 0, "", 0, 0, nullptr},
    {2, "mSave2", "上書き保存(&S)", K('S', C | A), "作業中のファイルの折り返しへ改行挿入後上書き保存", 0, 0, nullptr},
    {2, "mSaveAs2", "名前を付けて保存(&A)...", 0, "作業中のファイルの折り返しへ改行挿入後名前を付けて保存", 0, 0, nullptr},
    {2, "mSaveExit2", "保存して閉じる(&E)", K('E', C | A),
     "作業中のファイルの折り返しへ改行挿入後保存してウィンドウを閉じる", 0, 0, nullptr},
    {1, "mSave_JCode", "文字/改行コード指定保存(&K)...", 0, "作業中のファイルを指定の文字/改行コードで保存", 0, 0, nullptr},
    SEP(1),
    {1, "mPrint", "印刷(&P)...", K('P', C), "作業中のファイルを印刷", 0, 0, nullptr},
    {1, "mView", "印刷プレビュー(&V)...", 0, "作業中のファイルを印刷プレビュー", 0, 0, nullptr},
    SEP(1),
    {1, "mSaveExit", "保存して閉じる(&E)", K('E', C), "作業中のファイルを保存してウィンドウを閉じる", 0, 0, nullptr},
    {1, "mAppExit", "閉じる(&X)", K('W', C), "ウィンドウを閉じる", 0, 0, nullptr},

    // Edit
    {0, "Edit1", "編集(&E)", 0, "", 0, 0, nullptr},
    {1, "mUndo", "元に戻す(&U)", K('Z', C), "直前の操作を元に戻す", 0, 0, nullptr},
    {1, "mRedo", "やり直し(&R)", K('Y', C), "直前の操作をやり直す", 0, 0, nullptr},
    SEP(1),
    {1, "mCut", "切り取り(&T)", K('X', C), "選択範囲を切り取ってクリップボードに保存", 0, 0, nullptr},
    {1, "mCopy", "コピー(&C)", K('C', C), "選択範囲をコピーしてクリップボードに保存", 0, 0, nullptr},
    {1, "mWordWrapCopy", "折り返し反映コピー(&W)", K('C', C | S),
     "選択範囲をコピーし折り返しへ改行挿入後クリップボードに保存", 0, 0, nullptr},
    {1, "mPaste", "貼り付け(&P)", K('V', C), "クリップボードの内容を貼り付け", 0, 0, nullptr},
    {1, "mInyouPaste", "引用符付き貼り付け(&Q)", K('Q', C), "クリップボードの内容に引用符を付けて貼り付け", 0, 0, nullptr},
    {1, "mPasteBox", "矩形貼り付け(&O)", K('K', C), "クリップボードの内容を矩形貼り付け", 0, 0, nullptr},
    {1, "mDelete", "削除(&L)", 0, "選択範囲を削除", 0, 0, nullptr},
    {1, "mLineDel", "行削除(&D)", K(kReturn, C), "カーソル行を削除", 0, 0, nullptr},
    SEP(1),
    {1, "mHenkan", "変換(&V)", 0, "", 0, 0, nullptr},
    {2, "mReConv", "再変換(&R)", 0, "IME で確定文字を再変換", 0, 0, nullptr},
    SEP(2),
    {2, "mLower", "小文字に変換(&L)", K('L', C), "選択範囲を小文字に変換", 0, 0, nullptr},
    {2, "mUpper", "大文字に変換(&U)", K('L', C | S), "選択範囲を大文字に変換", 0, 0, nullptr},
    {2, "mHankaku", "半角に変換(&H)", K('G', C), "選択範囲を半角に変換", 0, 0, nullptr},
    {2, "mZenkaku", "全角に変換(&Z)", K('G', C | S), "選択範囲を全角に変換", 0, 0, nullptr},
    SEP(2),
    {2, "mTabIndent", "TAB インデント(&T)", 0, "選択範囲の先頭に TAB を挿入", 0, 0, "Tab"},
    {2, "mUnTabIndent", "TAB 逆インデント(&A)", 0, "選択範囲の先頭の TAB を削除", 0, 0, "Shift+Tab"},
    {2, "mIndent", "空白 インデント(&S)", K('I', C | S), "選択範囲の先頭に半角空白を挿入", 0, 0, nullptr},
    {2, "mUnIndent", "空白 逆インデント(&P)", K('U', C | S), "選択範囲の先頭の半角空白を削除", 0, 0, nullptr},
    SEP(2),
    {2, "mWorpRet", "折り返しへ改行挿入(&E)", K('T', C), "折り返し行の最後に改行を挿入", 0, 0, nullptr},
    {2, "mDelRet", "改行削除(&D)", K('T', C | S), "選択範囲の改行を削除", 0, 0, nullptr},
    SEP(1),
    {1, "mSelectAll", "すべて選択(&A)", K('A', C), "すべてを選択", 0, 0, nullptr},
    {1, "mBoxMode", "矩形選択(&B)", K('B', C), "矩形選択 ON/OFF", 0, 0, nullptr},
    {1, "mFreeCaret", "フリーカーソル(&F)", K('F', C | S), "フリーカーソル ON/OFF", 0, 0, nullptr},
    SEP(1),
    {1, "mReadOnly", "書き換え禁止(&E)", K('N', C | S), "書き換え禁止の指定", 0, 0, nullptr},
    {1, "mUndo2", "元に戻す", K(kBack, A), "", mfHidden, 0, nullptr},
    {1, "mCut2", "切り取り", K(kDel, S), "", mfHidden, 0, nullptr},
    {1, "mCopy2", "コピー", K(kIns, C), "", mfHidden, 0, nullptr},
    {1, "mPaste2", "貼り付け", K(kIns, S), "", mfHidden, 0, nullptr},

    // Search
    {0, "Find1", "検索(&S)", 0, "", 0, 0, nullptr},
    {1, "mFind", "検索(&F)...", K('F', C), "指定した文字列の検索", 0, 0, nullptr},
    {1, "mFindUp", "上を検索(&U)", K(kF3, S), "上を検索", 0, 0, nullptr},
    {1, "mFindDown", "下を検索(&D)", K(kF3), "下を検索", 0, 0, nullptr},
    {1, "mReplace", "置換(&R)...", K('R', C), "指定した文字列を他の文字列で置換", 0, 0, nullptr},
    SEP(1),
    {1, "mRowJmp", "指定行(&J)...", K('J', C), "指定の行へ移動", 0, 0, nullptr},
    {1, "mKakkoJmp", "対応する括弧(&K)", K(kBracketKey, C), "対応する括弧を検索", 0, 0, nullptr},

    // View
    {0, "Show1", "表示(&V)", 0, "", 0, 0, nullptr},
    {1, "mMode", "編集モード(&M)", 0, "", 0, 0, nullptr},
    {2, "mMode_def", "標準(&N)", 0, "標準モード", mfRadio, 0, nullptr},
    {2, "mMode_Html", "HTML(&H)", 0, "HTML モード", mfRadio, 1, nullptr},
    {2, "mMode_Perl", "Perl(&P)", 0, "Perl モード", mfRadio, 2, nullptr},
    {2, "mMode_Php", "PHP(&E)", 0, "PHP モード", mfRadio, 11, nullptr},
    {2, "mMode_Css", "CSS(&A)", 0, "CSS モード", mfRadio, 12, nullptr},
    {2, "mMode_Ruby", "Ruby(&R)", 0, "Ruby モード", mfRadio, 10, nullptr},
    {2, "mMode_Ini", "INI(&I)", 0, "INI モード", mfRadio, 3, nullptr},
    {2, "mMode_Bat", "BAT(&B)", 0, "BAT モード", mfRadio, 4, nullptr},
    {2, "mMode_Cpp", "C/C++(&C)", 0, "C/C++ モード", mfRadio, 5, nullptr},
    {2, "mMode_Java", "Java(&J)", 0, "Java モード", mfRadio, 6, nullptr},
    {2, "mMode_JS", "JavaScript(&T)", 0, "JavaScript モード", mfRadio, 13, nullptr},
    {2, "mMode_VB", "VB(&V)", 0, "VB モード", mfRadio, 7, nullptr},
    {2, "mMode_Hsp", "HSP(&S)", 0, "HSP モード", mfRadio, 8, nullptr},
    {2, "mMode_Delphi", "Delphi(&D)", 0, "Delphi モード", mfRadio, 9, nullptr},
    SEP(1),
    {1, "mToolBar", "ツールバー(&T)", 0, "ツールバーの表示/非表示", 0, 0, nullptr},
    {1, "mStatusBar", "ステータスバー(&S)", 0, "ステータスバーの表示/非表示", 0, 0, nullptr},
    SEP(1),
    {1, "mInyouRow", "引用行(&Q)", 0, "引用行の別色表示 ON/OFF", 0, 0, nullptr},
    {1, "mLinkWord", "リンク(&L)", 0, "リンクの別色表示 ON/OFF", 0, 0, nullptr},
    {1, "mUrlEx", "URL拡張(&U)", 0, "URL拡張 ON/OFF", 0, 0, nullptr},
    SEP(1),
    {1, "mOnWordWrap", "**桁で折り返し(&W)", K('W', C | S), "指定の桁数で折り返し", 0, 0, nullptr},
    {1, "mWordWrapList", "折り返し桁指定(&B)", 0, "", 0, 0, nullptr},
    {2, "mNowWidth", "&0: **桁 (右端)", K('O', C | S), "現在のウィンドウ右端で折り返し", 0, 0, nullptr},
    {2, "N_WrapWidths", "-", 0, "", 0, 0, nullptr},
    {1, "N_ByteTop", "-", 0, "", 0, 0, nullptr},
    {1, "mByte", "テキストサイズ表示(&I)", K(kF4), "ステータスバーにテキストサイズを表示", 0, 0, nullptr},
    {1, "N_Byte", "-", 0, "", 0, 0, nullptr},
    {1, "mTabCount", "タブの文字数(&A)", 0, "", 0, 0, nullptr},
    {2, "mTabCount_1", "&1", 0, "タブの文字数を 1 に設定", mfRadio, 1, nullptr},
    {2, "mTabCount_2", "&2", 0, "タブの文字数を 2 に設定", mfRadio, 2, nullptr},
    {2, "mTabCount_3", "&3", 0, "タブの文字数を 3 に設定", mfRadio, 3, nullptr},
    {2, "mTabCount_4", "&4", 0, "タブの文字数を 4 に設定", mfRadio, 4, nullptr},
    {2, "mTabCount_5", "&5", 0, "タブの文字数を 5 に設定", mfRadio, 5, nullptr},
    {2, "mTabCount_6", "&6", 0, "タブの文字数を 6 に設定", mfRadio, 6, nullptr},
    {2, "mTabCount_7", "&7", 0, "タブの文字数を 7 に設定", mfRadio, 7, nullptr},
    {2, "mTabCount_8", "&8", 0, "タブの文字数を 8 に設定", mfRadio, 8, nullptr},
    {1, "mColLine", "桁基準線(&K)", K(kBackslashKey, C | S), "桁基準線 ON/OFF", 0, 0, nullptr},
    SEP(1),
    {1, "mFont", "フォント(&F)...", 0, "フォントの変更", 0, 0, nullptr},
    {1, "mOption", "オプション(&O)...", 0, "オプションの設定", 0, 0, nullptr},
    {1, "mRePaint", "テキスト再描画(&R)", K(kF5, S), "表示中のテキストを再描画", mfHidden, 0, nullptr},

    // Window: items 0 to 15, the window list from 16
    {0, "mWindow", "ウィンドウ(&W)", 0, "", 0, 0, nullptr},
    {1, "mWin_TopMost", "常に最前面表示(&O)", 0, "ウィンドウを常に最前面表示", 0, 0, nullptr},
    {1, "mWin_UserSize", "ユーザー指定(&U)", K('W', C | A), "ウィンドウを指定のサイズと位置で表示", 0, 0, nullptr},
    SEP(1),
    {1, "mWin_Bunkatu", "画面分割(&S)", K(kF5, C), "画面を分割して表示", 0, 0, nullptr},
    SEP(1),
    {1, "mWin_Narabete", "並べて表示(&T)", 0, "ウィンドウを並べて表示", 0, 0, nullptr},
    {1, "mWin_Kasanete", "重ねて表示(&C)", 0, "ウィンドウを重ねて表示", 0, 0, nullptr},
    {1, "mWin_Jyouge", "上下に並べて表示(&H)", 0, "ウィンドウを上下に並べて表示", 0, 0, nullptr},
    {1, "mWin_Sayu", "左右に並べて表示(&V)", 0, "ウィンドウを左右に並べて表示", 0, 0, nullptr},
    SEP(1),
    {1, "mWin_AllView", "すべて表示(&R)", 0, "すべてのウィンドウを表示", 0, 0, nullptr},
    {1, "mWin_AllMin", "すべて最小化(&M)", 0, "すべてのウィンドウを最小化", 0, 0, nullptr},
    SEP(1),
    {1, "mWin_Next", "次(&N)", K(kTab, C), "次のウィンドウ", 0, 0, nullptr},
    {1, "mWin_Back", "前(&P)", K(kTab, C | S), "前のウィンドウ", 0, 0, nullptr},
    {1, "N_WindowList", "-", 0, "", 0, 0, nullptr},

    // Tools: the tool items from 5
    {0, "Menu_Tool", "ツール(&T)", 0, "", 0, 0, nullptr},
    {1, "mOptionTool", "ツールの設定(&T)...", 0, "ツールの設定", 0, 0, nullptr},
    SEP(1),
    {1, "mIE", "Internet Explorer(&I)...", K(kF11), "作業中のファイルを Internet Explorer で開く", 0, 0, nullptr},
    {1, "mNN", "Mozilla Firefox(&F)...", K(kF12), "作業中のファイルを Mozilla Firefox で開く", 0, 0, nullptr},
    {1, "N_Browser", "-", 0, "", 0, 0, nullptr},
    {1, "mToolNone", "(ツール未登録)", 0, "", mfDisabled, 0, nullptr},

    // Help
    {0, "Help1", "ヘルプ(&H)", 0, "", 0, 0, nullptr},
    {1, "mKeyList", "ショートカットキー(&K)...", K(kF1, S), "ショートカットキー一覧を表示", 0, 0, nullptr},
    {1, "mReadme", "Readme.txt(&R)...", 0, "Readme.txt を表示", 0, 0, nullptr},
    {1, "mHistory", "History.txt(&I)...", 0, "History.txt を表示", 0, 0, nullptr},
    SEP(1),
    {1, "mAbout", "バージョン情報(&A)...", 0, "バージョン情報の表示", 0, 0, nullptr},
};

// Captions and hints of the p-items come from their namesakes.
constexpr TMenuEntry kPopup[] = {
    {0, "pLinkOpen", "リンクを開く(&O)", 0, "", 0, 0, nullptr},
    {0, "pLinkCopy", "リンクのコピー(&C)", 0, "", 0, 0, nullptr},
    {0, "pLinkSel", "リンクを選択(&S)", 0, "", 0, 0, nullptr},
    {0, "pBar1", "-", 0, "", 0, 0, nullptr},
    {0, "pUndo", "元に戻す(&U)", 0, "直前の操作を元に戻す", 0, 0, nullptr},
    {0, "pRedo", "やり直し(&R)", 0, "直前の操作をやり直す", mfHidden, 0, nullptr},
    {0, "pBar2", "-", 0, "", 0, 0, nullptr},
    {0, "pCut", "切り取り(&T)", 0, "選択範囲を切り取ってクリップボードに保存", 0, 0, nullptr},
    {0, "pCopy", "コピー(&C)", 0, "選択範囲をコピーしてクリップボードに保存", 0, 0, nullptr},
    {0, "pWordWrapCopy", "折り返し反映コピー(&W)", 0, "選択範囲をコピーし折り返しへ改行挿入後クリップボードに保存", 0, 0, nullptr},
    {0, "pPaste", "貼り付け(&P)", 0, "クリップボードの内容を貼り付け", 0, 0, nullptr},
    {0, "pInyouPaste", "引用符付き貼り付け(&Q)", 0, "クリップボードの内容に引用符を付けて貼り付け", 0, 0, nullptr},
    {0, "pPasteBox", "矩形貼り付け(&O)", 0, "クリップボードの内容を矩形貼り付け", 0, 0, nullptr},
    {0, "pDelete", "削除(&L)", 0, "選択範囲を削除", 0, 0, nullptr},
    {0, "pLineDel", "行削除(&D)", 0, "カーソル行を削除", 0, 0, nullptr},
    {0, "pHenkan", "変換(&V)", 0, "", 0, 0, nullptr},
    {1, "pReConv", "再変換(&R)", 0, "IME で確定文字を再変換", 0, 0, nullptr},
    {1, "pBar4", "-", 0, "", 0, 0, nullptr},
    {1, "pLower", "小文字に変換(&L)", 0, "選択範囲を小文字に変換", 0, 0, nullptr},
    {1, "pUpper", "大文字に変換(&U)", 0, "選択範囲を大文字に変換", 0, 0, nullptr},
    {1, "pHankaku", "半角に変換(&H)", 0, "選択範囲を半角に変換", 0, 0, nullptr},
    {1, "pZenkaku", "全角に変換(&Z)", 0, "選択範囲を全角に変換", 0, 0, nullptr},
    {1, "pBar5", "-", 0, "", 0, 0, nullptr},
    {1, "pTabIndent", "TAB インデント(&T)", 0, "選択範囲の先頭に TAB を挿入", 0, 0, nullptr},
    {1, "pUnTabIndent", "TAB 逆インデント(&A)", 0, "選択範囲の先頭の TAB を削除", 0, 0, nullptr},
    {1, "pIndent", "空白 インデント(&S)", 0, "選択範囲の先頭に半角空白を挿入", 0, 0, nullptr},
    {1, "pUnIndent", "空白 逆インデント(&P)", 0, "選択範囲の先頭の半角空白を削除", 0, 0, nullptr},
    {1, "pBar6", "-", 0, "", 0, 0, nullptr},
    {1, "pWorpRet", "折り返しへ改行挿入(&E)", 0, "折り返し行の最後に改行を挿入", 0, 0, nullptr},
    {1, "pDelRet", "改行削除(&D)", 0, "選択範囲の改行を削除", 0, 0, nullptr},
    {0, "pBar3", "-", 0, "", 0, 0, nullptr},
    {0, "pSelectAll", "すべて選択(&A)", 0, "すべてを選択", 0, 0, nullptr},
    {0, "pBoxMode", "矩形選択(&B)", 0, "矩形選択 ON/OFF", 0, 0, nullptr},
    {0, "pFreeCaret", "フリーカーソル(&F)", 0, "フリーカーソル ON/OFF", 0, 0, nullptr},
    {0, "pReadOnly", "書き換え禁止(&E)", 0, "書き換え禁止の指定", mfHidden, 0, nullptr},
    {0, "pToolBar", "-", 0, "", 0, 0, nullptr},
    {0, "pTools", "ツール(&S)", 0, "", 0, 0, nullptr},
    {1, "pToolNone", "(ツール未登録)", 0, "", mfDisabled, 0, nullptr},
};

constexpr TMenuEntry kActions[] = {
    {0, "BoxLeft", "", K(kLeft, A | S), "", 0, 0, nullptr},
    {0, "BoxUp", "", K(kUp, A | S), "", 0, 0, nullptr},
    {0, "BoxRight", "", K(kRight, A | S), "", 0, 0, nullptr},
    {0, "BoxDown", "", K(kDown, A | S), "", 0, 0, nullptr},
    {0, "MoveWindowFocus", "", K('A', C | A), "", 0, 0, nullptr},
    {0, "TaioSuruKakko", "", K(kBracketKey, C | S), "", 0, 0, nullptr},
};

#undef SEP

} // namespace

std::span<const TMenuEntry> MainMenuTable() noexcept { return kMain; }
std::span<const TMenuEntry> PopupMenuTable() noexcept { return kPopup; }
std::span<const TMenuEntry> ActionTable() noexcept { return kActions; }

const TMenuEntry* FindMenuEntry(std::span<const TMenuEntry> table, std::string_view name) noexcept
{
    for (const auto& e : table)
        if (name == e.Name) return &e;
    return nullptr;
}

namespace {

// Calls f(row) for each direct child of parent; stops when f returns false.
template <class F>
void ForEachChild(std::span<const TMenuEntry> table, int parent, F f)
{
    const int n = static_cast<int>(table.size());
    const int level = parent < 0 ? 0 : table[static_cast<std::size_t>(parent)].Level + 1;
    for (int r = parent + 1; r < n; ++r) {
        const int l = table[static_cast<std::size_t>(r)].Level;
        if (l < level) break;
        if (l == level && !f(r)) break;
    }
}

} // namespace

int MenuChildCount(std::span<const TMenuEntry> table, int parent) noexcept
{
    int count = 0;
    ForEachChild(table, parent, [&](int) { ++count; return true; });
    return count;
}

int MenuChildRow(std::span<const TMenuEntry> table, int parent, int position) noexcept
{
    int found = -1, i = 0;
    ForEachChild(table, parent, [&](int r) {
        if (i++ == position) { found = r; return false; }
        return true;
    });
    return found;
}

bool MenuHasChildren(std::span<const TMenuEntry> table, int row) noexcept
{
    const auto next = static_cast<std::size_t>(row) + 1;
    return row >= 0 && next < table.size() && table[next].Level > table[static_cast<std::size_t>(row)].Level;
}

std::string PopupNamesake(std::string_view popupName)
{
    if (popupName.size() < 2 || popupName[0] != 'p') return {};
    return "m" + std::string(popupName.substr(1));
}

std::string MenuCaptionText(std::string_view text)
{
    // 26 hex is never a trail byte of the code page: bytes can be replaced.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

} // namespace vellumo
