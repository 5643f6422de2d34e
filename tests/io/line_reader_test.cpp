#include "io/line_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

// CR CR LF, CR-only and empty files are read by the golden cases.
TEST(LineReader, ReadsMixedLineEndsAndSeeksBackToStoredPositionsAcrossBuffers) {
  testing::ScratchDir dir;
  std::string bytes;
  std::vector<std::string> texts;
  std::vector<int64_t> starts;
  for (int i = 0; i < 20000; ++i) {
    starts.push_back(static_cast<int64_t>(bytes.size()) + 1);
    // CR LF or LF end a line; with LFs about, a lone CR is text.
    texts.push_back(i % 3 == 0 ? "" : (i % 3 == 1 ? "line " : "a\rb ") + std::to_string(i));
    bytes += texts.back() + (i % 2 ? "\r\n" : "\n");
  }
  bytes.pop_back();  // the last line has no end
  testing::WriteFile(dir.File("f"), bytes);
  LineReader in;
  ASSERT_TRUE(in.Open(dir.File("f")).ok());
  std::string line;
  for (size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(in.Position(), starts[i]);
    ASSERT_TRUE(in.ReadLine(line));
    ASSERT_EQ(line, texts[i]);
  }
  EXPECT_FALSE(in.ReadLine(line));
  for (size_t i : {19999u, 1u, 12345u, 7u, 19998u}) {
    in.Seek(starts[i]);
    EXPECT_TRUE(in.ReadLine(line) && line == texts[i]) << i << ": " << line;
  }
}

// The look at the next line's first bytes moves nothing, also where they
// stand across the end of the buffer or of the file.
TEST(LineReader, NextBytesAreLooksWithoutMoving) {
  testing::ScratchDir dir;
  std::string bytes;
  std::vector<int64_t> starts;
  for (int i = 0; i < 5000; ++i) {
    starts.push_back(static_cast<int64_t>(bytes.size()) + 1);
    bytes += (i % 2 ? "    [1/0] via 10.0.0." : "S    10.0.0.0/8 ") + std::to_string(i) + "\r\n";
  }
  bytes += "  ";  // a last line too short for the prefix
  testing::WriteFile(dir.File("f"), bytes);
  LineReader in;
  ASSERT_TRUE(in.Open(dir.File("f")).ok());
  std::string line;
  for (size_t i = 0; i < starts.size(); ++i) {
    ASSERT_EQ(in.NextBytesAre("    "), i % 2 == 1) << i;
    ASSERT_EQ(in.Position(), starts[i]);
    ASSERT_TRUE(in.ReadLine(line));
    ASSERT_EQ(line.substr(0, 4) == "    ", i % 2 == 1) << line;
  }
  EXPECT_FALSE(in.NextBytesAre("    "));
  EXPECT_TRUE(in.NextBytesAre("  "));
  in.Seek(starts[4001]);
  EXPECT_TRUE(in.NextBytesAre("    [1/0]"));
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "    [1/0] via 10.0.0.4001");
}

}  // namespace
}  // namespace tess
