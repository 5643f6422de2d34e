// The records of the section being sorted.
//
// SortRecords is the form of the bitwise passes (RadixSort): four key words
// and a line position per line in parallel arrays, entry i describing the
// section's line i + 1. LineRecord is the compact form the sort run uses:
// one record per line with its key packed into two halves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tess {

struct SortRecords {
  std::vector<int32_t> SortKey1, SortKey2, SortKey3, SortKey4;
  std::vector<int64_t> LinePosition;

  void Resize(size_t lineCount);
  size_t Count() const { return LinePosition.size(); }
};

/// Where a line stands in the temporary file, in 8 bytes: its 1-based
/// position (44 bits) and its length including the line end (20 bits).
class LinePlace {
 public:
  /// Length() of a line of a mebibyte or more: read it with a line reader.
  static constexpr uint32_t kLongLine = (1u << 20) - 1;

  LinePlace() = default;
  static LinePlace Of(int64_t position, int64_t length);

  int64_t Position() const { return static_cast<int64_t>(bits_ & kPositionBits); }
  uint32_t Length() const { return static_cast<uint32_t>(bits_ >> 44); }

 private:
  static constexpr uint64_t kPositionBits = (uint64_t{1} << 44) - 1;
  uint64_t bits_ = 0;
};

/// One line of a section in 24 bytes: bits 30 to 0 of its four key words
/// (words 1 and 2 in the low 62 bits of the first half, 3 and 4 in those of
/// the second), the sign bits of the words in the halves' top bits, and
/// the line's place.
class LineRecord {
 public:
  static constexpr uint32_t kLongLine = LinePlace::kLongLine;

  LineRecord() = default;
  /// The record of a line with key words `words`.
  static LineRecord Make(const std::array<int32_t, 4>& words, int64_t position, int64_t length);

  /// Keys compare by the low 31 bits of each word, word 1 first.
  uint64_t KeyHigh() const { return high_ & kKeyBits; }
  uint64_t KeyLow() const { return low_ & kKeyBits; }
  /// Bit w - 1 set when word w is negative.
  uint32_t Signs() const { return static_cast<uint32_t>(high_ >> 62 | (low_ >> 62) << 2); }
  /// Key word w (0 to 3) as the key builder made it.
  int32_t Word(int w) const;
  LinePlace Place() const { return place_; }
  int64_t Position() const { return place_.Position(); }
  uint32_t Length() const { return place_.Length(); }

 private:
  static constexpr uint64_t kKeyBits = (uint64_t{1} << 62) - 1;
  uint64_t high_ = 0;
  uint64_t low_ = 0;
  LinePlace place_;
};

/// The key bits that some records of a set have and those that all of them
/// have, gathered as the records are made: a sort can skip the bits all keys
/// share without a pass of its own over the records.
struct KeyBitsSeen {
  uint64_t AnyHigh = 0, AllHigh = ~uint64_t{0};
  uint64_t AnyLow = 0, AllLow = ~uint64_t{0};

  void Add(const LineRecord& r) {
    AnyHigh |= r.KeyHigh();
    AllHigh &= r.KeyHigh();
    AnyLow |= r.KeyLow();
    AllLow &= r.KeyLow();
  }
};

/// Turns the sorted records `lines` into their places, in the same order,
/// in the memory the records took: the first third of it. The rest is given
/// back to the system when `lines` lies in memory of LargeArray.
std::span<const LinePlace> KeepOnlyPlaces(std::span<LineRecord> lines);

}  // namespace tess
