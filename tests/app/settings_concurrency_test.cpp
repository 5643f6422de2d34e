// Many runs writing one settings file at once: no key, value or other line
// may be lost, and rewriting stored values must not touch the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "app/settings_file.h"
#include "test_support.h"

namespace tess {
namespace {

using testing::ReadFile;
using testing::ReadSetting;
using testing::ScratchDir;
using testing::WriteFile;

constexpr int kProcesses = 100;

// Starts `count` processes that all wait on one pipe, then releases them at
// once so that their writes overlap. Each runs `write(i)` and exits 0 when it
// succeeded. Returns how many processes failed.
int RunAtOnce(int count, const std::function<Status(int)>& write) {
  int gate[2];
  if (::pipe(gate) != 0) return count;
  std::fflush(nullptr);
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(gate[1]);
      char c;
      while (::read(gate[0], &c, 1) > 0) {
      }  // end of file: the parent opened the gate
      ::_exit(write(i).ok() ? 0 : 1);
    }
    if (pid > 0) children.push_back(pid);
  }
  ::close(gate[0]);
  ::close(gate[1]);
  int failed = count - static_cast<int>(children.size());
  for (const pid_t pid : children) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
  }
  return failed;
}

// Splits CR LF-ended lines.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "unended text after the last CR LF";
  return lines;
}

TEST(SettingsConcurrency, HundredWritersOfTheirOwnKeysLoseNothing) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  // Other sections (one with a "Key1" of its own), stored non-default
  // values, lines of every end, and an unended last line.
  const std::string head =
      "; kept\n[Other]\r\nKey1=other\r\n\r\n[Tessaline]\r\nSortExt1=.abc\nSortExt2=\".x y\"\r\r\n"
      "DiffExt=.cmp\r\nEnableOpt=1\r\nStoreSort=0\r\n";
  const std::string tail = "\r\n[Tail]\nLast=1";
  WriteFile(ini, head + tail);

  EXPECT_EQ(RunAtOnce(kProcesses,
                      [&ini](int i) {
                        return WriteSetting(ini, "Tessaline", "Key" + std::to_string(i), "v" + std::to_string(i));
                      }),
            0);

  const std::string text = ReadFile(ini);
  ASSERT_GE(text.size(), head.size() + tail.size());
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  std::vector<std::string> added = CrLfLines(text.substr(head.size(), text.size() - head.size() - tail.size()));
  std::vector<std::string> expected;
  for (int i = 0; i < kProcesses; ++i) expected.push_back("Key" + std::to_string(i) + "=v" + std::to_string(i));
  std::sort(added.begin(), added.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(added, expected);

  const SettingsSnapshot s = SettingsSnapshot::Load(ini, "Tessaline");
  for (int i = 0; i < kProcesses; ++i) {
    EXPECT_EQ(s.Value("Key" + std::to_string(i)), std::optional<std::string>("v" + std::to_string(i)));
  }
  EXPECT_EQ(s.Value("SortExt2"), std::optional<std::string>(".x y"));
  EXPECT_EQ(ReadSetting(ini, "Other", "Key1"), "other");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"Tessaline.ini", "Tessaline.ini.lock"}));
}

TEST(SettingsConcurrency, WritersOfOneKeyLeaveOneLineWithOneOfTheirValues) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteFile(ini, "[Tessaline]\r\nSortExt1=.abc\r\nDiffExt=.cmp\r\n");
  EXPECT_EQ(RunAtOnce(kProcesses / 2,
                      [&ini](int i) { return WriteSetting(ini, "Tessaline", "SortExt1", ".v" + std::to_string(i)); }),
            0);
  const std::vector<std::string> lines = CrLfLines(ReadFile(ini));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "[Tessaline]");
  EXPECT_EQ(lines[1].rfind("SortExt1=.v", 0), 0u) << lines[1];
  const int n = std::stoi(lines[1].substr(11));
  EXPECT_TRUE(n >= 0 && n < kProcesses / 2) << lines[1];
  EXPECT_EQ(lines[2], "DiffExt=.cmp");
}

TEST(SettingsConcurrency, HundredWritersOfStoredValuesTouchNothing) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  const std::string bytes =
      "; kept\n[Tessaline]\nSortExt1=.abc\r\nSortExt2=.def\r\r\nDiffExt = \".cmp\"\nEnableOpt=1\nStoreSort=0";
  WriteFile(ini, bytes);
  struct stat before {};
  ASSERT_EQ(::stat(ini.c_str(), &before), 0);
  const std::vector<std::pair<std::string, std::string>> stored = {
      {"SortExt1", ".abc"}, {"SortExt2", ".def"}, {"DiffExt", ".cmp"}, {"EnableOpt", "1"}, {"StoreSort", "0"}};

  EXPECT_EQ(RunAtOnce(kProcesses,
                      [&](int i) {
                        const auto& [key, value] = stored[static_cast<size_t>(i) % stored.size()];
                        return WriteSetting(ini, "Tessaline", key, value);
                      }),
            0);

  struct stat after {};
  ASSERT_EQ(::stat(ini.c_str(), &after), 0);
  EXPECT_EQ(ReadFile(ini), bytes);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"Tessaline.ini", "Tessaline.ini.lock"}));
}

}  // namespace
}  // namespace tess
