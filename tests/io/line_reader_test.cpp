#include "io/line_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

std::vector<std::string> ReadAll(const std::string& bytes) {
  ScratchDir dir;
  WriteFile(dir.File("f"), bytes);
  LineReader in;
  EXPECT_TRUE(in.Open(dir.File("f")).ok());
  std::vector<std::string> lines;
  std::string line;
  while (in.ReadLine(line)) lines.push_back(line);
  return lines;
}

TEST(LineReader, LineEnds) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ReadAll(""), V{});
  EXPECT_EQ(ReadAll("a\nb"), (V{"a", "b"}));
  EXPECT_EQ(ReadAll("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
  EXPECT_EQ(ReadAll("a\r\r\nb\r\r\n"), (V{"a", "b"}));    // CR CR LF
  EXPECT_EQ(ReadAll("a\rb\r\rc"), (V{"a", "b", "", "c"}));  // no LF anywhere: CR ends lines
  EXPECT_EQ(ReadAll("a\rb\nc\n"), (V{"a\rb", "c"}));        // with LFs, a lone CR is text
}

TEST(LineReader, SeeksBackToStoredPositionsAcrossBuffers) {
  ScratchDir dir;
  std::string bytes;
  std::vector<int64_t> starts;
  for (int i = 0; i < 20000; ++i) {
    starts.push_back(static_cast<int64_t>(bytes.size()) + 1);
    bytes += "line " + std::to_string(i) + "\r\n";
  }
  WriteFile(dir.File("f"), bytes);
  LineReader in;
  ASSERT_TRUE(in.Open(dir.File("f")).ok());
  std::string line;
  for (int i = 0; i < 20000; ++i) {
    ASSERT_EQ(in.Position(), starts[static_cast<size_t>(i)]);
    ASSERT_TRUE(in.ReadLine(line));
  }
  EXPECT_FALSE(in.ReadLine(line));
  for (int i : {19999, 0, 12345, 7, 19998}) {
    in.Seek(starts[static_cast<size_t>(i)]);
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "line " + std::to_string(i));
  }
}

}  // namespace
}  // namespace tess
