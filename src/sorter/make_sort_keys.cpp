#include "sorter/make_sort_keys.h"

namespace tess {

namespace {
// Wraps a sum computed in 64 bits to 32-bit two's complement, as a 32-bit
// signed evaluation of the same sum gives it (a -1 MaskCode borrows).
int32_t Word(int64_t sum) { return static_cast<int32_t>(static_cast<uint32_t>(sum)); }
}  // namespace

KeyWords BuildKeyWords(SortOrder order, const RouteFields& f, int64_t lineNumber) {
  const int64_t ls = static_cast<int>(f.Part), dh = f.DestHigh, dl = f.DestLow, hh = f.HopHigh, hl = f.HopLow;
  const int64_t mc = f.MaskCode, pc = f.ProtoCode, i2 = 2 * lineNumber;
  switch (order) {
    case SortOrder::NextHop:
      return {Word((ls << 29) + (hh << 13) + ((hl & 0xFFF8) >> 3)),
              Word(((hl & 7) << 28) + (dh << 12) + ((dl & 0xFFF0) >> 4)),
              Word(((dl & 0xF) << 27) + mc * (1 << 22) + ((pc & 0xFFFFFC0) >> 6)),
              Word(((pc & 0x3F) << 25) + i2)};
    case SortOrder::MaskThenDestination:
      return {Word((ls << 29) + mc * (1 << 24) + (dh << 8) + ((dl & 0xFF00) >> 8)),
              Word(((dl & 0xFF) << 23) + (hh << 7) + ((hl & 0xFE00) >> 9)),
              Word(((hl & 0x1FF) << 22) + ((pc & 0xFFFFFC0) >> 6)),
              Word(((pc & 0x3F) << 25) + i2)};
    case SortOrder::MaskThenNextHop:
      return {Word((ls << 29) + mc * (1 << 24) + (hh << 8) + ((hl & 0xFF00) >> 8)),
              Word(((hl & 0xFF) << 23) + (dh << 7) + ((dl & 0xFE00) >> 9)),
              Word(((dl & 0x1FF) << 22) + ((pc & 0xFFFFFC0) >> 6)),
              Word(((pc & 0x3F) << 25) + i2)};
    case SortOrder::ProtocolThenDestination:
      return {Word((ls << 29) + pc * 2 + ((dh & 0x8000) >> 15)),
              Word(((dh & 0x7FFF) << 16) + dl),
              Word(mc * (1 << 26) + (hh << 10) + ((hl & 0xFFC0) >> 6)),
              Word(((hl & 0x3F) << 25) + i2)};
    case SortOrder::ProtocolThenNextHop:
      return {Word((ls << 29) + pc * 2 + ((hh & 0x8000) >> 15)),
              Word(((hh & 0x7FFF) << 16) + hl),
              Word((dh << 15) + ((dl & 0xFFFE) >> 1)),
              Word(((dl & 1) << 30) + mc * (1 << 25) + i2)};
    case SortOrder::Destination:
    default:
      return {Word((ls << 29) + (dh << 13) + ((dl & 0xFFF8) >> 3)),
              Word(((dl & 7) << 28) + mc * (1 << 23) + (hh << 7) + ((hl & 0xFE00) >> 9)),
              Word(((hl & 0x1FF) << 22) + ((pc & 0xFFFFFC0) >> 6)),
              Word(((pc & 0x3F) << 25) + i2)};
  }
}

void SortKeyMaker::Add(size_t section, TableDialect dialect, std::string_view line, int64_t position,
                       int64_t length) {
  if (section != section_) {
    section_ = section;
    lineNumber_ = 0;
    stream_ = IosRouteLineStream();
    blockStream_.reset();
    if (keyBits_.size() <= section) keyBits_.resize(section + 1);
    if (blockTableOf_.size() <= section) blockTableOf_.resize(section + 1, kNoBlockTable);
  }
  if (ReadsRouteBlocks(dialect)) return AddBlockLine(section, dialect, line, position, length);
  const RouteFields fields = stream_.Parse(line);
  if (fields.StartsRoute()) ++routeLineCount_;
  const LineRecord record = LineRecord::Make(BuildKeyWords(order_, fields, ++lineNumber_), position, length);
  keyBits_[section].Add(record);
  records_.push_back(record);
}

// The lines of a section that turned out to be read as route blocks only
// at its first route (IOS-XR IPv6) were all loose lines before it: their
// records move to the block tables.
void SortKeyMaker::AddBlockLine(size_t section, TableDialect dialect, std::string_view line, int64_t position,
                                int64_t length) {
  if (blockTableOf_[section] == kNoBlockTable) {
    blockTableOf_[section] = blockTables_.StartTable();
    const size_t earlier = static_cast<size_t>(lineNumber_);
    for (size_t k = records_.size() - earlier; k < records_.size(); ++k) blockTables_.Add(BlockLine{}, records_[k].Place());
    records_.resize(records_.size() - earlier);
    keyBits_[section] = KeyBitsSeen{};
  }
  if (!blockStream_) blockStream_.emplace(dialect);
  const BlockLine fields = blockStream_->Parse(line);
  if (OpensRoute(fields.Role)) ++routeLineCount_;
  blockTables_.Add(fields, LinePlace::Of(position, length));
  ++lineNumber_;
}

}  // namespace tess
