#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(SplitCommandLine, DeliversAtMostTwoNames) {
  // std::nullopt: nothing delivered into the field. `collected2` is the second
  // text as collected: it asks for a comparison even when not delivered.
  const std::optional<std::string> none;
  const struct {
    const char* text;
    std::optional<std::string> arg1, arg2;
    const char* collected2;
  } cases[] = {
      {"", none, none, ""},
      {"r1.log", "r1.log", none, ""},
      {"r1.log    r2.log", "r1.log", "r2.log", "r2.log"},
      {"\"C:\\My Logs\\r1.log\" r2.log", "C:\\My Logs\\r1.log", "r2.log", "r2.log"},
      {"\"C:\\My Logs\\r1.log", "C:\\My Logs\\r1.log", none, ""},  // end of text closes the quote
      {"a\"b c\"d", "ab c", "d", "d"},                              // closing quote ends the argument
      {"r1.log r2.log r3.log", "r1.log", "r2.log", "r2.log"},
      {"r1.log ", "r1.log", none, ""},
      {"\"\"", "", none, ""},
      {"r1.log\"", none, none, ""},  // a quote opened by the last character delivers nothing
      {"r1.log r2.log\"", "r1.log", none, "r2.log"},
      {" a b", "", "a", "a"},  // a leading space delivers an empty first argument
      {"a  \"b c\"", "a", "b c", "b c"},
  };
  for (const auto& c : cases) {
    const SplitArguments got = SplitCommandLine(c.text);
    EXPECT_EQ(got.Argument1, c.arg1) << "text: [" << c.text << "]";
    EXPECT_EQ(got.Argument2, c.arg2) << "text: [" << c.text << "]";
    EXPECT_EQ(got.Collected2, c.collected2) << "text: [" << c.text << "]";
  }
}

TEST(JoinArguments, RoundTripsThroughTheSplit) {
  const std::vector<std::vector<std::string>> vectors = {
      {"r1.log"}, {"my logs/r1.log", "r2.log"}, {"a", "b c"}, {""}, {"a", ""}};
  for (const auto& v : vectors) {
    const SplitArguments got = SplitCommandLine(JoinArguments(v));
    EXPECT_EQ(got.Argument1, v[0]);
    EXPECT_EQ(got.Argument2, v.size() > 1 ? std::optional<std::string>(v[1]) : std::nullopt);
  }
}

}  // namespace
}  // namespace tess
