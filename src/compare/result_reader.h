// Reads route blocks back from a sort result: a route start line with the
// indented extra-path lines under it that belong to the same route.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/line_reader.h"
#include "io/status.h"
#include "sorter/parse_route_line.h"

namespace tess {

/// A route block and the destination and mask of its first line.
struct RouteBlock {
  std::vector<std::string> Lines;
  int32_t DestHigh = kNoAddress;
  int32_t DestLow = kNoAddress;
  int MaskCode = 0;
  int64_t Start = 0;  // file position of its first line
};

class ResultReader {
 public:
  /// A reader of one side's sort result; its own line stream starts with
  /// mask 0, so a report depends only on its two logs.
  ResultReader() {
    stream_.DestinationMayEndLine = true;
    stream_.ReadsNextHop = false;
  }

  Status Open(const std::string& path) { return in_.Open(path); }
  const Status& status() const { return in_.status(); }

  /// Moves to the start of a section; no read goes past `sectionEnd`.
  void EnterSection(int64_t sectionStart, int64_t sectionEnd);

  /// One line of a block. With lineCount 0, skips non-route lines and
  /// returns the block's first line, setting lineCount to the block's number
  /// of lines (counted ahead without consuming them) and the destination and
  /// mask variables; returns "" with lineCount 0 when the section holds no
  /// further route line. Otherwise returns the next line of the file.
  std::string ReadResultLine(int32_t& DestHigh, int32_t& DestLow, int& MaskCode, int64_t& lineCount);

  /// Reads the section's next whole block; false when there is none.
  bool ReadBlock(RouteBlock& block);

  /// Everything that reading changes, so that a look at later blocks can be
  /// undone.
  struct Mark {
    int64_t position;
    int maskInForce;
    int32_t destHigh, destLow;
    int maskCode;
  };
  Mark Save() const;
  void Restore(const Mark& mark);

 private:
  bool ReadWithinSection(std::string& line);
  int64_t CountBlockLines(const std::string& first, const RouteFields& firstFields, int lineState);

  LineStream stream_;
  LineReader in_;
  int64_t sectionEnd_ = 0;
  // The reader's variables of this side, carried from block to block.
  int32_t destHigh_ = kNoAddress, destLow_ = kNoAddress;
  int maskCode_ = 0;
};

}  // namespace tess
