// The window's failure messages: Japanese for every reason the program
// gives, the error number for system errors.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/window_failure_text.h"
#include "test_support.h"

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
  const Status refusal = Status::Fail("/logs/r1.log", "the sort result would overwrite the input");
  const std::string text = WindowFailureText(refusal);
  EXPECT_EQ(text,
            "処理を完了できませんでした。\n\n"
            "ソート結果のファイルが入力ログと同じファイルです。上書きすると入力ログが失われるため、処理しませんでした。\n"
            "ファイル: /logs/r1.log");
  EXPECT_EQ(text.find("エラー番号"), std::string::npos);
  EXPECT_EQ(text.find("overwrite"), std::string::npos);
  // Reasons that go on with names are known by their start.
  EXPECT_TRUE(RefusalDescription("the comparisons of a.log and b.log would both write this file"));
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

// Every reason the sources give as a literal (Status::Fail(file, "...")) has
// its Japanese description: a new refusal without one fails here.
TEST(WindowFailureText, EveryReasonInTheSourcesHasAJapaneseDescription) {
  const std::regex failCall(R"(Status::Fail\([^;]*?,\s*"((?:[^"\\]|\\.)*)\")");
  int reasons = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(testing::SourceDir() + "/src")) {
    if (entry.path().extension() != ".cpp") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    for (std::sregex_iterator it(source.begin(), source.end(), failCall), end; it != end; ++it) {
      const std::string reason = (*it)[1];
      ++reasons;
      const auto japanese = RefusalDescription(reason);
      ASSERT_TRUE(japanese) << entry.path() << ": \"" << reason << "\"";
      EXPECT_TRUE(HasJapanese(*japanese)) << reason;
    }
  }
  EXPECT_GE(reasons, 10);
}

}  // namespace
}  // namespace tess
