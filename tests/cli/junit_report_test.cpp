// JUnit XML: the whole document for a pair of every verdict, the failure's
// text cut after its first difference lines, and the escapes of text and
// attributes.
#include "cli/junit_report.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tess {
namespace {

PairResult Pair(const std::string& name, PairVerdict verdict) {
  PairResult pair;
  pair.Name = name;
  pair.ReportPath = "after/" + name + ".dif";
  pair.Verdict = verdict;
  return pair;
}

// The report these records come from:
//   前< S    10.9.9.0/24 [1/0] via 10.1.1.9      (default instance)
//   後> S    10.9.9.0/24 [1/0] via 10.1.1.8
//   VRF:GREEN
//   減< S    172.20.9.0/24 [1/0] via 172.20.1.9
//   増>VRF:RED
//     > C    192.168.5.0/24 is directly connected, Ethernet2
PairResult Different() {
  PairResult pair = Pair("core1.log", PairVerdict::Different);
  pair.Outcome.DifferenceCount = 3;
  pair.Outcome.Record.Tables = {{"(不明)", TableOutcome::Compared}, {"(Default Instance)", TableOutcome::Compared},
                                {"GREEN", TableOutcome::Compared}, {"RED", TableOutcome::New}};
  pair.Outcome.Record.Differences = {
      {DifferenceKind::Changed, false, "(Default Instance)", {"S    10.9.9.0/24 [1/0] via 10.1.1.9"},
       {"S    10.9.9.0/24 [1/0] via 10.1.1.8"}},
      {DifferenceKind::Gone, false, "GREEN", {"S    172.20.9.0/24 [1/0] via 172.20.1.9"}, {}},
      {DifferenceKind::New, true, "RED", {}, {"C    192.168.5.0/24 is directly connected, Ethernet2"}},
  };
  return pair;
}

TEST(JunitXml, OneTestCasePerPairWithTheCountsOnTheSuite) {
  PairResult failed = Pair("x<\"&>.log", PairVerdict::Failed);
  failed.Outcome.NotCompared = Status::Fail(ErrorCode::NoRouteLines, "b/x.log");
  const std::vector<PairResult> pairs = {Pair("a.log", PairVerdict::Same), Different(),
                                         Pair("edge2.log", PairVerdict::OnlyBefore), failed};
  EXPECT_EQ(JunitXml(pairs, "b", "a"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<testsuite name=\"tessaline\" tests=\"4\" failures=\"2\" errors=\"1\" skipped=\"0\">\n"
            "  <testcase name=\"a.log\" classname=\"tessaline\"/>\n"
            "  <testcase name=\"core1.log\" classname=\"tessaline\">\n"
            "    <failure message=\"3 differences\" type=\"different\">3 differences\n"
            "前&lt; S    10.9.9.0/24 [1/0] via 10.1.1.9\n"
            "後&gt; S    10.9.9.0/24 [1/0] via 10.1.1.8\n"
            "VRF:GREEN\n"
            "減&lt; S    172.20.9.0/24 [1/0] via 172.20.1.9\n"
            "増&gt;VRF:RED\n"
            "  &gt; C    192.168.5.0/24 is directly connected, Ethernet2\n"
            "</failure>\n"
            "  </testcase>\n"
            "  <testcase name=\"edge2.log\" classname=\"tessaline\">\n"
            "    <failure message=\"only in b\" type=\"only-before\">only in b\n</failure>\n"
            "  </testcase>\n"
            "  <testcase name=\"x&lt;&quot;&amp;&gt;.log\" classname=\"tessaline\">\n"
            "    <error message=\"b/x.log: no route lines found\" type=\"failed\">"
            "b/x.log: no route lines found</error>\n"
            "  </testcase>\n"
            "</testsuite>\n");
}

// The first lines of the report only, headings counted, then where the rest is.
TEST(JunitXml, FailureTextStopsAfterTheFirstDifferenceLines) {
  PairResult pair = Different();
  RecordedDifference& red = pair.Outcome.Record.Differences.back();
  red.After.assign(30, "C    192.168.5.0/24 is directly connected, Ethernet2");
  const std::string xml = JunitXml({pair}, "", "");
  const size_t from = xml.find("type=\"different\">"), to = xml.find("</failure>");
  const std::string text = xml.substr(from, to - from);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + static_cast<long>(kJunitDifferenceLines) + 1) << text;
  EXPECT_TRUE(text.ends_with("Ethernet2\n(more in after/core1.log.dif)\n")) << text;
  red.After.resize(kJunitDifferenceLines - 5);  // exactly the lines shown: nothing more to say
  EXPECT_EQ(JunitXml({pair}, "", "").find("(more in"), std::string::npos);
}

TEST(XmlEscaped, MarkupAsEntitiesControlCharactersReplaced) {
  const struct {
    std::string text, asText, asAttribute;
  } cases[] = {
      {"a & b <c> \"d\" 'e'", "a &amp; b &lt;c&gt; &quot;d&quot; 'e'", "a &amp; b &lt;c&gt; &quot;d&quot; 'e'"},
      {"tab\tline\n", "tab\tline\n", "tab&#9;line&#10;"},
      {std::string("\0\x1b[1m\r\x7f", 7), "\uFFFD\uFFFD[1m\uFFFD\uFFFD", "\uFFFD\uFFFD[1m\uFFFD\uFFFD"},
      {"\u0085\u009f\u00a0", "\uFFFD\uFFFD\u00a0", "\uFFFD\uFFFD\u00a0"},  // C1 controls, not NBSP
      {"\uFFFE\uFFFF\uFFEF", "\uFFFD\uFFFD\uFFEF", "\uFFFD\uFFFD\uFFEF"},  // XML has no U+FFFE, U+FFFF
      {"同等 \xff\xc2", "同等 \uFFFD\uFFFD", "同等 \uFFFD\uFFFD"},     // no UTF-8: U+FFFD
  };
  for (const auto& c : cases) {
    EXPECT_EQ(XmlEscaped(c.text, XmlPlace::kText), c.asText) << c.asText;
    EXPECT_EQ(XmlEscaped(c.text, XmlPlace::kAttribute), c.asAttribute) << c.asAttribute;
  }
}

}  // namespace
}  // namespace tess
