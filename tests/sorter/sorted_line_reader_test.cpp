// Reading lines back in any order: every line whole and in the order asked,
// whether the window is larger than the file or holds a few lines, and
// wherever lines stand against the regions the file is read in.
#include "sorter/sorted_line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "test_support.h"

namespace tess {
namespace {

struct TestFile {
  std::vector<std::string> texts;
  std::vector<LinePlace> records;  // in file order
};

// About 3 MB of lines of many lengths (so lines cross the 1 MiB region
// boundaries), ending in CR LF, LF or CR CR LF.
TestFile WriteLines(const std::string& path) {
  std::mt19937 rng(11);
  TestFile f;
  std::string bytes;
  for (int i = 0; bytes.size() < 3'000'000; ++i) {
    std::string text = "line " + std::to_string(i) + " " + std::string(rng() % 300, 'a' + static_cast<char>(i % 26));
    const char* end = i % 3 == 0 ? "\r\n" : (i % 3 == 1 ? "\n" : "\r\r\n");
    f.records.push_back(LinePlace::Of(static_cast<int64_t>(bytes.size()) + 1,
                                       static_cast<int64_t>(text.size() + std::char_traits<char>::length(end))));
    bytes += text + end;
    f.texts.push_back(std::move(text));
  }
  testing::WriteFile(path, bytes);
  return f;
}

std::vector<std::string> ReadBack(SortedLineReader& reader, const std::vector<LinePlace>& order,
                                  size_t windowBytes, Status& status) {
  std::vector<std::string> got;
  status = reader.Read(order, [&](std::string_view line) { got.emplace_back(line); }, windowBytes);
  return got;
}

TEST(SortedLineReader, HandsOutEveryLineInTheOrderAsked) {
  testing::ScratchDir dir;
  const TestFile f = WriteLines(dir.File("t"));
  std::vector<size_t> order(f.records.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(3));
  std::vector<LinePlace> shuffled;
  std::vector<std::string> expected;
  for (size_t i : order) {
    shuffled.push_back(f.records[i]);
    expected.push_back(f.texts[i]);
  }
  SortedLineReader reader;
  ASSERT_TRUE(reader.Open(dir.File("t")).ok());
  // One window, windows of some hundred lines, and of one line each; the
  // same reader serves one read after another.
  for (size_t window : {SortedLineReader::kDefaultWindowBytes, size_t{50'000}, size_t{1}}) {
    Status st;
    const std::vector<std::string> got = ReadBack(reader, shuffled, window, st);
    ASSERT_TRUE(st.ok()) << st.Message();
    EXPECT_TRUE(got == expected) << "window " << window;
  }
  // A part of the lines in file order (a section), and none.
  Status st;
  const std::vector<LinePlace> part(f.records.begin() + 100, f.records.begin() + 5000);
  const std::vector<std::string> got = ReadBack(reader, part, 10'000, st);
  ASSERT_TRUE(st.ok());
  EXPECT_TRUE(got == std::vector<std::string>(f.texts.begin() + 100, f.texts.begin() + 5000));
  EXPECT_TRUE(ReadBack(reader, {}, 10'000, st).empty());
  EXPECT_TRUE(st.ok());
}

TEST(SortedLineReader, ReadsALineOfAMebibyteOrMoreWhole) {
  testing::ScratchDir dir;
  const std::string longLine(1 << 20, 'x');
  testing::WriteFile(dir.File("t"), "short\r\n" + longLine + "\r\nlast\r\n");
  const std::vector<LinePlace> order = {LinePlace::Of(8, (1 << 20) + 2), LinePlace::Of(1, 7),
                                         LinePlace::Of(8 + (1 << 20) + 2, 6)};
  SortedLineReader reader;
  ASSERT_TRUE(reader.Open(dir.File("t")).ok());
  Status st;
  const std::vector<std::string> got = ReadBack(reader, order, SortedLineReader::kDefaultWindowBytes, st);
  ASSERT_TRUE(st.ok()) << st.Message();
  EXPECT_TRUE(got == (std::vector<std::string>{longLine, "short", "last"}));
}

// A file cut short under the reader fails the read, naming the file.
TEST(SortedLineReader, AFileShorterThanItsRecordsFails) {
  testing::ScratchDir dir;
  testing::WriteFile(dir.File("t"), "one\r\ntwo\r\n");
  SortedLineReader reader;
  ASSERT_TRUE(reader.Open(dir.File("t")).ok());
  Status st;
  ReadBack(reader, {LinePlace::Of(6, 5), LinePlace::Of(11, 5)}, 1000, st);
  EXPECT_FALSE(st.ok());
  EXPECT_NE(st.Message().find(dir.File("t")), std::string::npos) << st.Message();
  EXPECT_NE(st.Message().find("shorter than expected"), std::string::npos) << st.Message();
}

}  // namespace
}  // namespace tess
