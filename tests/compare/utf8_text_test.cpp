// Log text as UTF-8: well-formed sequences pass unchanged up to their
// boundaries, and each byte of a sequence that is not well formed becomes
// U+FFFD, in the middle of the text and at its end.
#include "compare/utf8_text.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

std::string Replacements(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += kFffd;
  return s;
}

TEST(LogTextToUtf8, KeepsWellFormedUtf8AndReplacesEachByteOfTheRest) {
  const struct {
    const char* what;
    std::string bytes;
    bool valid;
  } cases[] = {
      {"ASCII", "A~\x7f", true},
      {"lowest 2-byte", "\xC2\x80", true},
      {"highest 2-byte", "\xDF\xBF", true},
      {"lowest 3-byte", "\xE0\xA0\x80", true},
      {"below the surrogates", "\xED\x9F\xBF", true},
      {"above the surrogates", "\xEE\x80\x80", true},
      {"highest 3-byte", "\xEF\xBF\xBF", true},
      {"lowest 4-byte", "\xF0\x90\x80\x80", true},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
      {"overlong 2-byte", "\xC0\xAF", false},
      {"overlong 2-byte C1", "\xC1\xBF", false},
      {"overlong 3-byte", "\xE0\x80\xAF", false},
      {"overlong 3-byte, highest", "\xE0\x9F\xBF", false},
      {"overlong 4-byte", "\xF0\x80\x80\xAF", false},
      {"overlong 4-byte, highest", "\xF0\x8F\xBF\xBF", false},
      {"surrogate D800", "\xED\xA0\x80", false},
      {"surrogate DFFF", "\xED\xBF\xBF", false},
      {"U+110000", "\xF4\x90\x80\x80", false},
      {"lead F5", "\xF5\x80\x80\x80", false},
      {"lead FF", "\xFF", false},
      {"lone continuation", "\x80", false},
      {"2-byte cut short", "\xC2", false},
      {"3-byte cut short", "\xE0\xA0", false},
      {"4-byte cut short", "\xF0\x90\x80", false},
      {"3-byte with ASCII inside", "\xE2\x82" "A", false},
  };
  for (const auto& c : cases) {
    // A bad sequence ends in ASCII only in its last case: the "A" stays.
    const bool endsInAscii = c.bytes.back() == 'A';
    const std::string bad = endsInAscii ? c.bytes.substr(0, c.bytes.size() - 1) : c.bytes;
    const std::string expected = c.valid ? c.bytes : Replacements(bad.size()) + (endsInAscii ? "A" : "");
    EXPECT_EQ(LogTextToUtf8("x" + c.bytes + "y", ReportEncoding::kUtf8), "x" + expected + "y") << c.what;
    EXPECT_EQ(LogTextToUtf8("x" + c.bytes, ReportEncoding::kUtf8), "x" + expected) << c.what << ", at the end";
  }
}

}  // namespace
}  // namespace tess
