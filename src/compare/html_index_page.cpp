// The index page of a folder comparison (declared in html_page.h).
#include <array>
#include <string_view>

#include "compare/html_document.h"
#include "compare/html_page.h"
#include "compare/html_text.h"

namespace tess {

namespace {

struct VerdictText {
  std::string_view Code;
  const char* Text;
  const char* Class;  // the row's colour: that of the kind of difference it stands for
};
constexpr std::array<VerdictText, 5> kVerdicts = {{
    {"same", "同等", ""},
    {"different", "違いあり", "changed"},
    {"only-before", "前のフォルダのみ", "gone"},
    {"only-after", "後のフォルダのみ", "new"},
    {"failed", "失敗", "failed"},
}};

// The verdict's entry; an unknown code has none.
const VerdictText* Find(std::string_view code) {
  for (const VerdictText& v : kVerdicts) {
    if (v.Code == code) return &v;
  }
  return nullptr;
}

// "N 組: 同等 a ・ 違いあり b ・ ..." over the verdicts that occur.
std::string CountsLine(const std::vector<IndexRow>& rows) {
  std::string out = "<p>" + std::to_string(rows.size()) + " 組";
  const char* separator = ": ";
  for (const VerdictText& v : kVerdicts) {
    size_t n = 0;
    for (const IndexRow& row : rows) n += row.Verdict == v.Code ? 1 : 0;
    if (n == 0) continue;
    out += std::string(separator) + v.Text + " " + std::to_string(n);
    separator = " ・ ";
  }
  return out + "</p>\n";
}

void AppendRow(std::string& out, const IndexRow& row) {
  const VerdictText* verdict = Find(row.Verdict);
  out += "<tr";
  if (verdict != nullptr && *verdict->Class != '\0') {
    out += std::string(" class=\"") + verdict->Class + "\"";
  }
  out += " data-verdict=\"" + HtmlText(row.Verdict) + "\"><td>";
  if (row.PageLink.empty()) {
    AppendHtmlText(out, row.Name);
  } else {
    out += "<a href=\"" + RelativeHref(row.PageLink) + "\">" + HtmlText(row.Name) + "</a>";
  }
  out += "</td><td>" + (verdict != nullptr ? std::string(verdict->Text) : HtmlText(row.Verdict)) +
         "</td><td class=\"n\">" + std::to_string(row.DifferenceCount) + "</td><td>" +
         HtmlText(row.Error) + "</td></tr>\n";
}

}  // namespace

std::string IndexPage(const std::vector<IndexRow>& rows, const std::string& beforeFolder,
                      const std::string& afterFolder, const std::string& version,
                      const std::string& runTime) {
  std::string out = HtmlDocumentStart("フォルダの比較 - " + afterFolder);
  out += "<h1>フォルダの比較</h1>\n<table class=\"facts\">\n<tr><th>前のフォルダ</th><td>" +
         HtmlText(beforeFolder) + "</td></tr>\n<tr><th>後のフォルダ</th><td>" +
         HtmlText(afterFolder) + "</td></tr>\n</table>\n";
  out += HtmlRunLine(version, runTime) + CountsLine(rows);
  out += "<table class=\"index\">\n<tr><th>名前</th><th>結果</th><th>違いの数</th><th>エラー</th></tr>\n";
  for (const IndexRow& row : rows) AppendRow(out, row);
  return out + "</table>\n" + kHtmlDocumentEnd;
}

}  // namespace tess
