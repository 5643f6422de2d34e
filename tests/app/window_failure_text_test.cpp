// The window's failure messages: Japanese for every reason the program
// gives, the error number for system errors.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "app/window_failure_text.h"

namespace tess {
namespace {

// Whether `text` holds a character of the Japanese scripts (UTF-8 E3 xx xx,
// hiragana, katakana and the CJK punctuation, or E4..E9, kanji).
bool HasJapanese(const std::string& text) {
  for (size_t k = 0; k + 2 < text.size(); ++k) {
    const auto lead = static_cast<unsigned char>(text[k]);
    if (lead >= 0xE3 && lead <= 0xE9) return true;
  }
  return false;
}

TEST(WindowFailureText, RefusalsAreJapaneseWithoutANumber) {
  const Status refusal = Status::Fail(ErrorCode::ResultWouldOverwriteInput, "/logs/r1.log");
  const std::string text = WindowFailureText(refusal);
  EXPECT_EQ(text,
            "処理を完了できませんでした。\n\n"
            "ソート結果のファイルが入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。\n"
            "ファイル: /logs/r1.log");
  EXPECT_EQ(text.find("エラー番号"), std::string::npos);
  EXPECT_EQ(text.find("overwrite"), std::string::npos);
  // Names that make the English text precise stay out of the Japanese one.
  const Status shared = Status::Fail(ErrorCode::PairsWriteOneFile, "out/x.dif", "a.log and b.log");
  EXPECT_EQ(shared.reason(), "the comparisons of a.log and b.log would both write this file");
  EXPECT_EQ(WindowFailureText(shared),
            "処理を完了できませんでした。\n\n二つの比較が同じファイルに書き込むため、処理しませんでした。\n"
            "ファイル: out/x.dif");
}

TEST(WindowFailureText, SystemErrorsShowTheirNumberAndAJapaneseDescription) {
  const std::string text = WindowFailureText(Status::FromErrno("/full/r1.srt", ENOSPC));
  EXPECT_EQ(text,
            "処理を完了できませんでした。\n\n"
            "エラー番号 " + std::to_string(ENOSPC) + "\n"
            "ディスクの空き容量がありません。\n"
            "ファイル: /full/r1.srt");
  for (int errnum : {EPERM, ENOENT, EACCES, EISDIR, ENOTDIR, EFBIG, EROFS, EDQUOT, ENAMETOOLONG, ELOOP,
                     EMFILE, EIO, EEXIST, EXDEV}) {
    const std::string shown = WindowFailureText(Status::FromErrno("f", errnum));
    EXPECT_NE(shown.find("エラー番号 " + std::to_string(errnum) + "\n"), std::string::npos) << errnum;
    EXPECT_TRUE(SystemErrorDescription(errnum)) << errnum;
    EXPECT_EQ(shown.find(std::strerror(errnum)), std::string::npos) << errnum;
  }
}

TEST(WindowFailureText, NumbersTheTableLacksShowTheSystemsText) {
  ASSERT_FALSE(SystemErrorDescription(ENOTSOCK));
  const std::string text = WindowFailureText(Status::FromErrno("f", ENOTSOCK));
  EXPECT_NE(text.find("エラー番号 " + std::to_string(ENOTSOCK) + "\n" + std::strerror(ENOTSOCK)),
            std::string::npos)
      << text;
}

TEST(WindowFailureText, FileNamesStayOnTheirLine) {
  EXPECT_TRUE(WindowFailureText(Status::FromErrno("a\nb.log", ENOENT)).ends_with("ファイル: a\\nb.log"));
  EXPECT_TRUE(WindowFailureText(Status::FromErrno("", ENOENT)).ends_with("ファイル: ''"));
}

// Every code has its English and Japanese text (the system error's are the
// error number's), so no refusal reaches the window without words of its own.
TEST(WindowFailureText, EveryCodeHasItsTextsInBothLanguages) {
  ASSERT_GT(ErrorTextCount(), 10u);
  for (size_t k = 0; k < ErrorTextCount(); ++k) {
    const ErrorText& row = ErrorTextAt(k);
    EXPECT_EQ(&TextOf(row.Code), &row) << k;
    if (row.Code == ErrorCode::SystemError) continue;
    EXPECT_FALSE(row.English.empty()) << k;
    EXPECT_TRUE(HasJapanese(std::string(row.Japanese))) << row.English;
    const std::string text = WindowFailureText(Status::Fail(row.Code, "f.log", "DETAIL"));
    EXPECT_NE(text.find(std::string(row.Japanese) + "\nファイル: f.log"), std::string::npos) << row.English;
    EXPECT_EQ(text.find("エラー番号"), std::string::npos) << row.English;
  }
}

}  // namespace
}  // namespace tess
