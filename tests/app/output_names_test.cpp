#include "app/output_names.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

struct BaseCase {
  const char* path;
  const char* base;
};

TEST(BaseName, BackslashSeparatesOnWindows) {
  const BaseCase cases[] = {
      {"C:\\logs\\r1.log", "C:\\logs\\r1"},
      {"C:\\logs\\r1.old.log", "C:\\logs\\r1.old"},  // only the last extension goes
      {"C:\\logs.d\\r1", "C:\\logs.d\\r1"},          // the "." is in a folder name
      {"C:\\logs\\r1.", "C:\\logs\\r1"},
      {"C:\\logs\\.profile", "C:\\logs\\"},
      {"C:/logs.d/r1", "C:/logs"},  // "/" does not separate here
      {"", ""},
      {"r1.log", "r1"},
  };
  for (const BaseCase& c : cases) EXPECT_EQ(BaseName(c.path, '\\'), c.base) << c.path;
}

TEST(BaseName, SlashSeparatesOnLinux) {
  const BaseCase cases[] = {
      {"/logs/r1.log", "/logs/r1"},
      {"/logs.d/r1", "/logs.d/r1"},
      {"/logs/.profile", "/logs/"},
      {"logs\\r1.x/r2", "logs\\r1.x/r2"},
      {"logs.d\\r1", "logs"},  // "\" is an ordinary character here
      {"./r1.log", "./r1"},
  };
  for (const BaseCase& c : cases) EXPECT_EQ(BaseName(c.path, '/'), c.base) << c.path;
}

TEST(NormalizeExtension, PutsADotInFrontOnlyWhenThereIsNone) {
  EXPECT_EQ(NormalizeExtension("srt"), ".srt");
  EXPECT_EQ(NormalizeExtension(".srt"), ".srt");
  EXPECT_EQ(NormalizeExtension("x.srt"), "x.srt");
  EXPECT_EQ(NormalizeExtension(".tar.gz"), ".tar.gz");
  EXPECT_EQ(NormalizeExtension(""), ".");
}

}  // namespace
}  // namespace tess
