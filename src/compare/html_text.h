// Text into HTML: escaped, made valid UTF-8, and the fields of a changed
// route line that differ from its counterpart marked.
#pragma once

#include <string>
#include <string_view>

namespace tess {

/// Appends `text` as HTML text or attribute value (in double quotes): bytes
/// that are not valid UTF-8 become U+FFFD, as do control characters other
/// than tab; & < > " ' become references.
void AppendHtmlText(std::string& out, std::string_view text);

/// `text` as AppendHtmlText writes it.
std::string HtmlText(std::string_view text);

/// Appends `line` as HTML text with each of its fields (runs of characters
/// other than spaces, tabs and commas) that is not the field at the same
/// place of `other` in <mark>. Fields past the end of `other` are marked:
/// a line without counterpart (`other` empty) is marked whole.
void AppendMarkedLine(std::string& out, std::string_view line, std::string_view other);

/// `link`, a relative path, as an href value: every byte other than letters,
/// digits, "-._~/" percent-encoded, so that it names a file beside the page
/// whatever its characters (":" or "#" cannot make it a scheme or a
/// fragment), and "." put before a leading "/" so that it stays relative.
std::string RelativeHref(std::string_view link);

}  // namespace tess
