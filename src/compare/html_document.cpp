#include "compare/html_document.h"

#include "compare/html_text.h"

namespace tess {

namespace {

// Kinds are told apart by colour on screen and by the report's marks, which
// stay as text, on paper; marked fields are also bold and underlined.
constexpr char kStyle[] =
    "body{font-family:sans-serif;margin:1em 2em;color:#000;background:#fff}\n"
    "table{border-collapse:collapse;margin:.5em 0}\n"
    "th,td{border:1px solid #999;padding:.2em .5em;text-align:left;vertical-align:top}\n"
    "td.n{text-align:right}\n"
    "table.diff{width:100%;table-layout:fixed}\n"
    "table.diff tbody{content-visibility:auto;contain-intrinsic-size:auto 3000px}\n"
    "table.diff td{font-family:monospace;white-space:pre-wrap;overflow-wrap:anywhere}\n"
    ".gone{background:#fde0e0}\n"
    ".new{background:#ddf4dd}\n"
    ".changed{background:#fdf2cc}\n"
    ".failed{background:#f4d0d0;font-weight:bold}\n"
    "mark{background:#f2b33d;font-weight:bold;text-decoration:underline}\n"
    ".verdict{font-size:1.3em;font-weight:bold}\n"
    ".more{font-family:sans-serif;font-style:italic}\n"
    ".legend span,.legend mark{padding:0 .4em;margin-right:.5em}\n";

}  // namespace

std::string HtmlDocumentStart(std::string_view title) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  AppendHtmlText(out, title);
  out += "</title>\n<style>\n";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n";
  return out;
}

std::string HtmlRunLine(std::string_view version, std::string_view runTime) {
  return "<p>tessaline " + HtmlText(version) + " ・ 実行日時 " + HtmlText(runTime) + "</p>\n";
}

}  // namespace tess
