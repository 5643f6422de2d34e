#include "app/window_failure_text.h"

#include <cerrno>
#include <string_view>
#include <utility>

namespace tess {

namespace {

// The reasons that the runs give without an error number, and what the
// window says for each. Reasons that begin with a name-free part and go on
// with names are matched on that part (kRefusalPrefixes).
constexpr std::pair<std::string_view, std::string_view> kRefusals[] = {
    {"the sort result would overwrite the other input log",
     "ソート結果のファイルがもう一方の入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。"},
    {"the run was stopped", "処理を中止しました。途中のファイルは残していません。"},
    {"the sort result would overwrite the input",
     "ソート結果のファイルが入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。"},
    {"an output of the comparison would overwrite an input log",
     "比較の出力ファイル（ソート結果または比較結果）が入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。"},
    {"the report would overwrite a sort result",
     "比較結果のファイルがソート結果のファイルと同じです。処理しませんでした。"},
    {"both logs would be sorted into this one file",
     "二つのログのソート結果が同じファイルになります。一方が他方を上書きするため、処理しませんでした。"},
    {"the temporary file would overwrite the input or the result",
     "作業用の一時ファイルの名前が入力ログまたはソート結果と同じになります。処理しませんでした。"},
    {"temporary file is shorter than expected",
     "作業用の一時ファイルが処理中に短くなりました。他のプログラムが変更した可能性があります。"},
    {"file is not open", "ファイルが開かれていません。"},
    {"file is not finished", "ファイルの書き込みが終わっていません。"},
    {"not a regular file", "通常のファイルではありません。"},
    {"a setting can not hold a line break", "設定値に改行を含めることはできません。"},
    {"compare two logs or two folders, not a log with a folder",
     "ログとフォルダーは比較できません。ログ二つ、またはフォルダー二つを指定してください。"},
    {"the output folder does not exist", "出力先のフォルダーがありません。"},
};

constexpr std::pair<std::string_view, std::string_view> kRefusalPrefixes[] = {
    {"invalid setting name", "設定の名前が正しくありません。"},
    {"the comparisons of ", "二つの比較が同じファイルに書き込むため、処理しませんでした。"},
};

// System errors a run can meet with files, in the window's words.
constexpr std::pair<int, std::string_view> kSystemErrors[] = {
    {EPERM, "この操作は許可されていません。"},
    {ENOENT, "ファイルまたはフォルダーが見つかりません。"},
    {EINTR, "処理が中断されました。"},
    {EIO, "入出力エラーが発生しました。"},
    {ENXIO, "デバイスまたはアドレスがありません。"},
    {EBADF, "ファイル記述子が正しくありません。"},
    {EAGAIN, "リソースが一時的に使用できません。"},
    {ENOMEM, "メモリが足りません。"},
    {EACCES, "アクセスが拒否されました。"},
    {EBUSY, "デバイスまたはリソースが使用中です。"},
    {EEXIST, "同じ名前のファイルがすでにあります。"},
    {EXDEV, "異なるファイルシステムの間では名前を変更できません。"},
    {ENODEV, "デバイスがありません。"},
    {ENOTDIR, "パスの途中にフォルダーではないものがあります。"},
    {EISDIR, "フォルダーです。ファイルを指定してください。"},
    {EINVAL, "引数が正しくありません。"},
    {ENFILE, "システム全体で開いているファイルが多すぎます。"},
    {EMFILE, "開いているファイルが多すぎます。"},
    {ETXTBSY, "ファイルが使用中です。"},
    {EFBIG, "ファイルが大きすぎます（ファイルサイズの上限に達しました）。"},
    {ENOSPC, "ディスクの空き容量がありません。"},
    {ESPIPE, "このファイルでは位置を移動できません。"},
    {EROFS, "読み取り専用のファイルシステムです。"},
    {EMLINK, "リンクが多すぎます。"},
    {ENAMETOOLONG, "ファイル名が長すぎます。"},
    {ENOTEMPTY, "フォルダーが空ではありません。"},
    {ELOOP, "シンボリックリンクの階層が多すぎます。"},
    {EOVERFLOW, "値が大きすぎます。"},
    {EILSEQ, "文字の並びが正しくありません。"},
    {ESTALE, "ネットワーク上のファイルが古くなっています。"},
    {EDQUOT, "ディスクの使用量の上限（クォータ）を超えました。"},
    {ETIMEDOUT, "接続がタイムアウトしました。"},
    {EHOSTDOWN, "ホストが停止しています。"},
    {EHOSTUNREACH, "ホストに到達できません。"},
    {ECONNREFUSED, "接続が拒否されました。"},
    {ENOLCK, "ファイルをロックできません。"},
    {ENOSYS, "この機能はサポートされていません。"},
    {EOPNOTSUPP, "この操作はサポートされていません。"},
};

}  // namespace

std::optional<std::string> RefusalDescription(const std::string& reason) {
  for (const auto& [english, japanese] : kRefusals) {
    if (reason == english) return std::string(japanese);
  }
  for (const auto& [english, japanese] : kRefusalPrefixes) {
    if (reason.starts_with(english)) return std::string(japanese);
  }
  return std::nullopt;
}

std::optional<std::string> SystemErrorDescription(int errnum) {
  for (const auto& [number, japanese] : kSystemErrors) {
    if (number == errnum) return std::string(japanese);
  }
  return std::nullopt;
}

std::string WindowFailureText(const Status& status) {
  std::string text = "処理を完了できませんでした。\n\n";
  if (status.code() != 0) {
    text += "エラー番号 " + std::to_string(status.code()) + "\n";
    // The system's own text (status.reason()) for numbers the table lacks.
    text += SystemErrorDescription(status.code()).value_or(status.reason());
  } else {
    // A reason no table entry knows yet still says what happened.
    text += RefusalDescription(status.reason()).value_or("処理できませんでした（" + status.reason() + "）。");
  }
  text += "\nファイル: " + ShownFileName(status.file());
  return text;
}

}  // namespace tess
