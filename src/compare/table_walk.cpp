#include "compare/table_walk.h"

#include "compare/line_match.h"
#include "compare/utf8_text.h"

namespace tess {

namespace {
bool SameKey(const RouteBlock& a, const RouteBlock& b) { return a.Destination == b.Destination; }
bool LowerKey(const RouteBlock& a, const RouteBlock& b) { return a.Destination < b.Destination; }

// Routes of tables read as route blocks compare their addresses as numbers;
// IOS IPv4 routes by the IOS rules of line_match.
bool RouteBlocksMatch(const RouteBlock& a, const RouteBlock& b) {
  if (!a.ReadAsBlocks && !b.ReadAsBlocks) return BlocksMatch(a.Lines, b.Lines, a.MaskCode, b.MaskCode);
  if (a.Lines.size() != b.Lines.size()) return false;
  for (size_t k = 0; k < a.Lines.size(); ++k) {
    if (!LinesMatchAsNumbers(a.Lines[k], b.Lines[k])) return false;
  }
  return true;
}

// How a table that only one side has is written and recorded: gone when
// only log 1 has it, new when only log 2 has it.
struct OneSidedTable {
  const std::string& Heading;
  const std::string& LinePrefix;
  TableOutcome Outcome;
  DifferenceKind Kind;
  std::vector<std::string> RecordedDifference::*Lines;
};

OneSidedTable OneSidedTableOf(Side side, const ReportTexts& texts) {
  if (side == Side::Before) {
    return {texts.GoneTable, texts.GoneTableLine, TableOutcome::Gone, DifferenceKind::Gone,
            &RecordedDifference::Before};
  }
  return {texts.NewTable, texts.NewTableLine, TableOutcome::New, DifferenceKind::New,
          &RecordedDifference::After};
}
}  // namespace

int64_t TableWalk::Run() {
  const SectionList& l1 = *lists_[Side::Before];
  const SectionList& l2 = *lists_[Side::After];
  size_t c1 = 0, c2 = 0;
  while (c1 + 1 < l1.size() || c2 + 1 < l2.size()) {
    const int order = CompareEntries(l1[c1], l2[c2]);
    if (order < 0) {
      WriteWholeTable(Side::Before, l1[c1++]);
    } else if (order > 0) {
      WriteWholeTable(Side::After, l2[c2++]);
    } else {
      ComparePair(l1[c1++], l2[c2++]);
    }
  }
  WriteVerdict();
  return differenceCount_;
}

// A table that only one log has: one difference, whatever its routes.
void TableWalk::WriteWholeTable(Side side, const SectionEntry& entry) {
  const OneSidedTable table = OneSidedTableOf(side, texts_);
  ResultReader& reader = *readers_[side];
  reader.EnterSection(entry.SectionStart, entry.SectionEnd, entry.Dialect);
  if (entry.Kind == SectionKind::kNamed) report_.WriteLine(table.Heading + entry.Name);
  ++differenceCount_;
  RecordTable(entry, table.Outcome);
  RecordDifference(table.Kind, true, entry, nullptr, nullptr);
  RouteBlock block;
  while (reader.ReadBlock(block)) {
    WriteLines(table.LinePrefix, block);
    if (wholeTable_ != nullptr) {
      std::vector<std::string>& lines = wholeTable_->*table.Lines;
      for (const std::string& line : block.Lines) lines.push_back(LogTextToUtf8(line, encoding_));
    }
  }
  wholeTable_ = nullptr;
  report_.WriteLine("");
}

// Merges the route blocks of two tables of the same name in destination
// order. Equal destinations with different masks pair up unless the block
// with the smaller mask has a later block of the other side's mask: then it
// stands alone.
void TableWalk::ComparePair(const SectionEntry& entry1, const SectionEntry& entry2) {
  ResultReader& r1 = *readers_[Side::Before];
  ResultReader& r2 = *readers_[Side::After];
  r1.EnterSection(entry1.SectionStart, entry1.SectionEnd, entry1.Dialect);
  r2.EnterSection(entry2.SectionStart, entry2.SectionEnd, entry2.Dialect);
  RecordTable(entry1, TableOutcome::Compared);
  runs_[Side::Before].valid = runs_[Side::After].valid = false;
  headingWritten_ = false;
  RouteBlock a, b;
  bool haveA = r1.ReadBlock(a), haveB = r2.ReadBlock(b);
  while (haveA || haveB) {
    if (haveA && (!haveB || LowerKey(a, b))) {
      ReportBlock(Change::kGone, a, entry1);
      haveA = r1.ReadBlock(a);
    } else if (haveB && (!haveA || LowerKey(b, a))) {
      ReportBlock(Change::kNew, b, entry1);
      haveB = r2.ReadBlock(b);
    } else if (a.MaskCode < b.MaskCode && HasFollowingBlockWithMask(Side::Before, a, b.MaskCode)) {
      ReportBlock(Change::kGone, a, entry1);
      haveA = r1.ReadBlock(a);
    } else if (b.MaskCode < a.MaskCode && HasFollowingBlockWithMask(Side::After, b, a.MaskCode)) {
      ReportBlock(Change::kNew, b, entry1);
      haveB = r2.ReadBlock(b);
    } else {
      if (!RouteBlocksMatch(a, b)) ReportChangedPair(a, b, entry1);
      haveA = r1.ReadBlock(a);
      haveB = r2.ReadBlock(b);
    }
  }
}

void TableWalk::ReportBlock(Change change, const RouteBlock& block, const SectionEntry& entry1) {
  WriteHeadingOnce(entry1);
  WriteLines(change == Change::kGone ? texts_.GoneBlock : texts_.NewBlock, block);
  report_.WriteLine("");
  ++differenceCount_;
  if (change == Change::kGone) {
    RecordDifference(DifferenceKind::Gone, false, entry1, &block, nullptr);
  } else {
    RecordDifference(DifferenceKind::New, false, entry1, nullptr, &block);
  }
}

void TableWalk::ReportChangedPair(const RouteBlock& a, const RouteBlock& b,
                                  const SectionEntry& entry1) {
  WriteHeadingOnce(entry1);
  WriteLines(texts_.ChangedBefore, a);
  WriteLines(texts_.ChangedAfter, b);
  report_.WriteLine("");
  ++differenceCount_;
  RecordDifference(DifferenceKind::Changed, false, entry1, &a, &b);
}

void TableWalk::WriteHeadingOnce(const SectionEntry& entry1) {
  if (headingWritten_) return;
  headingWritten_ = true;
  if (entry1.Kind != SectionKind::kNamed) return;
  report_.WriteLine(texts_.PairHeading + entry1.Name);
  report_.WriteLine("");
}

// Scans the rest of the same-destination run once per run (then answers
// from what it found), so that many blocks of one destination stay linear.
bool TableWalk::HasFollowingBlockWithMask(Side side, const RouteBlock& block, int maskCode) {
  if (maskCode < 0 || maskCode > kHighestMaskCode) return false;
  SameDestinationRun& run = runs_[side];
  if (!run.valid || run.destination != block.Destination || block.Start < run.scannedFrom) {
    ResultReader& reader = *readers_[side];
    const ResultReader::Mark mark = reader.Save();
    run.valid = true;
    run.destination = block.Destination;
    run.scannedFrom = block.Start;
    run.lastStart.fill(-1);
    RouteBlock next;
    while (reader.ReadBlock(next) && SameKey(next, block)) {
      if (next.MaskCode >= 0 && next.MaskCode <= kHighestMaskCode) run.lastStart[static_cast<size_t>(next.MaskCode)] = next.Start;
    }
    reader.Restore(mark);
  }
  return run.lastStart[static_cast<size_t>(maskCode)] > block.Start;
}

void TableWalk::WriteLines(const std::string& prefix, const RouteBlock& block) {
  for (const std::string& line : block.Lines) report_.WriteLine(prefix + line);
}

void TableWalk::RecordTable(const SectionEntry& entry, TableOutcome outcome) {
  if (record_ != nullptr) record_->Tables.push_back({TableName(entry), outcome});
}

void TableWalk::RecordDifference(DifferenceKind kind, bool wholeTable, const SectionEntry& entry,
                                 const RouteBlock* before, const RouteBlock* after) {
  if (record_ == nullptr) return;
  RecordedDifference& d = record_->Differences.emplace_back();
  d.Kind = kind;
  d.WholeTable = wholeTable;
  d.Table = TableName(entry);
  for (const auto& [block, lines] : {std::pair(before, &d.Before), std::pair(after, &d.After)}) {
    if (block == nullptr) continue;
    for (const std::string& line : block->Lines) lines->push_back(LogTextToUtf8(line, encoding_));
  }
  if (wholeTable) wholeTable_ = &d;
}

// The preamble and the default instance carry the program's own names,
// already UTF-8; a VRF's name is text of the log.
std::string TableWalk::TableName(const SectionEntry& entry) const {
  return entry.Kind == SectionKind::kNamed ? LogTextToUtf8(entry.Name, encoding_) : entry.Name;
}

void TableWalk::WriteVerdict() {
  if (differenceCount_ == 0) {
    report_.WriteLine(texts_.Equivalent);
  } else {
    report_.WriteLine(" " + std::to_string(differenceCount_) + " " + texts_.Differences);
  }
}

}  // namespace tess
