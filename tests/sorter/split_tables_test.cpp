#include "sorter/split_tables.h"

#include <gtest/gtest.h>

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
  // The bytes of section `t` in the temporary file, which must be named `name`.
  std::string Section(const std::string& name, size_t t) const {
    const std::string all = ReadFile(dir.File("r1.(1)"));
    if (t >= sections.size() || sections[t].Name != name) return "<no section " + name + ">";
    const size_t start = static_cast<size_t>(sections[t].Start - 1);
    const size_t end = t + 1 < sections.size() ? static_cast<size_t>(sections[t + 1].Start - 1) : all.size();
    return all.substr(start, end - start);
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

// The temporary file is the log's name with ".(1)" for its extension: a
// log that has that name is refused and kept.
TEST_F(Split, RefusesATemporaryFileThatIsTheInput) {
  EXPECT_FALSE(Run("keep\n", "r1.(1)").ok());
  EXPECT_EQ(ReadFile(dir.File("r1.(1)")), "keep\n");
  EXPECT_TRUE(sections.empty());
}

// Table names never reach a file name: a crafted "Routing Table: " line
// names a section, nothing on disk.
TEST_F(Split, TableNamesStayOutOfFileNames) {
  ASSERT_TRUE(Run("Routing Table: ../../x\nGateway of last resort is not set\n").ok());
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[1].Name, "../../x");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.(1)", "r1.log"}));
}

}  // namespace
}  // namespace tess
