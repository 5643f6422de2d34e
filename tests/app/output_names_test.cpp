#include "app/output_names.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(BaseName, CutsTheLastExtensionAfterTheLastSeparator) {
  const struct {
    char separator;
    const char* path;
    const char* base;
  } cases[] = {
      {'\\', "C:\\logs\\r1.old.log", "C:\\logs\\r1.old"},  // only the last extension goes
      {'\\', "C:\\logs.d\\r1", "C:\\logs.d\\r1"},          // the "." is in a folder name
      {'\\', "C:\\logs\\r1.", "C:\\logs\\r1"},
      {'\\', "C:\\logs\\.profile", "C:\\logs\\"},
      {'\\', "C:/logs.d/r1", "C:/logs"},  // "/" does not separate here
      {'\\', "", ""},
      {'/', "/logs/r1.log", "/logs/r1"},
      {'/', "/logs.d/r1", "/logs.d/r1"},
      {'/', "logs\\r1.x/r2", "logs\\r1.x/r2"},
      {'/', "logs.d\\r1", "logs"},  // "\" is an ordinary character here
  };
  for (const auto& c : cases) EXPECT_EQ(BaseName(c.path, c.separator), c.base) << c.path;
}

TEST(NormalizeExtension, PutsADotInFrontOnlyWhenThereIsNone) {
  const std::pair<const char*, const char*> cases[] = {
      {"srt", ".srt"}, {".srt", ".srt"}, {"x.srt", "x.srt"}, {"", "."}};
  for (const auto& [text, normalized] : cases) EXPECT_EQ(NormalizeExtension(text), normalized) << text;
}

// With an output folder the outputs keep their names but move.
TEST(OutputNames, OutputFolder) {
  EXPECT_EQ(OutputBase("logs/r1.log"), "logs/r1");
  EXPECT_EQ(OutputBase("logs/r1.log", "out/"), "out/r1");
  EXPECT_EQ(OutputBase("r1", "/tmp/out"), "/tmp/out/r1");
  const LogFiles files = FilesOfLog("share/r2.log", 2, ".s2", "out");
  EXPECT_EQ(files.LogPath, "share/r2.log");
  EXPECT_EQ(files.ResultPath, "out/r2.s2");
  EXPECT_EQ(files.TempBase, "out/r2.(2)");
  EXPECT_EQ(FilesOfLog("share/r2.log", 1, ".srt").TempBase, "share/r2.(1)");
}

}  // namespace
}  // namespace tess
