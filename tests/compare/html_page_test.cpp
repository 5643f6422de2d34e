// The comparison page and the index page: the summary per table, every text
// escaped, links kept inside the page, whole tables cut with a note, and the
// fields of a changed route that differ marked. That the pages of the built
// program hold one element per difference, show names as text and load
// nothing from outside is checked by tests/e2e/html_pages_check.py.
#include "compare/html_page.h"

#include <gtest/gtest.h>

#include <array>

#include "compare/html_text.h"

namespace tess {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

RecordedDifference Difference(DifferenceKind kind, const std::string& table,
                              std::vector<std::string> before, std::vector<std::string> after,
                              bool whole = false) {
  return {kind, whole, table, std::move(before), std::move(after)};
}

PageFacts Facts(int64_t count) {
  return {{"before/core1.log", 1234567, "2024-05-01 10:00"},
          {"after/core1.log", 12, "2024-05-02 10:00"},
          "1.2.0",
          "2024-05-02 11:00",
          "core1.dif",
          count};
}

// Tables of every kind of name and outcome, with differences of every kind.
ComparisonRecord MixedRecord() {
  ComparisonRecord r;
  const std::string global = "(Default Instance)";
  r.Tables = {{"(不明)", TableOutcome::Compared},
              {global, TableOutcome::Compared},
              {"BLUE", TableOutcome::Gone},
              {"RED (IPv6)", TableOutcome::New},
              {"(Default Instance) (IPv6)", TableOutcome::Compared}};
  r.Differences = {
      Difference(DifferenceKind::Gone, global, {"O 10.30.0.0/16 [110/30] via 10.0.0.1"}, {}),
      Difference(DifferenceKind::New, global, {}, {"O 10.40.0.0/16 [110/30] via 10.0.0.1"}),
      Difference(DifferenceKind::Changed, global, {"S 10.9.0.0/24 [1/0] via 10.1.1.9"},
                 {"S 10.9.0.0/24 [1/0] via 10.1.1.10"}),
      Difference(DifferenceKind::Gone, "BLUE", {"C 1.1.1.0/24 is connected", "L 1.1.1.1/32"}, {},
                 true),
      Difference(DifferenceKind::New, "RED (IPv6)", {}, {"C 2001:db8::/64 [0/0]"}, true),
      Difference(DifferenceKind::Changed, "(Default Instance) (IPv6)", {"S ::/0 [1/0] via FE80::1"},
                 {"S ::/0 [1/0] via FE80::2"}),
  };
  return r;
}

TEST(HtmlPage, OneSummaryRowPerTable) {
  const std::string page = ComparisonPage(MixedRecord(), Facts(6));
  const struct {
    const char* head;  // the name's cell and its state
    std::array<int, 4> counts;  // gone, new, changed, total
  } rows[] = {
      {"<td>(不明)</td><td>両方</td>", {0, 0, 0, 0}},
      {"<td><a href=\"#t2\">(Default Instance)</a></td><td>両方</td>", {1, 1, 1, 3}},
      {"<td><a href=\"#t3\">BLUE</a></td><td>前のみ</td>", {1, 0, 0, 1}},
      {"<td><a href=\"#t4\">RED (IPv6)</a></td><td>後のみ</td>", {0, 1, 0, 1}},
      {"<td><a href=\"#t5\">(Default Instance) (IPv6)</a></td><td>両方</td>", {0, 0, 1, 1}},
      {"<th colspan=\"2\">合計</th>", {2, 2, 2, 6}},
  };
  for (const auto& row : rows) {
    std::string expected = row.head;
    for (const int n : row.counts) expected += "<td class=\"n\">" + std::to_string(n) + "</td>";
    EXPECT_NE(page.find(expected + "</tr>"), std::string::npos) << expected;
  }
  EXPECT_NE(page.find("<p class=\"verdict\">6 の違いがあります</p>"), std::string::npos);
  EXPECT_NE(page.find("1,234,567 バイト"), std::string::npos);
  EXPECT_NE(ComparisonPage({{{"(Default Instance)", TableOutcome::Compared}}, {}}, Facts(0))
                .find("<p class=\"verdict\">同等です</p>"),
            std::string::npos);
}

TEST(HtmlPage, EscapesEveryText) {
  const struct {
    std::string text, html;
  } cases[] = {
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"A & B", "A &amp; B"},
      {"\"x\" 'y'", "&quot;x&quot; &#39;y&#39;"},
      {"a\tb", "a\tb"},
      {std::string("\x01\x1f\x7f", 3), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xff", "\xEF\xBF\xBD"},
      {"経路", "経路"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlText(c.text), c.html) << c.text;

  // The same hostile text in every field that the pages show.
  const std::string bad = "<script>alert('&\"')</script>";
  const std::string shown = HtmlText(bad);
  ComparisonRecord record;
  record.Tables = {{bad, TableOutcome::Compared}, {bad + "2", TableOutcome::Gone}};
  record.Differences = {
      Difference(DifferenceKind::Changed, bad, {bad}, {bad + "x"}),
      Difference(DifferenceKind::Gone, bad + "2", std::vector<std::string>(10001, bad), {}, true)};
  PageFacts facts{{bad, 1, bad}, {bad, 1, bad}, bad, bad, bad, 2};
  const std::string page = ComparisonPage(record, facts);
  const std::string index = IndexPage(
      {{bad, "failed", 0, "", bad}, {bad, "different", 1, "x.html", ""}}, bad, bad, bad, bad);
  for (const std::string* html : {&page, &index}) {
    EXPECT_EQ(html->find("<script"), std::string::npos);
    EXPECT_EQ(html->find("alert('"), std::string::npos);
    EXPECT_GT(Count(*html, shown), 4u);
  }
  EXPECT_NE(page.find("行は " + shown + " にあります"), std::string::npos);
}

TEST(HtmlPage, LinksStayInsideThePage) {
  const std::string page = ComparisonPage(MixedRecord(), Facts(6));
  const std::string index = IndexPage({{"a b#1.log", "different", 2, "a b#1.html", ""},
                                       {"c.log", "only-before", 0, "", ""}},
                                      "before", "after", "1.2.0", "now");
  for (const std::string* html : {&page, &index}) {
    EXPECT_EQ(html->rfind("<!DOCTYPE html>\n<html lang=\"ja\">", 0), 0u);
    EXPECT_NE(html->find("<meta charset=\"utf-8\">"), std::string::npos);
  }
  EXPECT_EQ(Count(index, "href="), 1u);
  EXPECT_NE(index.find("<a href=\"a%20b%231.html\">a b#1.log</a>"), std::string::npos);
  EXPECT_EQ(Count(index, "data-verdict="), 2u);

  const struct {
    const char* link;
    const char* href;
  } links[] = {
      {"core1.html", "core1.html"},     {"sub/a b.html", "sub/a%20b.html"},
      {"x#y?.html", "x%23y%3F.html"},   {"javascript:alert(1)", "javascript%3Aalert%281%29"},
      {"//host/x.html", ".//host/x.html"}, {"経路.html", "%E7%B5%8C%E8%B7%AF.html"},
  };
  for (const auto& l : links) EXPECT_EQ(RelativeHref(l.link), l.href) << l.link;
}

TEST(HtmlPage, WholeTableShowsItsFirstLinesAndCountsTheRest) {
  for (const size_t lines : {kPageWholeTableLines, kPageWholeTableLines + 3}) {
    std::vector<std::string> routes;
    for (size_t i = 1; i <= lines; ++i) routes.push_back("r" + std::to_string(i) + ";");
    ComparisonRecord record{{{"RED", TableOutcome::New}},
                            {Difference(DifferenceKind::New, "RED", {}, routes, true)}};
    const std::string page = ComparisonPage(record, Facts(1));
    EXPECT_EQ(Count(page, "  &gt; r"), kPageWholeTableLines) << lines;
    EXPECT_NE(page.find("  &gt; r10000;"), std::string::npos) << lines;
    EXPECT_EQ(page.find("r10001;"), std::string::npos) << lines;
    const bool noted = page.find("ほか 3 行は core1.dif にあります") != std::string::npos;
    EXPECT_EQ(noted, lines > kPageWholeTableLines) << lines;
  }
}

TEST(HtmlPage, MarksTheFieldsThatDifferAtTheSamePlace) {
  const struct {
    const char *line, *other, *html;
  } cases[] = {
      {"S    172.16.9.0/24 [1/0] via 172.16.1.9", "S    172.16.9.0/24 [1/0] via 172.16.1.10",
       "S    172.16.9.0/24 [1/0] via <mark>172.16.1.9</mark>"},
      {"O 10.0.0.0/8 [110/20] via 10.0.0.1, Gi0/0", "O 10.0.0.0/8 [110/30] via 10.0.0.1, Gi0/1",
       "O 10.0.0.0/8 <mark>[110/20]</mark> via 10.0.0.1, <mark>Gi0/0</mark>"},
      {"C 1.0.0.0/8 is directly connected, Lo0", "C 1.0.0.0/8 is directly connected",
       "C 1.0.0.0/8 is directly connected, <mark>Lo0</mark>"},
      {"a b", "", "<mark>a</mark> <mark>b</mark>"},
      {" a <b>", " a <c>", " a <mark>&lt;b&gt;</mark>"},
      {"same line", "same  line", "same line"},
  };
  for (const auto& c : cases) {
    std::string html;
    AppendMarkedLine(html, c.line, c.other);
    EXPECT_EQ(html, c.html) << c.line;
  }
  const std::string page = ComparisonPage(MixedRecord(), Facts(6));
  EXPECT_NE(page.find("<td>前&lt; S 10.9.0.0/24 [1/0] via <mark>10.1.1.9</mark></td>"
                      "<td>後&gt; S 10.9.0.0/24 [1/0] via <mark>10.1.1.10</mark></td>"),
            std::string::npos);
}

}  // namespace
}  // namespace tess
