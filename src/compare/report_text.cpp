#include "compare/report_text.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>
#include <vector>

#include "io/two_at_once.h"

namespace tess {

namespace {

// Converts one of our fixed UTF-8 texts to CP932 (all of them convert).
std::string ToCp932(const std::string& utf8) {
  iconv_t cd = ::iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  std::string out(utf8.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* to = out.data();
  size_t outLeft = out.size();
  const size_t rc = ::iconv(cd, &in, &inLeft, &to, &outLeft);
  ::iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return utf8;
  out.resize(out.size() - outLeft);
  return out;
}

// Feeds the whole file at `path` to both validators.
Status Scan(const std::string& path, Utf8Validator& utf8, Cp932Validator& cp932) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno(path, errno);
  std::vector<char> buf(256 * 1024);
  while (true) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      return Status::FromErrno(path, e);
    }
    if (n == 0) break;
    utf8.Feed(buf.data(), static_cast<size_t>(n));
    cp932.Feed(buf.data(), static_cast<size_t>(n));
  }
  ::close(fd);
  return Status::Ok();
}

}  // namespace

size_t SkipAscii(const char* data, size_t i, size_t size) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  while (i + 8 <= size) {
    uint64_t block;
    std::memcpy(&block, data + i, 8);
    if ((block & kHighBits) != 0) break;
    i += 8;
  }
  return i;
}

std::string VerdictWords(int64_t differenceCount) {
  const ReportTexts texts = MakeReportTexts(ReportEncoding::kUtf8);
  return differenceCount == 0 ? texts.Equivalent : std::to_string(differenceCount) + " " + texts.Differences;
}

ReportTexts MakeReportTexts(ReportEncoding encoding) {
  ReportTexts t{"前: ",    "後: ", "減<VRF:", "  < ",     "増>VRF:", "  > ",
                "VRF:",   "減< ", "増> ",    "前< ",     "後> ",    "同等です",
                "の違いがあります"};
  if (encoding == ReportEncoding::kUtf8) return t;
  for (std::string* s : {&t.Before, &t.After, &t.GoneTable, &t.GoneTableLine, &t.NewTable,
                         &t.NewTableLine, &t.PairHeading, &t.GoneBlock, &t.NewBlock,
                         &t.ChangedBefore, &t.ChangedAfter, &t.Equivalent, &t.Differences}) {
    *s = ToCp932(*s);
  }
  return t;
}

Status DetectReportEncoding(const std::string& log1, const std::string& log2,
                            ReportEncoding& encoding) {
  // The two logs are scanned at once, the second on a thread of its own.
  Utf8Validator utf8[2];
  Cp932Validator cp932[2];
  // Running out of memory fails the scan, about its log: an exception
  // cannot leave the second thread.
  Status scanned1, scanned2;
  RunTwoAtOnce([&] { scanned1 = FailOnOutOfMemory(log1, [&] { return Scan(log1, utf8[0], cp932[0]); }); },
               [&] { scanned2 = FailOnOutOfMemory(log2, [&] { return Scan(log2, utf8[1], cp932[1]); }); });
  if (!scanned1.ok()) return scanned1;
  if (!scanned2.ok()) return scanned2;
  bool anyNotUtf8 = false;
  bool allSuchCp932 = true;
  for (int k = 0; k < 2; ++k) {
    if (!utf8[k].Valid()) {
      anyNotUtf8 = true;
      allSuchCp932 = allSuchCp932 && cp932[k].Valid();
    }
  }
  encoding = anyNotUtf8 && allSuchCp932 ? ReportEncoding::kCp932 : ReportEncoding::kUtf8;
  return Status::Ok();
}

void Utf8Validator::Feed(const char* data, size_t size) {
  for (size_t i = 0; i < size && valid_; ++i) {
    if (pending_ == 0) {
      i = SkipAscii(data, i, size);
      if (i == size) break;
    }
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (pending_ > 0) {
      if (c < low_ || c > high_) {
        valid_ = false;
        break;
      }
      low_ = 0x80;
      high_ = 0xBF;
      --pending_;
      continue;
    }
    if (c < 0x80) continue;
    if (c >= 0xC2 && c <= 0xDF) {
      pending_ = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      pending_ = 2;
      if (c == 0xE0) low_ = 0xA0;   // no overlong forms
      if (c == 0xED) high_ = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      pending_ = 3;
      if (c == 0xF0) low_ = 0x90;
      if (c == 0xF4) high_ = 0x8F;  // nothing above U+10FFFF
    } else {
      valid_ = false;
    }
  }
}

void Cp932Validator::Feed(const char* data, size_t size) {
  for (size_t i = 0; i < size && valid_; ++i) {
    if (!expectTrail_) {
      i = SkipAscii(data, i, size);
      if (i == size) break;
    }
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (expectTrail_) {
      expectTrail_ = false;
      if (!((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC))) valid_ = false;
      continue;
    }
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      expectTrail_ = true;
    } else if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
      valid_ = false;
    }
  }
}

}  // namespace tess
