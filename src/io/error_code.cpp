#include "io/error_code.h"

#include <array>

namespace tess {

namespace {

constexpr std::array kErrorTexts = {
    ErrorText{ErrorCode::SystemError, "", ""},
    ErrorText{ErrorCode::OutOfMemory, "out of memory", "メモリが足りません。"},
    ErrorText{ErrorCode::RunStopped, "the run was stopped", "処理を中止しました。途中のファイルは残していません。"},
    ErrorText{ErrorCode::ResultWouldOverwriteInput, "the sort result would overwrite the input",
              "ソート結果のファイルが入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。"},
    ErrorText{ErrorCode::ResultWouldOverwriteOtherInput, "the sort result would overwrite the other input log",
              "ソート結果のファイルがもう一方の入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。"},
    ErrorText{ErrorCode::ComparisonOutputWouldOverwriteInput,
              "an output of the comparison would overwrite an input log",
              "比較の出力ファイル（ソート結果または比較結果）が入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。"},
    ErrorText{ErrorCode::ReportWouldOverwriteResult, "the report would overwrite a sort result",
              "比較結果のファイルがソート結果のファイルと同じです。処理しませんでした。"},
    ErrorText{ErrorCode::PageWouldOverwriteOutput, "the HTML page would overwrite the report or a sort result",
              "比較結果の HTML ページが比較結果またはソート結果のファイルと同じです。処理しませんでした。"},
    ErrorText{ErrorCode::BothResultsOneFile, "both logs would be sorted into this one file",
              "二つのログのソート結果が同じファイルになります。一方が他方を上書きするため、処理しませんでした。"},
    ErrorText{ErrorCode::TemporaryWouldOverwriteInputOrResult,
              "the temporary file would overwrite the input or the result",
              "作業用の一時ファイルの名前が入力ログまたはソート結果と同じになります。処理しませんでした。"},
    ErrorText{ErrorCode::TemporaryFileShrank, "temporary file is shorter than expected",
              "作業用の一時ファイルが処理中に短くなりました。他のプログラムが変更した可能性があります。"},
    ErrorText{ErrorCode::FileNotOpen, "file is not open", "ファイルが開かれていません。"},
    ErrorText{ErrorCode::FileNotFinished, "file is not finished", "ファイルの書き込みが終わっていません。"},
    ErrorText{ErrorCode::NotARegularFile, "not a regular file", "通常のファイルではありません。"},
    ErrorText{ErrorCode::SettingHoldsLineBreak, "a setting can not hold a line break",
              "設定値に改行を含めることはできません。"},
    ErrorText{ErrorCode::InvalidSettingName, "invalid setting name {}", "設定の名前が正しくありません。"},
    ErrorText{ErrorCode::PairsWriteOneFile, "the comparisons of {} would both write this file",
              "二つの比較が同じファイルに書き込むため、処理しませんでした。"},
    ErrorText{ErrorCode::LogComparedWithFolder, "compare two logs or two folders, not a log with a folder",
              "ログとフォルダーは比較できません。ログ二つ、またはフォルダー二つを指定してください。"},
    ErrorText{ErrorCode::OutputFolderMissing, "the output folder does not exist", "出力先のフォルダーがありません。"},
    ErrorText{ErrorCode::NoRouteLines, "no route lines found",
              "ルート情報の行が見つかりませんでした。比較結果は書き出しましたが、正しく比較できていない可能性があります。"},
    ErrorText{ErrorCode::JunitWouldOverwrite, "the JUnit file would overwrite a log or an output of the run",
              "JUnit のファイルが入力ログまたは出力ファイルと同じです。上書きしないよう、処理しませんでした。"},
    ErrorText{ErrorCode::NotAReport, "not a comparison report ({})",
              "比較結果のファイルとして読めませんでした。"},
    ErrorText{ErrorCode::CommandLine, "{}", "コマンドラインが正しくありません。"},
};

// The table is indexed by code: a row out of place or missing fails here.
constexpr bool RowsFollowTheCodes() {
  for (std::size_t k = 0; k < kErrorTexts.size(); ++k) {
    if (static_cast<std::size_t>(kErrorTexts[k].Code) != k) return false;
  }
  return static_cast<std::size_t>(ErrorCode::CommandLine) + 1 == kErrorTexts.size();
}
static_assert(RowsFollowTheCodes(), "one row per error code, in the order of the codes");

}  // namespace

const ErrorText& TextOf(ErrorCode code) { return kErrorTexts[static_cast<std::size_t>(code)]; }

std::size_t ErrorTextCount() { return kErrorTexts.size(); }

const ErrorText& ErrorTextAt(std::size_t index) { return kErrorTexts.at(index); }

}  // namespace tess
