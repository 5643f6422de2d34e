#include "sorter/sort_records.h"

#include <cstring>
#include <new>
#include <type_traits>

#include "io/large_allocation.h"

namespace tess {

namespace {
uint64_t Bits(int32_t word) { return static_cast<uint32_t>(word) & 0x7FFFFFFFu; }
}  // namespace

void SortRecords::Resize(size_t lineCount) {
  for (auto* words : {&SortKey1, &SortKey2, &SortKey3, &SortKey4}) {
    words->assign(lineCount, 0);
  }
  LinePosition.assign(lineCount, 0);
}

LineRecord LineRecord::Make(const std::array<int32_t, 4>& w, int64_t position, int64_t length) {
  const auto sign = [&w](size_t k) { return static_cast<uint64_t>(w[k] < 0 ? 1 : 0); };
  LineRecord r;
  r.high_ = Bits(w[0]) << 31 | Bits(w[1]) | sign(0) << 62 | sign(1) << 63;
  r.low_ = Bits(w[2]) << 31 | Bits(w[3]) | sign(2) << 62 | sign(3) << 63;
  r.place_ = LinePlace::Of(position, length);
  return r;
}

LinePlace LinePlace::Of(int64_t position, int64_t length) {
  const uint64_t shown = length > 0 && length < kLongLine ? static_cast<uint64_t>(length) : kLongLine;
  LinePlace p;
  p.bits_ = (static_cast<uint64_t>(position) & kPositionBits) | shown << 44;
  return p;
}

std::span<const LinePlace> KeepOnlyPlaces(std::span<LineRecord> lines) {
  static_assert(sizeof(LinePlace) * 3 == sizeof(LineRecord));
  static_assert(std::is_trivially_copyable_v<LineRecord> && std::is_trivially_copyable_v<LinePlace>);
  // Place k goes to bytes [8k, 8k + 8), which only records 0 to k took:
  // each record is read before its bytes are written over.
  unsigned char* bytes = reinterpret_cast<unsigned char*>(lines.data());
  for (size_t k = 0; k < lines.size(); ++k) {
    LineRecord record;
    std::memcpy(&record, bytes + k * sizeof(LineRecord), sizeof record);
    const LinePlace place = record.Place();
    std::memcpy(bytes + k * sizeof(LinePlace), &place, sizeof place);
  }
  ReleaseLargePages(bytes + lines.size() * sizeof(LinePlace), lines.size() * (sizeof(LineRecord) - sizeof(LinePlace)));
  return {std::launder(reinterpret_cast<const LinePlace*>(bytes)), lines.size()};
}

int32_t LineRecord::Word(int w) const {
  const uint64_t key = w < 2 ? KeyHigh() : KeyLow();
  const uint64_t bits = (w % 2 == 0 ? key >> 31 : key) & 0x7FFFFFFF;
  const uint32_t sign = (Signs() >> w & 1u) << 31;
  return static_cast<int32_t>(static_cast<uint32_t>(bits) | sign);
}

}  // namespace tess
