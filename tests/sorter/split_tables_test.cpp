#include "sorter/split_tables.h"

#include <gtest/gtest.h>

#include "sorter/section_file_name.h"
#include "test_support.h"

namespace tess {
namespace {

using testing::CrLf;
using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

class Split : public ::testing::Test {
 protected:
  // Splits `log` as slot 1 of dir/r1.log (or of `input` when given).
  Status Run(const std::string& log, const std::string& input = "r1.log") {
    WriteFile(dir.File(input), log);
    return SplitTables(dir.File(input), dir.File("r1.(1)"), dir.File("r1.srt"), sections);
  }
  std::string Section(const std::string& name, int t) const {
    return ReadFile(dir.File("r1.(1)" + name + "_" + std::to_string(t)));
  }
  std::string Begin() const { return Section("!!begin", 0); }
  ScratchDir dir;
  std::vector<SplitSection> sections;
};

TEST_F(Split, SectionsAreNamedByTheTableLineBeforeThem) {
  ASSERT_TRUE(Run("R1#show ip route vrf *\nRouting Table: A\nRouting Table: B\n"
                  "Gateway of last resort is not set\nC    10.0.0.0/8 is directly connected, E0\n"
                  "Gateway of last resort is not set\n\nRouting Table: C D/e\nR1#\n").ok());
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[2].FilePath, dir.File("r1.(1)!!default_2"));
  EXPECT_EQ(Begin(), CrLf({"R1#show ip route vrf *", "Routing Table: A", "Routing Table: B"}));
  // The second table line replaced the first.
  EXPECT_EQ(Section("B", 1), CrLf({"Gateway of last resort is not set", "C    10.0.0.0/8 is directly connected, E0"}));
  EXPECT_EQ(Section("!!default", 2), CrLf({"Gateway of last resort is not set", "", "Routing Table: C D/e", "R1#"}));
  EXPECT_EQ(sections[2].LineCount, 4);
}

TEST_F(Split, BackspacesEraseTheCharacterBeforeThem) {
  ASSERT_TRUE(Run("abc\bd\nabc\b\bd\n\bx\na\b\b\n").ok());
  EXPECT_EQ(Begin(), CrLf({"abd", "ad", "x", ""}));
}

TEST_F(Split, WrappedRoutesJoinWithOrWithoutTheTrailingSpace) {
  const std::string cont = std::string(12, ' ') + "[110/20] via 10.1.1.2, 00:00:05, Vlan1";
  const std::string joined = "O E2    192.168.10.168 [110/20] via 10.1.1.2, 00:00:05, Vlan1";
  for (const char* head : {"O E2    192.168.10.168", "O E2    192.168.10.168 "}) {
    ASSERT_TRUE(Run(std::string(head) + "\n" + cont + "\n").ok());
    EXPECT_EQ(Begin(), CrLf({joined})) << "[" << head << "]";
    EXPECT_EQ(sections[0].LineCount, 1);
  }
  // Further paths under the continuation's "[" (up to 2 columns off) take
  // the joined line's head; 3 columns off they stay as they are.
  const std::string far = std::string(15, ' ') + "[110/20] via 10.1.1.5, 00:00:05, Vlan5";
  ASSERT_TRUE(Run("O E2    192.168.10.168\n" + cont + "\n" + std::string(14, ' ') +
                  "[110/20] via 10.1.1.4, 00:00:05, Vlan4\n" + far + "\n")
                  .ok());
  EXPECT_EQ(Begin(), CrLf({joined, "O E2    192.168.10.168 [110/20] via 10.1.1.4, 00:00:05, Vlan4 *", far}));
  // Lines that are no wraps stay apart.
  const std::string legend = "       D - EIGRP, EX - EIGRP external";
  ASSERT_TRUE(Run("O       10.1.1.0/24 \n" + legend + "\nO       10.1.2.0/24\n" +
                  "Gateway of last resort is not set\nO       10.1.3.0 ").ok());
  EXPECT_EQ(Begin(), CrLf({"O       10.1.1.0/24 ", legend, "O       10.1.2.0/24"}));
  EXPECT_EQ(Section("!!default", 1), CrLf({"Gateway of last resort is not set", "O       10.1.3.0 "}));
}

TEST_F(Split, ExtraPathsTakeTheHeadOfTheLineAbove) {
  const std::string first = "O    10.0.0.0/8 [110/2] via 10.1.1.1, 1d, E0";  // "[" at column 17
  const std::string rest = "[110/2] via 10.1.1.2, 1d, E1";
  ASSERT_TRUE(Run(first + "\n" + std::string(16, ' ') + rest + "\n" + std::string(18, ' ') + rest +
                  "\n" + std::string(19, ' ') + rest + "\n    no bracket here\n" +
                  std::string(16, ' ') + rest + "\n")
                  .ok());
  const std::string extra = "O    10.0.0.0/8 [" + rest.substr(1) + " *";
  EXPECT_EQ(Begin(), CrLf({first, extra, extra, std::string(19, ' ') + rest, "    no bracket here",
                           std::string(16, ' ') + rest}));
}

TEST_F(Split, RefusesASectionFileThatIsTheInput) {
  EXPECT_FALSE(Run("keep\n", "r1.(1)!!begin_0").ok());
  EXPECT_EQ(Begin(), "keep\n");
  EXPECT_TRUE(sections.empty());
}

TEST(SectionFileName, SanitizedAndBounded) {
  EXPECT_EQ(SectionFileName("/d/r1.(1)", "VRF A:1,*", 2), "/d/r1.(1)VRF A:1,*_2");
  EXPECT_EQ(SectionFileName("/d/r1.(1)", "../../x", 1), "/d/r1.(1).._.._x_1");
  EXPECT_EQ(SectionFileName("/d/r1.(1)", std::string("a\\b\x01\x7f\0c", 7), 12), "/d/r1.(1)a_b___c_12");
  // The last component is cut to 200 bytes.
  EXPECT_EQ(SectionFileName("/d/r1.(1)", std::string(300, 'v'), 3), "/d/r1.(1)" + std::string(192, 'v') + "_3");
}

}  // namespace
}  // namespace tess
