#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

// std::nullopt stands for "nothing delivered into the field".
struct SplitCase {
  const char* text;
  std::optional<std::string> arg1, arg2;
};

TEST(SplitCommandLine, DeliversAtMostTwoNames) {
  const std::optional<std::string> none;
  const SplitCase cases[] = {
      {"", none, none},
      {"r1.log", "r1.log", none},
      {"r1.log r2.log", "r1.log", "r2.log"},
      {"r1.log    r2.log", "r1.log", "r2.log"},
      {"\"C:\\My Logs\\r1.log\" r2.log", "C:\\My Logs\\r1.log", "r2.log"},
      {"\"C:\\My Logs\\r1.log", "C:\\My Logs\\r1.log", none},  // end of text closes the quote
      {"a\"b c\"d", "ab c", "d"},                              // closing quote ends the argument
      {"r1.log r2.log r3.log", "r1.log", "r2.log"},
      {"r1.log ", "r1.log", none},
      {"\"\"", "", none},
      {"r1.log\"", none, none},  // a quote opened by the last character delivers nothing
      {"r1.log r2.log\"", "r1.log", none},
      {" a b", "", "a"},         // a leading space delivers an empty first argument
      {"a  \"b c\"", "a", "b c"},
      {"x", "x", none},
  };
  for (const SplitCase& c : cases) {
    const SplitArguments got = SplitCommandLine(c.text);
    EXPECT_EQ(got.Argument1, c.arg1) << "text: [" << c.text << "]";
    EXPECT_EQ(got.Argument2, c.arg2) << "text: [" << c.text << "]";
  }
}

TEST(SplitCommandLine, CollectedSecondTextDecidesComparison) {
  EXPECT_EQ(SplitCommandLine("a b").Collected2, "b");
  EXPECT_EQ(SplitCommandLine("a").Collected2, "");
  // The second argument is collected even when a quote at the end keeps it
  // from being delivered: it still asks for a comparison.
  const SplitArguments open = SplitCommandLine("a b\"");
  EXPECT_EQ(open.Argument2, std::nullopt);
  EXPECT_EQ(open.Collected2, "b");
}

TEST(JoinArguments, RoundTripsThroughTheSplit) {
  const std::vector<std::vector<std::string>> vectors = {
      {"r1.log"}, {"my logs/r1.log", "r2.log"}, {"a", "b c"}, {""}, {"a", ""}};
  EXPECT_EQ(JoinArguments({"my logs/r1.log", "r2.log"}), "\"my logs/r1.log\" r2.log");
  EXPECT_EQ(JoinArguments({""}), "\"\"");
  for (const auto& v : vectors) {
    const SplitArguments got = SplitCommandLine(JoinArguments(v));
    EXPECT_EQ(got.Argument1, v[0]);
    if (v.size() > 1) {
      EXPECT_EQ(got.Argument2, v[1]);
    }
  }
}

}  // namespace
}  // namespace tess
