// The frame both HTML pages share: one file with its style sheet inline and
// no reference outside itself.
#pragma once

#include <string>
#include <string_view>

namespace tess {

/// Doctype, <html lang="ja">, UTF-8, the title (escaped), the style sheet,
/// and the opening <body>.
std::string HtmlDocumentStart(std::string_view title);

/// Closes what HtmlDocumentStart opened.
inline constexpr char kHtmlDocumentEnd[] = "</body>\n</html>\n";

/// The paragraph naming the program's version and the time of the run.
std::string HtmlRunLine(std::string_view version, std::string_view runTime);

}  // namespace tess
