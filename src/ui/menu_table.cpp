#include "ui/menu_table.h"

#include <array>

#include "ui/control_table.h"

namespace tess {

namespace {
constexpr int N = kNoIndex;
constexpr const char* kBar = kSeparatorText;

constexpr std::array<MenuDesign, 38> kMenus = {{
    {1, "mFile", N, "ファイル(&F)", "", false, false},
    {2, "mFileOpen", 1, "ファイル１を指定(&O)", "Ctrl+O", false, false},
    {2, "mFileOpen", 2, "ファイル２を指定(&I)", "Ctrl+I", false, false},
    {2, "mBarF", N, kBar, "", false, false},
    {2, "mEnd", N, "終了(&X)", "Ctrl+Q", false, false},
    {1, "mRun", N, "実行(&R)", "", false, false},
    {2, "mFileSort", 1, "ファイル１をソート(&S)", "Ctrl+S", false, false},
    {2, "mFileSort", 2, "ファイル２をソート", "", false, false},
    {2, "mFileDiff", N, "ファイル１と２を比較(&D)", "Ctrl+D", false, false},
    {2, "mViewReport", N, "比較結果を表示(&V)", "", false, false},
    {1, "mConfig", N, "設定(&T)", "", false, false},
    {2, "mOption", N, "オプション設定↓に従ってソートする(&T)", "Ctrl+T", true, true},
    {2, "mOptConfig", N, "オプション設定(&O)", "", false, false},
    {3, "mSortKey", 0, "<宛先アドレス>の順にソート", "", true, true},
    {3, "mSortKey", 1, "<ネクストホップ>の順にソート", "", true, false},
    {3, "mSortKey", 2, "<マスク長>→<宛先>の順にソート", "", true, false},
    {3, "mSortKey", 3, "<マスク長>→<次ホップ>の順にソート", "", true, false},
    {3, "mSortKey", 4, "<プロトコル>→<宛先>の順にソート", "", true, false},
    {3, "mSortKey", 5, "<プロトコル>→<次ホップ>の順にソート", "", true, false},
    {3, "mBarO1", N, kBar, "", false, false},
    {3, "mInfoDel", 0, "全情報を出力／比較対照する", "", true, true},
    {3, "mInfoDel", 1, "インタフェース情報を削除して出力／比較する", "", true, false},
    {3, "mInfoDel", 2, "時刻情報を削除して出力／比較する", "", true, false},
    {3, "mInfoDel", 3, "コスト情報を削除して出力／比較する", "", true, false},
    {3, "mInfoDel", 4, "プロトコル情報を削除して出力／比較する", "", true, false},
    {3, "mInfoDel", 5, "宛先アドレスとマスクだけを残して出力／比較する", "", true, false},
    {3, "mInfoDel", 6, "宛先アドレスだけを出力／比較する", "", true, false},
    {3, "mBarO2", N, kBar, "", false, false},
    {2, "mFileDel", N, "比較用のソート結果をファイルに残す(&F)", "Ctrl+F", true, true},
    {1, "mHelp", N, "ヘルプ(&H)", "", false, false},
    {2, "mHowTo1", N, "使い方　ソート(&S)", "", false, false},
    {2, "mHowTo2", N, "使い方　比較(&D)", "", false, false},
    {2, "mHowTo3", N, "使い方　コマンド(&C)", "", false, false},
    {2, "mBarH1", N, kBar, "", false, false},
    {2, "mTech1", N, "内部動作１(&T)", "", false, false},
    {2, "mTech2", N, "内部動作２(&U)", "", false, false},
    {2, "mBarH2", N, kBar, "", false, false},
    {2, "mAbout", N, "バージョン情報(&A)", "", false, false},
}};
}  // namespace

std::span<const MenuDesign> MenuTable() { return kMenus; }

}  // namespace tess
