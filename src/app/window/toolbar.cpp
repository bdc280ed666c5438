#include "app/window/toolbar.h"

namespace vellumo {

namespace {

constexpr TToolButtonEntry kButtons[] = {
    {"tbNew", "新規作成", 0, "mNew", false},
    {"tbOpen", "開く", 1, "mOpen", false},
    {"tbSave", "上書き保存", 2, "mSave", false},
    {"tbSep1", "", -1, "", false},
    {"tbPrint", "印刷", 3, "mPrint", false},
    {"tbSep2", "", -1, "", false},
    {"tbCut", "切り取り", 4, "mCut", false},
    {"tbCopy", "コピー", 5, "mCopy", false},
    {"tbPaste", "貼り付け", 6, "mPaste", false},
    {"tbSep3", "", -1, "", false},
    {"tbUndo", "元に戻す", 7, "mUndo", false},
    {"tbRedo", "やり直し", 8, "mRedo", false},
    {"tbSep4", "", -1, "", false},
    {"tbFind", "検索", 9, "mFind", false},
    {"tbFintBack", "上を検索", 10, "mFindUp", false},
    {"tbFindNext", "下を検索", 11, "mFindDown", false},
    {"tbBwSp", "", -1, "", false},
    {"tbIE", "Internet Explorer", 12, "mIE", true},
    {"tbNN", "Mozilla Firefox", 13, "mNN", true},
};

} // namespace

std::span<const TToolButtonEntry> ToolButtonTable() noexcept { return kButtons; }

} // namespace vellumo
