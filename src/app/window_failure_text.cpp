#include "app/window_failure_text.h"

#include <cerrno>
#include <string_view>
#include <utility>

namespace tess {

namespace {

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

std::optional<std::string> SystemErrorDescription(int errnum) {
  for (const auto& [number, japanese] : kSystemErrors) {
    if (number == errnum) return std::string(japanese);
  }
  return std::nullopt;
}

std::string WindowFailureText(const Status& status) {
  std::string text = "処理を完了できませんでした。\n\n";
  if (status.code() == ErrorCode::SystemError) {
    const int errnum = status.SystemErrorNumber();
    text += "エラー番号 " + std::to_string(errnum) + "\n";
    // The system's own text (status.reason()) for numbers the table lacks.
    text += SystemErrorDescription(errnum).value_or(status.reason());
  } else {
    text += TextOf(status.code()).Japanese;
  }
  text += "\nファイル: " + ShownFileName(status.file());
  return text;
}

std::string WindowWarningText(const Status& status) {
  return std::string(TextOf(status.code()).Japanese) + "\nファイル: " + ShownFileName(status.file());
}

}  // namespace tess
