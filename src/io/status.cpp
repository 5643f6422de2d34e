#include "io/status.h"

#include <cstring>

namespace tess {

Status Status::FromErrno(std::string file, int errnum) {
  Status s = Fail(ErrorCode::SystemError, std::move(file));
  s.errno_ = errnum;
  return s;
}

std::string Status::reason() const {
  if (ok_) return {};
  if (code_ == ErrorCode::SystemError) {
    // strerror_r: runs of a folder comparison fail on several threads at once.
    char buffer[256];
    return ::strerror_r(errno_, buffer, sizeof buffer);
  }
  std::string text(TextOf(code_).English);
  if (const size_t slot = text.find("{}"); slot != std::string::npos) text.replace(slot, 2, detail_);
  return text;
}


std::string Status::Message() const { return ShownFileName(file_) + ": " + reason(); }

std::string EscapeControlCharacters(const std::string& text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string ShownFileName(const std::string& name) {
  const std::string shown = EscapeControlCharacters(name);
  // Spaces at either end would be invisible; nothing at all would read as a
  // missing name.
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return "'" + shown + "'";
  return shown;
}

}  // namespace tess
