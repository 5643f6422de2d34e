#include "compare/html_page.h"

#include <array>
#include <string_view>

#include "compare/html_document.h"
#include "compare/html_text.h"
#include "compare/record_summary.h"
#include "compare/report_text.h"

namespace tess {

namespace {

// The kinds in the order of the summary's columns, with the report's marks.
struct KindText {
  const char* Name;         // data-kind and CSS class
  const char* Column;       // summary column heading
  const char* BeforeMark;   // before each line of log 1
  const char* AfterMark;    // before each line of log 2
};
constexpr std::array<KindText, 3> kKinds = {{
    {"gone", "減", "減< ", ""},
    {"new", "増", "", "増> "},
    {"changed", "変更", "前< ", "後> "},
}};
constexpr char kWholeTableBeforeMark[] = "  < ";
constexpr char kWholeTableAfterMark[] = "  > ";

const KindText& TextOf(DifferenceKind kind) { return kKinds[static_cast<size_t>(kind)]; }

const char* OutcomeText(TableOutcome outcome) {
  return outcome == TableOutcome::Gone ? "前のみ" : outcome == TableOutcome::New ? "後のみ" : "両方";
}

std::string Anchor(size_t group) { return "t" + std::to_string(group + 1); }

// 1234567 as "1,234,567".
std::string Grouped(int64_t n) {
  const std::string digits = std::to_string(n < 0 ? -n : n);
  std::string out = n < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

void AppendFacts(std::string& out, const PageFacts& facts) {
  out += "<table class=\"facts\">\n<tr><th></th><th>パス</th><th>サイズ</th><th>更新日時</th></tr>\n";
  for (const auto& [label, log] :
       {std::pair("前のログ", &facts.Before), std::pair("後のログ", &facts.After)}) {
    out += std::string("<tr><th>") + label + "</th><td>" + HtmlText(log->Path) +
           "</td><td class=\"n\">" + Grouped(log->Bytes) + " バイト</td><td>" +
           HtmlText(log->Modified) + "</td></tr>\n";
  }
  out += "</table>\n" + HtmlRunLine(facts.Version, facts.RunTime);
}

// The verdict as the report's last line words it.
void AppendVerdict(std::string& out, int64_t count) {
  out += "<p class=\"verdict\">";
  out += VerdictWords(count);
  out += "</p>\n";
}

void AppendCountCells(std::string& out, const std::array<int64_t, 3>& counts) {
  for (const int64_t n : counts) out += "<td class=\"n\">" + std::to_string(n) + "</td>";
  out += "<td class=\"n\">" + std::to_string(counts[0] + counts[1] + counts[2]) + "</td>";
}

void AppendSummary(std::string& out, const std::vector<TableSummary>& groups) {
  out += "<h2>概要</h2>\n<table class=\"summary\">\n<tr><th>テーブル</th><th>状態</th>";
  for (const KindText& k : kKinds) out += std::string("<th>") + k.Column + "</th>";
  out += "<th>計</th></tr>\n";
  std::array<int64_t, 3> totals{};
  for (size_t g = 0; g < groups.size(); ++g) {
    const TableSummary& group = groups[g];
    out += "<tr><td>";
    if (group.Differences.empty()) {
      AppendHtmlText(out, group.Name);
    } else {
      out += "<a href=\"#" + Anchor(g) + "\">" + HtmlText(group.Name) + "</a>";
    }
    out += std::string("</td><td>") + OutcomeText(group.Outcome) + "</td>";
    AppendCountCells(out, group.Counts);
    out += "</tr>\n";
    for (size_t k = 0; k < totals.size(); ++k) totals[k] += group.Counts[k];
  }
  out += "<tr><th colspan=\"2\">合計</th>";
  AppendCountCells(out, totals);
  out += "</tr>\n</table>\n";
}

void AppendContents(std::string& out, const std::vector<TableSummary>& groups) {
  out += "<h2 id=\"contents\">目次</h2>\n<ul>\n";
  for (size_t g = 0; g < groups.size(); ++g) {
    if (groups[g].Differences.empty()) continue;
    out += "<li><a href=\"#" + Anchor(g) + "\">" + HtmlText(groups[g].Name) + "</a> (" +
           std::to_string(groups[g].Differences.size()) + ")</li>\n";
  }
  out += "</ul>\n";
}

void AppendLegend(std::string& out) {
  out +=
      "<p class=\"legend\">凡例: <span class=\"gone\">減&lt; 前のログだけにある経路</span>"
      "<span class=\"new\">増&gt; 後のログだけにある経路</span>"
      "<span class=\"changed\">前&lt; 後&gt; 変わった経路</span>"
      "<span class=\"gone\">&lt; 前のログだけにあるテーブル</span>"
      "<span class=\"new\">&gt; 後のログだけにあるテーブル</span>"
      "<mark>違う項目</mark></p>\n";
}

// The lines of one side, each after its mark, in a changed route with the
// fields that differ from the other side's line at the same place marked.
void AppendLines(std::string& out, const std::vector<std::string>& lines, const char* mark,
                 const std::vector<std::string>* other) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += '\n';
    AppendHtmlText(out, mark);
    if (other == nullptr) {
      AppendHtmlText(out, lines[i]);
    } else {
      AppendMarkedLine(out, lines[i], i < other->size() ? std::string_view((*other)[i]) : "");
    }
  }
}

// A whole table's lines up to the page's limit, then how many more the
// text report holds.
void AppendWholeTableLines(std::string& out, const std::vector<std::string>& lines,
                           const char* mark, const std::string& reportName) {
  const size_t shown = std::min(lines.size(), kPageWholeTableLines);
  for (size_t i = 0; i < shown; ++i) {
    if (i > 0) out += '\n';
    AppendHtmlText(out, mark);
    AppendHtmlText(out, lines[i]);
  }
  if (shown == lines.size()) return;
  out += "\n<span class=\"more\">ほか " + Grouped(static_cast<int64_t>(lines.size() - shown)) +
         " 行は " + HtmlText(reportName) + " にあります</span>";
}

void AppendDifference(std::string& out, const RecordedDifference& d,
                      const std::string& reportName) {
  const KindText& kind = TextOf(d.Kind);
  out += std::string("<tr class=\"") + kind.Name + "\" data-kind=\"" + kind.Name +
         "\" data-table=\"" + HtmlText(d.Table) + "\"><td>";
  if (d.WholeTable) {
    AppendWholeTableLines(out, d.Before, kWholeTableBeforeMark, reportName);
    out += "</td><td>";
    AppendWholeTableLines(out, d.After, kWholeTableAfterMark, reportName);
  } else {
    const bool changed = d.Kind == DifferenceKind::Changed;
    AppendLines(out, d.Before, kind.BeforeMark, changed ? &d.After : nullptr);
    out += "</td><td>";
    AppendLines(out, d.After, kind.AfterMark, changed ? &d.Before : nullptr);
  }
  out += "</td></tr>\n";
}

constexpr size_t kRowsPerBody = 100;

void AppendTableSection(std::string& out, const ComparisonRecord& record,
                        const TableSummary& group, size_t g, const std::string& reportName) {
  out += "<section id=\"" + Anchor(g) + "\">\n<h2>" + HtmlText(group.Name);
  if (group.Outcome != TableOutcome::Compared) {
    out += std::string(" <small>(") + OutcomeText(group.Outcome) + ")</small>";
  }
  out += "</h2>\n<table class=\"diff\">\n<thead><tr><th>前</th><th>後</th></tr></thead>\n<tbody>\n";
  // Rows in bodies of kRowsPerBody, which the browser lays out only when
  // they come into view: a page of many thousand differences opens at once.
  for (size_t k = 0; k < group.Differences.size(); ++k) {
    if (k > 0 && k % kRowsPerBody == 0) out += "</tbody>\n<tbody>\n";
    AppendDifference(out, record.Differences[group.Differences[k]], reportName);
  }
  out += "</tbody>\n</table>\n<p><a href=\"#contents\">目次へ</a></p>\n</section>\n";
}

}  // namespace

std::string PageTime(std::time_t when) {
  struct tm local {};
  char text[32] = "";
  if (::localtime_r(&when, &local) != nullptr) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string ComparisonPage(const ComparisonRecord& record, const PageFacts& facts) {
  const std::vector<TableSummary> groups = SummariseByTable(record);
  std::string out = HtmlDocumentStart("比較結果 - " + facts.After.Path);
  out += "<h1>比較結果</h1>\n";
  AppendFacts(out, facts);
  AppendVerdict(out, facts.DifferenceCount);
  AppendSummary(out, groups);
  AppendContents(out, groups);
  AppendLegend(out);
  for (size_t g = 0; g < groups.size(); ++g) {
    if (!groups[g].Differences.empty()) AppendTableSection(out, record, groups[g], g, facts.ReportName);
  }
  return out + kHtmlDocumentEnd;
}

}  // namespace tess
