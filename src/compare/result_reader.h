// Reads route blocks back from a sort result: a route start line with the
// indented extra-path lines under it that belong to the same route.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "io/line_reader.h"
#include "io/status.h"
#include "sorter/address128.h"
#include "sorter/ios_route_line.h"
#include "sorter/route_block_stream.h"
#include "sorter/table_dialect.h"

namespace tess {

/// A route block and the destination and mask of its first line. IOS IPv4
/// destinations are IPv4-mapped, as the other dialects' are, so that routes
/// of paired tables of different dialects still meet by destination.
struct RouteBlock {
  std::vector<std::string> Lines;
  Address128 Destination = Address128::None();
  int MaskCode = 0;  // the mask length less one (0 for /0)
  int64_t Start = 0;  // file position of its first line
  bool ReadAsBlocks = false;  // of a dialect read as route blocks: addresses compare as numbers
};

class ResultReader {
 public:
  Status Open(const std::string& path) { return in_.Open(path); }
  const Status& status() const { return in_.status(); }

  /// Moves to the start of a section of `dialect`; no read goes past
  /// `sectionEnd`.
  void EnterSection(int64_t sectionStart, int64_t sectionEnd, TableDialect dialect = TableDialect::IosIpv4);

  /// Reads the section's next whole block; false when there is none.
  bool ReadBlock(RouteBlock& block);

  /// Everything that reading changes, so that a look at later blocks can be
  /// undone.
  struct Mark {
    int64_t position;
    IosRouteLineStream stream;
    std::optional<RouteBlockStream> blockStream;
  };
  Mark Save() const;
  void Restore(const Mark& mark);

 private:
  /// The first line of a block, its fields, and the block's number of lines
  /// (0 when the section holds no further route line).
  struct BlockHead {
    std::string line;
    RouteFields fields;
    int64_t lineCount = 0;
  };
  BlockHead ReadBlockHead();
  bool ReadRouteBlock(RouteBlock& block);
  std::string ReadPathLine();
  bool ReadWithinSection(std::string& line);
  int64_t CountBlockLines(const std::string& first, const RouteFields& firstFields);

  // The side's own line stream: it starts with mask 0, so a report depends
  // only on its two logs.
  IosRouteLineStream stream_{IosRouteLineStream::Source::SortResult};
  // The stream of a section read as route blocks; none for IOS IPv4.
  std::optional<RouteBlockStream> blockStream_;
  LineReader in_;
  int64_t sectionEnd_ = 0;
};

}  // namespace tess
