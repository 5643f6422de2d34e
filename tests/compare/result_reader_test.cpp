#include "compare/result_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::CrLf;
using testing::ScratchDir;
using testing::WriteFile;

int64_t LineStart(const std::vector<std::string>& lines, size_t index) {
  int64_t position = 1;
  for (size_t i = 0; i < index; ++i) position += static_cast<int64_t>(lines[i].size()) + 2;
  return position;
}

// A sort result read back as file 1, in result-reading mode.
class CompareResultReader : public ::testing::Test {
 protected:
  void Load(const std::vector<std::string>& lines) {
    lines_ = lines;
    WriteFile(dir_.File("r.srt"), CrLf(lines));
    parser_.ResultReadMode = true;
    ASSERT_TRUE(reader_.Open(dir_.File("r.srt")).ok());
    reader_.EnterSection(1, End());
  }
  int64_t End() const { return LineStart(lines_, lines_.size()); }
  std::vector<std::string> NextBlock() {
    RouteBlock block;
    if (!reader_.ReadBlock(block)) return {};
    return block.Lines;
  }

  ScratchDir dir_;
  std::vector<std::string> lines_;
  ParserState parser_;
  ResultReader reader_{1, parser_};
};

const std::vector<std::string> kTable = {
    "Gateway of last resort is not set",
    "     10.0.0.0/24 is subnetted, 2 subnets",
    "C    10.0.1.0 is directly connected, Ethernet0",
    "O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0",
    "                 [110/20] via 10.1.1.3, Ethernet1",
    "                   [110/20] via 10.1.1.4, Ethernet2",  // "[" 2 columns off: same block
    "                    [110/20] via 10.1.1.5, Ethernet3",  // 3 columns off: not counted
    "S    10.3.0.0/16 [1/0] via 10.1.1.9",
    "R1#",
};

TEST_F(CompareResultReader, BlocksWithTheirPathsDestinationsAndMasks) {
  Load(kTable);
  RouteBlock block;
  ASSERT_TRUE(reader_.ReadBlock(block));
  EXPECT_EQ(block.Lines, (std::vector<std::string>{kTable[2]}));
  EXPECT_EQ(block.DestHigh, 10 * 256);
  EXPECT_EQ(block.DestLow, 1 * 256);
  EXPECT_EQ(block.MaskCode, 23);  // from the subnet header above it
  ASSERT_TRUE(reader_.ReadBlock(block));
  EXPECT_EQ(block.Lines, (std::vector<std::string>{kTable[3], kTable[4], kTable[5]}));
  EXPECT_EQ(block.DestHigh, 10 * 256 + 2);
  EXPECT_EQ(block.DestLow, 0);
  EXPECT_EQ(block.MaskCode, 15);
  ASSERT_TRUE(reader_.ReadBlock(block));  // the uncounted path is skipped
  EXPECT_EQ(block.Lines, (std::vector<std::string>{kTable[7]}));
  EXPECT_FALSE(reader_.ReadBlock(block));
}

TEST_F(CompareResultReader, FirstCallCountsAheadAndFurtherCallsReturnLinesAsStored) {
  Load(kTable);
  int32_t high = 0, low = 0;
  int mask = 0;
  int64_t count = 0;
  EXPECT_EQ(reader_.ReadResultLine(high, low, mask, count), kTable[2]);
  EXPECT_EQ(count, 1);
  count = 0;
  EXPECT_EQ(reader_.ReadResultLine(high, low, mask, count), kTable[3]);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(reader_.Position(), LineStart(kTable, 4));  // the look-ahead consumed nothing
  EXPECT_EQ(reader_.ReadResultLine(high, low, mask, count), kTable[4]);
  EXPECT_EQ(reader_.ReadResultLine(high, low, mask, count), kTable[5]);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(high, 10 * 256 + 2);
  EXPECT_EQ(mask, 15);
}

TEST_F(CompareResultReader, BlocksAreReadWhole) {
  std::vector<std::string> lines = {"O    10.5.0.0/16 [110/20] via 192.168.0.1, Ethernet1"};
  for (int k = 2; k <= 16; ++k) lines.push_back(std::string(17, ' ') + "[110/20] via 192.168.0." + std::to_string(k));
  lines.push_back("S    10.6.0.0/16 [1/0] via 10.1.1.9");
  Load(lines);
  EXPECT_EQ(NextBlock(), std::vector<std::string>(lines.begin(), lines.end() - 1));
  EXPECT_EQ(NextBlock(), std::vector<std::string>{lines.back()});
}

TEST_F(CompareResultReader, ReadingStopsAtTheSectionEnd) {
  Load({"Gateway of last resort is not set", "R1#show ip route vrf A", "Gateway of last resort is not set",
        "O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0", "                 [110/20] via 10.1.1.3, Ethernet1",
        "                 [110/20] via 10.1.1.4, Ethernet2"});
  // A section without routes has no block, and the reader stays inside it.
  reader_.EnterSection(1, LineStart(lines_, 2));
  EXPECT_EQ(NextBlock(), std::vector<std::string>{});
  EXPECT_LE(reader_.Position(), LineStart(lines_, 2));
  // A section that ends inside a block ends the block there.
  reader_.EnterSection(LineStart(lines_, 2), LineStart(lines_, 5));
  EXPECT_EQ(NextBlock(), (std::vector<std::string>{lines_[3], lines_[4]}));
  EXPECT_EQ(NextBlock(), std::vector<std::string>{});
}

TEST_F(CompareResultReader, RestoreUndoesALookAtLaterBlocks) {
  Load(kTable);
  ASSERT_EQ(NextBlock(), std::vector<std::string>{kTable[2]});
  const ResultReader::Mark mark = reader_.Save();
  EXPECT_EQ(parser_.CurrentMaskLen[1], 24);
  ASSERT_EQ(NextBlock().size(), 3u);
  EXPECT_EQ(parser_.CurrentMaskLen[1], 16);
  reader_.Restore(mark);
  EXPECT_EQ(parser_.CurrentMaskLen[1], 24);
  EXPECT_EQ(parser_.CurrentMaskLen[2], 0);  // the other stream is never touched
  EXPECT_EQ(NextBlock(), (std::vector<std::string>{kTable[3], kTable[4], kTable[5]}));
}

}  // namespace
}  // namespace tess
