// The reader's blocks; its look-ahead and line counting are exercised by
// every end-to-end comparison, the whole-block rule by the ten-path case.
#include "compare/result_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

const std::vector<std::string> kLines = {
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

// File position (from 1) of line `index`, each line ended by CR LF.
int64_t LineStart(size_t index) {
  int64_t position = 1;
  for (size_t i = 0; i < index; ++i) position += static_cast<int64_t>(kLines[i].size()) + 2;
  return position;
}

// Where a reader stands, and the mask in force of its line stream: what
// a Mark keeps of them.
int64_t PositionOf(const ResultReader& reader) { return reader.Save().position; }
int MaskInForceOf(const ResultReader& reader) { return reader.Save().stream.MaskInForce(); }

// kLines stored as a sort result and read back as file 1.
class CompareResultReader : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteFile(dir_.File("r.srt"), testing::CrLf(kLines));
    ASSERT_TRUE(reader_.Open(dir_.File("r.srt")).ok());
    reader_.EnterSection(1, LineStart(kLines.size()));
  }
  std::vector<std::string> NextBlock() {
    RouteBlock block;
    return reader_.ReadBlock(block) ? block.Lines : std::vector<std::string>{};
  }
  std::vector<std::string> Lines(size_t first, size_t end) const {
    return {kLines.begin() + static_cast<long>(first), kLines.begin() + static_cast<long>(end)};
  }

  testing::ScratchDir dir_;
  ResultReader reader_;
};

TEST_F(CompareResultReader, BlocksWithTheirPathsDestinationsAndMasks) {
  RouteBlock block;
  ASSERT_TRUE(reader_.ReadBlock(block));
  EXPECT_EQ(block.Lines, Lines(2, 3));
  EXPECT_EQ(block.Destination, Address128::FromIpv4(0x0A000100));  // 10.0.1.0
  EXPECT_EQ(block.MaskCode, 23);  // from the subnet header above it
  ASSERT_TRUE(reader_.ReadBlock(block));
  EXPECT_EQ(block.Lines, Lines(3, 6));
  EXPECT_EQ(block.Destination, Address128::FromIpv4(0x0A020000));  // 10.2.0.0
  EXPECT_EQ(block.MaskCode, 15);
  EXPECT_EQ(NextBlock(), Lines(7, 8));  // the uncounted path is skipped
  EXPECT_EQ(NextBlock(), std::vector<std::string>{});
}

TEST_F(CompareResultReader, ReadingStopsAtTheSectionEnd) {
  // A section without routes has no block, and the reader stays inside it.
  reader_.EnterSection(1, LineStart(1));
  EXPECT_EQ(NextBlock(), std::vector<std::string>{});
  EXPECT_LE(PositionOf(reader_), LineStart(1));
  // A section that ends inside a block ends the block there.
  reader_.EnterSection(LineStart(1), LineStart(5));
  EXPECT_EQ(NextBlock(), Lines(2, 3));
  EXPECT_EQ(NextBlock(), Lines(3, 5));
  EXPECT_EQ(NextBlock(), std::vector<std::string>{});
}

TEST_F(CompareResultReader, RestoreUndoesALookAtLaterBlocks) {
  ASSERT_EQ(NextBlock(), Lines(2, 3));
  const ResultReader::Mark mark = reader_.Save();
  ASSERT_EQ(NextBlock(), Lines(3, 6));
  EXPECT_EQ(MaskInForceOf(reader_), 16);
  reader_.Restore(mark);
  EXPECT_EQ(MaskInForceOf(reader_), 24);
  EXPECT_EQ(NextBlock(), Lines(3, 6));
}

}  // namespace
}  // namespace tess
