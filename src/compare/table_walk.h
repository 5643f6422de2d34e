// The table walk: pairs the routing tables of two sort results by name and
// merges each pair route block by route block, writing every difference.
#pragma once

#include <array>
#include <cstdint>

#include "compare/comparison_record.h"
#include "compare/report_text.h"
#include "compare/result_reader.h"
#include "compare/section_list.h"
#include "compare/side.h"
#include "io/line_writer.h"

namespace tess {

class TableWalk {
 public:
  /// Each side's sort result is read by its reader in `readers` and listed
  /// in `lists`. With a `record`, every table and difference written to the
  /// report is also recorded there, its texts converted from `encoding` to
  /// UTF-8.
  TableWalk(PerSide<ResultReader*> readers, PerSide<const SectionList*> lists,
            const ReportTexts& texts, LineWriter& report, ComparisonRecord* record = nullptr,
            ReportEncoding encoding = ReportEncoding::kUtf8)
      : readers_(readers), lists_(lists), texts_(texts), report_(report), record_(record),
        encoding_(encoding) {}

  /// Walks both lists to their end markers and writes the verdict line.
  /// Returns the number of differences.
  int64_t Run();

 private:
  enum class Change { kGone, kNew };

  void WriteWholeTable(Side side, const SectionEntry& entry);
  void ComparePair(const SectionEntry& entry1, const SectionEntry& entry2);
  void ReportBlock(Change change, const RouteBlock& block, const SectionEntry& entry1);
  void ReportChangedPair(const RouteBlock& a, const RouteBlock& b, const SectionEntry& entry1);
  void WriteHeadingOnce(const SectionEntry& entry1);
  bool HasFollowingBlockWithMask(Side side, const RouteBlock& block, int maskCode);
  void WriteLines(const std::string& prefix, const RouteBlock& block);
  void WriteVerdict();
  void RecordTable(const SectionEntry& entry, TableOutcome outcome);
  void RecordDifference(DifferenceKind kind, bool wholeTable, const SectionEntry& entry,
                        const RouteBlock* before, const RouteBlock* after);
  std::string TableName(const SectionEntry& entry) const;

  // Masks present among the blocks that follow a block of the same
  // destination: for each mask code, where the last such block starts.
  static constexpr int kHighestMaskCode = 127;  // of an IPv6 /128
  struct SameDestinationRun {
    bool valid = false;
    Address128 destination;
    int64_t scannedFrom = 0;
    std::array<int64_t, kHighestMaskCode + 1> lastStart{};
  };

  PerSide<ResultReader*> readers_;
  PerSide<const SectionList*> lists_;
  const ReportTexts& texts_;
  LineWriter& report_;
  ComparisonRecord* record_;
  ReportEncoding encoding_;
  RecordedDifference* wholeTable_ = nullptr;  // the gone or new table being recorded
  PerSide<SameDestinationRun> runs_;
  bool headingWritten_ = false;
  int64_t differenceCount_ = 0;
};

}  // namespace tess
