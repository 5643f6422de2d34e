// JSON string literals: every character that needs an escape gets the one
// the format gives it, and nothing else is escaped.
#include "cli/json_report.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(JsonString, EscapesWhatTheFormatAsksAndNothingElse) {
  const std::pair<std::string, std::string> cases[] = {
      {"", R"("")"},
      {"x\\y.log", R"("x\\y.log")"},
      {"say \"hi\"", R"("say \"hi\"")"},
      {"a\nb\rc\td", R"("a\nb\rc\td")"},
      {std::string("\0\x01\x08\x0c\x1f", 5), R"("\u0000\u0001\u0008\u000c\u001f")"},
      {"del\x7f", R"("del\u007f")"},
      {"/ ' ~ 同等", R"("/ ' ~ 同等")"},
      {"bad \xff", "\"bad \xEF\xBF\xBD\""},  // no UTF-8: U+FFFD
  };
  for (const auto& [text, literal] : cases) EXPECT_EQ(JsonString(text), literal) << literal;
}

}  // namespace
}  // namespace tess
