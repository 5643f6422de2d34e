#include "sorter/sort_records.h"

namespace tess {

namespace {
uint64_t Bits(int32_t word) { return static_cast<uint32_t>(word) & 0x7FFFFFFFu; }
}  // namespace

void SortRecords::Resize(size_t lineCount) {
  for (auto* words : {&SortKey1, &SortKey2, &SortKey3, &SortKey4}) {
    words->assign(lineCount + 1, 0);
  }
  LinePosition.assign(lineCount + 1, 0);
}

LineRecord LineRecord::Make(const std::array<int32_t, 4>& w, int64_t position, int64_t length) {
  const auto sign = [&w](size_t k) { return static_cast<uint64_t>(w[k] < 0 ? 1 : 0); };
  LineRecord r;
  r.high_ = Bits(w[0]) << 31 | Bits(w[1]) | sign(0) << 62 | sign(1) << 63;
  r.low_ = Bits(w[2]) << 31 | Bits(w[3]) | sign(2) << 62 | sign(3) << 63;
  const uint64_t shown = length > 0 && length < kLongLine ? static_cast<uint64_t>(length) : kLongLine;
  r.place_ = (static_cast<uint64_t>(position) & kPositionBits) | shown << 44;
  return r;
}

int32_t LineRecord::Word(int w) const {
  const uint64_t key = w < 2 ? KeyHigh() : KeyLow();
  const uint64_t bits = (w % 2 == 0 ? key >> 31 : key) & 0x7FFFFFFF;
  const uint32_t sign = (Signs() >> w & 1u) << 31;
  return static_cast<int32_t>(static_cast<uint32_t>(bits) | sign);
}

}  // namespace tess
