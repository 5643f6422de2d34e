#include <gtest/gtest.h>

#include "test_support.h"

namespace tess::testing {
namespace {

TEST(BatchSmoke, SortsALogBesideItself) {
  ScratchDir dir;
  WriteFile(dir.File("r1.log"), "Gateway of last resort is not set\n"
                                "C        10.2.0.0/24 is directly connected, Ethernet1\n"
                                "C        10.1.0.0/24 is directly connected, Ethernet0\n");
  const RunResult r = RunTessaline({"r1.log"}, dir.path(), dir.File("xdg"));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.File("r1.srt")),
            CrLf({"Gateway of last resort is not set",
                  "C        10.1.0.0/24 is directly connected, Ethernet0",
                  "C        10.2.0.0/24 is directly connected, Ethernet1"}));
}

}  // namespace
}  // namespace tess::testing
