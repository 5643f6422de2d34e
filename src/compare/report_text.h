// The report's own texts, in the encoding of the compared logs.
#pragma once

#include <cstdint>
#include <string>

#include "io/status.h"

namespace tess {

enum class ReportEncoding { kUtf8, kCp932 };

/// The fixed texts of a comparison report, already encoded.
struct ReportTexts {
  std::string Before;          // "前: "
  std::string After;           // "後: "
  std::string GoneTable;       // "減<VRF:"
  std::string GoneTableLine;   // "  < "
  std::string NewTable;        // "増>VRF:"
  std::string NewTableLine;    // "  > "
  std::string PairHeading;     // "VRF:"
  std::string GoneBlock;       // "減< "
  std::string NewBlock;        // "増> "
  std::string ChangedBefore;   // "前< "
  std::string ChangedAfter;    // "後> "
  std::string Equivalent;      // "同等です"
  std::string Differences;     // "の違いがあります"
};

/// The texts in `encoding`.
ReportTexts MakeReportTexts(ReportEncoding encoding);

/// The verdict's words in UTF-8, as the report's last line has them without
/// its leading space: "同等です" or "N の違いがあります".
std::string VerdictWords(int64_t differenceCount);

/// Shift-JIS (CP932) when at least one log is not valid UTF-8 and every such
/// log is valid CP932; UTF-8 otherwise. Reads both files once.
Status DetectReportEncoding(const std::string& log1, const std::string& log2,
                            ReportEncoding& encoding);

/// From `i` on, the index of the first block of eight bytes that holds a
/// byte of 0x80 or more (or of the last bytes short of a block): logs are
/// mostly ASCII, which every check of an encoding passes over unchanged.
size_t SkipAscii(const char* data, size_t i, size_t size);

/// Byte-level validity checks used by DetectReportEncoding.
class Utf8Validator {
 public:
  void Feed(const char* data, size_t size);
  bool Valid() const { return valid_ && pending_ == 0; }

 private:
  bool valid_ = true;
  int pending_ = 0;        // continuation bytes still expected
  unsigned char low_ = 0x80, high_ = 0xBF;  // range of the next continuation byte
};

class Cp932Validator {
 public:
  void Feed(const char* data, size_t size);
  bool Valid() const { return valid_ && !expectTrail_; }

 private:
  bool valid_ = true;
  bool expectTrail_ = false;
};

}  // namespace tess
