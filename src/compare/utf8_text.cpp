#include "compare/utf8_text.h"

#include <iconv.h>

namespace tess {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at `s[i]`, 0 when there is none.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

std::string RepairUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      out += kReplacement;
      ++i;
    } else {
      out.append(bytes.substr(i, length));
      i += length;
    }
  }
  return out;
}

// CP932 to UTF-8, one character at a time so that a byte iconv refuses
// becomes U+FFFD and the rest goes on.
std::string Cp932ToUtf8(std::string_view bytes) {
  iconv_t cd = ::iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return RepairUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  char buffer[8];
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    const size_t width = lead && i + 1 < bytes.size() ? 2 : 1;
    char* in = const_cast<char*>(bytes.data() + i);
    size_t inLeft = width;
    char* to = buffer;
    size_t outLeft = sizeof buffer;
    if (::iconv(cd, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
      ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
      out += kReplacement;
      ++i;
      continue;
    }
    out.append(buffer, sizeof buffer - outLeft);
    i += width;
  }
  ::iconv_close(cd);
  return out;
}

// Whether every byte is below 0x80: such text is the same in both
// encodings and in UTF-8, and route lines mostly are.
bool IsAscii(std::string_view bytes) {
  for (size_t i = SkipAscii(bytes.data(), 0, bytes.size()); i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string LogTextToUtf8(std::string_view bytes, ReportEncoding encoding) {
  if (IsAscii(bytes)) return std::string(bytes);
  return encoding == ReportEncoding::kCp932 ? Cp932ToUtf8(bytes) : RepairUtf8(bytes);
}

}  // namespace tess
