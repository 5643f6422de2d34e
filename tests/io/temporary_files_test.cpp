// The list of a run's temporary files that an interruption removes: what
// LineWriter and RemoveFile put on it and take off, from many threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "io/line_writer.h"
#include "io/paths.h"
#include "io/status.h"
#include "io/temporary_files.h"
#include "test_support.h"

namespace tess {
namespace {

using testing::ScratchDir;

TEST(TemporaryFiles, StagedFilesAreListedUntilPublishedOrAbandoned) {
  ScratchDir dir;
  const size_t base = RegisteredTemporaryFileCount();
  {
    LineWriter writer;
    ASSERT_TRUE(writer.Create(dir.File("r.srt"), LineWriter::Mode::kReplaceOnCommit).ok());
    EXPECT_EQ(RegisteredTemporaryFileCount(), base + 1);
    EXPECT_TRUE(writer.WrittenPath().rfind(dir.File(".tessaline-"), 0) == 0) << writer.WrittenPath();
    EXPECT_EQ(writer.WrittenPath().size(), dir.File(".tessaline-").size() + 6);
    writer.WriteLine("x");
    ASSERT_TRUE(writer.Finish().ok());
    EXPECT_EQ(RegisteredTemporaryFileCount(), base + 1);  // still unpublished
    ASSERT_TRUE(writer.Publish().ok());
    EXPECT_EQ(RegisteredTemporaryFileCount(), base);
  }
  {
    LineWriter writer;
    ASSERT_TRUE(writer.Create(dir.File("s.srt"), LineWriter::Mode::kReplaceOnCommit).ok());
    writer.Abandon();
    EXPECT_EQ(RegisteredTemporaryFileCount(), base);
    ASSERT_TRUE(writer.Create(dir.File("s.srt"), LineWriter::Mode::kReplaceOnCommit).ok());
  }  // the destructor abandons
  EXPECT_EQ(RegisteredTemporaryFileCount(), base);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"r.srt"});
}

TEST(TemporaryFiles, DirectFilesAreListedUntilRemoved) {
  ScratchDir dir;
  const size_t base = RegisteredTemporaryFileCount();
  LineWriter writer;
  ASSERT_TRUE(writer.Create(dir.File("r.(1)"), LineWriter::Mode::kDirect).ok());
  writer.WriteLine("x");
  ASSERT_TRUE(writer.Finish().ok());
  EXPECT_EQ(RegisteredTemporaryFileCount(), base + 1);
  ASSERT_TRUE(RemoveFile(dir.File("r.(1)")).ok());
  EXPECT_EQ(RegisteredTemporaryFileCount(), base);
  // Removing a file never listed changes nothing.
  testing::WriteFile(dir.File("user.log"), "x");
  ASSERT_TRUE(RemoveFile(dir.File("user.log")).ok());
  EXPECT_EQ(RegisteredTemporaryFileCount(), base);
  // A creation that fails lists nothing.
  LineWriter refused;
  EXPECT_FALSE(refused.Create(dir.File("no/such/folder"), LineWriter::Mode::kDirect).ok());
  EXPECT_FALSE(refused.Create(dir.File("no/such.srt"), LineWriter::Mode::kReplaceOnCommit).ok());
  EXPECT_EQ(RegisteredTemporaryFileCount(), base);
}

// Threads of a folder comparison create and remove files at once; each
// registration is taken off exactly once, whatever the interleaving.
TEST(TemporaryFiles, ManyThreadsAtOnce) {
  ScratchDir dir;
  const size_t base = RegisteredTemporaryFileCount();
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&dir, t] {
      for (int k = 0; k < 300; ++k) {
        const std::string name = dir.File("t" + std::to_string(t) + "-" + std::to_string(k));
        LineWriter direct, staged;
        if (!direct.Create(name + ".(1)", LineWriter::Mode::kDirect).ok()) std::abort();
        if (!staged.Create(name + ".srt", LineWriter::Mode::kReplaceOnCommit).ok()) std::abort();
        direct.WriteLine("x");
        if (!direct.Finish().ok()) std::abort();
        if (!RemoveFile(name + ".(1)").ok()) std::abort();
        if (k % 2 == 0 && !staged.Commit().ok()) std::abort();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(RegisteredTemporaryFileCount(), base);
  EXPECT_EQ(dir.List().size(), 8u * 150u);
}

TEST(ShownFileName, ControlCharactersAreEscapedAndBlankNamesQuoted) {
  EXPECT_EQ(ShownFileName("r1.log"), "r1.log");
  EXPECT_EQ(ShownFileName(""), "''");
  EXPECT_EQ(ShownFileName("  "), "'  '");
  EXPECT_EQ(ShownFileName("a b"), "a b");
  EXPECT_EQ(ShownFileName("a b "), "'a b '");
  EXPECT_EQ(ShownFileName("a\nb\tc\rd\x1b" "e\x7f"), "a\\nb\\tc\\rd\\x1be\\x7f");
  EXPECT_EQ(ShownFileName("a\"b'c\\d"), "a\"b'c\\d");
  EXPECT_EQ(ShownFileName("ログ.log"), "ログ.log");  // bytes of 0x80 and up stay
  EXPECT_EQ(Status::FromErrno("x\ny", 2).Message().find('\n'), std::string::npos);
}

}  // namespace
}  // namespace tess
