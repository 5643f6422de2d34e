#include "compare/report_text.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

// Bytes fed in one piece, or split in two at `split` (a sequence may span
// two reads of a file).
template <typename Validator>
bool Valid(const std::string& bytes, size_t split = std::string::npos) {
  Validator v;
  const size_t cut = std::min(split, bytes.size());
  v.Feed(bytes.data(), cut);
  v.Feed(bytes.data() + cut, bytes.size() - cut);
  return v.Valid();
}

TEST(CompareReportText, Utf8Validator) {
  EXPECT_TRUE(Valid<Utf8Validator>("show ip route"));
  EXPECT_TRUE(Valid<Utf8Validator>("同等です"));
  EXPECT_TRUE(Valid<Utf8Validator>("同等です", 1));
  EXPECT_TRUE(Valid<Utf8Validator>("\xf0\x9f\x98\x80"));        // U+1F600
  EXPECT_FALSE(Valid<Utf8Validator>("\xe5\x90"));               // cut short
  EXPECT_FALSE(Valid<Utf8Validator>("\x80"));                   // continuation alone
  EXPECT_FALSE(Valid<Utf8Validator>("\xc0\x80"));               // overlong
  EXPECT_FALSE(Valid<Utf8Validator>("\xe0\x80\x80"));           // overlong
  EXPECT_FALSE(Valid<Utf8Validator>("\xed\xa0\x80"));           // surrogate
  EXPECT_FALSE(Valid<Utf8Validator>("\xf4\x90\x80\x80"));       // above U+10FFFF
  EXPECT_FALSE(Valid<Utf8Validator>("\x93\xaf\x93\x99"));       // "同等" in CP932
  EXPECT_FALSE(Valid<Utf8Validator>("ok\xff"));
}

TEST(CompareReportText, Cp932Validator) {
  EXPECT_TRUE(Valid<Cp932Validator>("show ip route"));
  EXPECT_TRUE(Valid<Cp932Validator>("\x93\xaf\x93\x99\x82\xc5\x82\xb7"));  // "同等です"
  EXPECT_TRUE(Valid<Cp932Validator>("\x93\xaf\x93\x99", 1));               // pair split between reads
  EXPECT_TRUE(Valid<Cp932Validator>("\xb1\xdd"));                           // half-width kana
  EXPECT_TRUE(Valid<Cp932Validator>("\x83\x5c"));                           // trail byte "\"
  EXPECT_FALSE(Valid<Cp932Validator>("\x93"));                              // lead byte at the end
  EXPECT_FALSE(Valid<Cp932Validator>("\x93\x7f"));                          // no trail byte
  EXPECT_FALSE(Valid<Cp932Validator>("\x80"));
  EXPECT_FALSE(Valid<Cp932Validator>("\xa0"));
  EXPECT_FALSE(Valid<Cp932Validator>("\xfd"));
  EXPECT_FALSE(Valid<Cp932Validator>("同"));  // E5 90 8C: the 8C lead byte has no trail
}

TEST(CompareReportText, TextsInCp932) {
  const ReportTexts t = MakeReportTexts(ReportEncoding::kCp932);
  EXPECT_EQ(t.Before, "\x91\x4f: ");
  EXPECT_EQ(t.After, "\x8c\xe3: ");
  EXPECT_EQ(t.GoneTable, "\x8c\xb8<VRF:");
  EXPECT_EQ(t.NewTable, "\x91\x9d>VRF:");
  EXPECT_EQ(t.GoneTableLine, "  < ");
  EXPECT_EQ(t.NewTableLine, "  > ");
  EXPECT_EQ(t.PairHeading, "VRF:");
  EXPECT_EQ(t.GoneBlock, "\x8c\xb8< ");
  EXPECT_EQ(t.NewBlock, "\x91\x9d> ");
  EXPECT_EQ(t.ChangedBefore, "\x91\x4f< ");
  EXPECT_EQ(t.ChangedAfter, "\x8c\xe3> ");
  EXPECT_EQ(t.Equivalent, "\x93\xaf\x93\x99\x82\xc5\x82\xb7");
  EXPECT_EQ(t.Differences, "\x82\xcc\x88\xe1\x82\xa2\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7");
  EXPECT_EQ(MakeReportTexts(ReportEncoding::kUtf8).GoneTable, "減<VRF:");
}

TEST(CompareReportText, EncodingOfTwoLogs) {
  const std::string ascii = "Gateway of last resort is not set\n";
  const std::string sjis = "\x83\x8b\x81\x5b\x83\x5e#\n";  // "ルータ#" in CP932
  const std::string utf8 = "ルータ#\n";
  const std::string neither = "\xff\xfe\n";
  const struct {
    std::string log1, log2;
    ReportEncoding expected;
  } cases[] = {
      {ascii, ascii, ReportEncoding::kUtf8},   {sjis, ascii, ReportEncoding::kCp932},
      {ascii, sjis, ReportEncoding::kCp932},   {sjis, utf8, ReportEncoding::kCp932},
      {utf8, utf8, ReportEncoding::kUtf8},     {neither, ascii, ReportEncoding::kUtf8},
      {sjis, neither, ReportEncoding::kUtf8},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    WriteFile(dir.File("1.log"), c.log1);
    WriteFile(dir.File("2.log"), c.log2);
    ReportEncoding got = ReportEncoding::kUtf8;
    ASSERT_TRUE(DetectReportEncoding(dir.File("1.log"), dir.File("2.log"), got).ok());
    EXPECT_EQ(got, c.expected) << c.log1 << " | " << c.log2;
  }
  ReportEncoding got = ReportEncoding::kUtf8;
  const Status missing = DetectReportEncoding(dir.File("1.log"), dir.File("none.log"), got);
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.file(), dir.File("none.log"));
}

}  // namespace
}  // namespace tess
