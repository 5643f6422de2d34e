// The byte checks behind the report's encoding; the texts themselves are
// checked by the end-to-end Shift-JIS and UTF-8 reports.
#include "compare/report_text.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

// Bytes fed in two pieces split at `split` (a sequence may span two reads).
template <typename Validator>
bool Valid(const std::string& bytes, size_t split) {
  Validator v;
  const size_t cut = std::min(split, bytes.size());
  v.Feed(bytes.data(), cut);
  v.Feed(bytes.data() + cut, bytes.size() - cut);
  return v.Valid();
}

TEST(CompareReportText, Validators) {
  const struct {
    std::string bytes;
    bool utf8, cp932;
  } cases[] = {
      {"show ip route", true, true},
      {"同等です", true, false},             // in CP932 a lead byte is left without trail
      {"\xf0\x9f\x98\x80", true, true},     // U+1F600
      {"\xe5\x90", false, true},            // UTF-8 cut short
      {"\x80", false, false},
      {"\xc0\x80", false, false},           // overlong
      {"\xe0\x80\x80", false, false},       // overlong
      {"\xed\xa0\x80", false, false},       // surrogate
      {"\xf4\x90\x80\x80", false, false},   // above U+10FFFF
      {"\x93\xaf\x93\x99\x82\xc5\x82\xb7", false, true},  // "同等です" in CP932
      {"\xb1\xdd", false, true},            // half-width kana
      {"\x83\x5c", false, true},            // trail byte "\"
      {"\x93", false, false},               // lead byte at the end
      {"\x93\x7f", false, false},           // no trail byte
      {"\xa0", false, false},
      {"\xfd", false, false},
      {"ok\xff", false, false},
  };
  for (const auto& c : cases) {
    // ASCII before a sequence changes nothing, whatever its length (ASCII is
    // passed over eight bytes at a time) and wherever a read ends.
    for (size_t ascii = 0; ascii <= 17; ++ascii) {
      const std::string bytes = std::string(ascii, 'a') + c.bytes;
      for (size_t split : {bytes.size(), size_t{1}, ascii, ascii + 1}) {
        EXPECT_EQ(Valid<Utf8Validator>(bytes, split), c.utf8) << bytes << " split " << split;
        EXPECT_EQ(Valid<Cp932Validator>(bytes, split), c.cp932) << bytes << " split " << split;
      }
    }
  }
}

// The mixes the end-to-end reports do not show, and a missing log.
TEST(CompareReportText, EncodingOfTwoLogs) {
  const std::string sjis = "\x83\x8b\x81\x5b\x83\x5e#\n";  // "ルータ#" in CP932
  testing::ScratchDir dir;
  testing::WriteFile(dir.File("sjis.log"), sjis);
  testing::WriteFile(dir.File("utf8.log"), "ルータ#\n");
  testing::WriteFile(dir.File("neither.log"), "\xff\xfe\n");
  const struct {
    const char* log2;
    ReportEncoding expected;
  } cases[] = {{"utf8.log", ReportEncoding::kCp932}, {"neither.log", ReportEncoding::kUtf8}};
  for (const auto& c : cases) {
    ReportEncoding got = ReportEncoding::kUtf8;
    ASSERT_TRUE(DetectReportEncoding(dir.File("sjis.log"), dir.File(c.log2), got).ok());
    EXPECT_EQ(got, c.expected) << c.log2;
  }
  ReportEncoding got = ReportEncoding::kUtf8;
  const Status missing = DetectReportEncoding(dir.File("sjis.log"), dir.File("none.log"), got);
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.file(), dir.File("none.log"));
}

}  // namespace
}  // namespace tess
