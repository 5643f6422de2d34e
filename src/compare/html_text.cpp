#include "compare/html_text.h"

#include <vector>

#include "compare/utf8_text.h"

namespace tess {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

// Appends UTF-8 `text` escaped; control characters but tab are replaced.
void AppendEscapedUtf8(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '\t': out += c; break;
      default: {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
          out += kReplacement;
        } else {
          out += c;
        }
      }
    }
  }
}

bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// The fields of `line` in order (views into it).
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsFieldSeparator(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsFieldSeparator(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view text) {
  AppendEscapedUtf8(out, LogTextToUtf8(std::string(text), ReportEncoding::kUtf8));
}

std::string HtmlText(std::string_view text) {
  std::string out;
  AppendHtmlText(out, text);
  return out;
}

// Both lines are made valid UTF-8 first: separators are ASCII, so fields
// never split a character.
void AppendMarkedLine(std::string& out, std::string_view line, std::string_view other) {
  const std::string text = LogTextToUtf8(std::string(line), ReportEncoding::kUtf8);
  const std::string otherText = LogTextToUtf8(std::string(other), ReportEncoding::kUtf8);
  const std::vector<std::string_view> otherFields = Fields(otherText);
  const std::string_view view = text;
  size_t i = 0, field = 0;
  while (i < view.size()) {
    const size_t start = i;
    while (i < view.size() && IsFieldSeparator(view[i])) ++i;
    AppendEscapedUtf8(out, view.substr(start, i - start));
    const size_t fieldStart = i;
    while (i < view.size() && !IsFieldSeparator(view[i])) ++i;
    if (i == fieldStart) break;
    const std::string_view f = view.substr(fieldStart, i - fieldStart);
    const bool same = field < otherFields.size() && otherFields[field] == f;
    ++field;
    if (!same) out += "<mark>";
    AppendEscapedUtf8(out, f);
    if (!same) out += "</mark>";
  }
}

std::string RelativeHref(std::string_view link) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = !link.empty() && link.front() == '/' ? "." : "";
  for (const char c : link) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    }
  }
  return out;
}

}  // namespace tess
