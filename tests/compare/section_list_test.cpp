#include "compare/section_list.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::CrLf;
using testing::ScratchDir;
using testing::WriteFile;

constexpr const char* kGatewayLine = "Gateway of last resort is not set";

// File position (from 1) at which line `index` of `lines` begins, each line
// ended by CR LF.
int64_t LineStart(const std::vector<std::string>& lines, size_t index) {
  int64_t position = 1;
  for (size_t i = 0; i < index; ++i) position += static_cast<int64_t>(lines[i].size()) + 2;
  return position;
}

// A sort result whose sections 1 and up hold a gateway line and one route
// each, named `names` in file order; section 0 holds `preamble`.
struct SortResult {
  std::vector<std::string> lines;
  SlotState slot;
};
SortResult MakeSortResult(const ScratchDir& dir, const std::vector<std::string>& preamble,
                          const std::vector<std::string>& names) {
  SortResult r;
  r.lines = preamble;
  r.slot.TableName = {"!!begin"};
  r.slot.TableLineCount = {static_cast<int64_t>(preamble.size())};
  for (size_t k = 0; k < names.size(); ++k) {
    r.lines.push_back(kGatewayLine);
    r.lines.push_back("C    10." + std::to_string(k + 1) + ".0.0/24 is directly connected, E0");
    r.slot.TableName.push_back(names[k]);
    r.slot.TableLineCount.push_back(2);
  }
  r.slot.TableName.push_back("!!default");
  r.slot.TableLineCount.push_back(0);
  r.slot.LastTableIndex = static_cast<int64_t>(names.size());
  r.slot.WriteFilePath = dir.File("r.srt");
  WriteFile(r.slot.WriteFilePath, CrLf(r.lines));
  return r;
}

TEST(CompareSectionList, RangesFollowTheGatewayLinesAndNamesSortGlobalFirst) {
  ScratchDir dir;
  const SortResult r = MakeSortResult(dir, {"R1#show ip route vrf *", "Routing Table: B"}, {"B", "!!default", "A"});
  SectionList list;
  ASSERT_TRUE(BuildSectionList(r.slot, list).ok());
  const int64_t end = LineStart(r.lines, r.lines.size());
  ASSERT_EQ(list.size(), 4u);
  const struct {
    std::string name;
    int64_t start, end;
  } expected[] = {{"!!begin", 1, LineStart(r.lines, 2)},
                  {"!!default", LineStart(r.lines, 4), LineStart(r.lines, 6)},
                  {"A", LineStart(r.lines, 6), end},
                  {"B", LineStart(r.lines, 2), LineStart(r.lines, 4)}};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(list[k].Name, expected[k].name) << k;
    EXPECT_EQ(list[k].SectionStart, expected[k].start) << k;
    EXPECT_EQ(list[k].SectionEnd, expected[k].end) << k;
  }
}

TEST(CompareSectionList, NamesSortAsBytesAndDuplicatesKeepTheFirst) {
  ScratchDir dir;
  const SortResult r = MakeSortResult(dir, {}, {"b", "B", "!!default", "\xc3\xa9", "a", " x", "B", "!!default"});
  SectionList list;
  ASSERT_TRUE(BuildSectionList(r.slot, list).ok());
  std::vector<std::string> names;
  for (const auto& e : list) names.push_back(e.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"!!begin", "!!default", " x", "B", "a", "b", "\xc3\xa9"}));
  // The first "B" (section 2) and the first global table (section 3) stand.
  EXPECT_EQ(list[3].SectionStart, LineStart(r.lines, 2));
  EXPECT_EQ(list[1].SectionStart, LineStart(r.lines, 4));
  EXPECT_EQ(list[1].SectionEnd, LineStart(r.lines, 6));
}

TEST(CompareSectionList, LogWithoutGatewayLineIsOneSection) {
  ScratchDir dir;
  const SortResult r = MakeSortResult(dir, {"C    10.1.1.0/24 is directly connected, E0", "R1#"}, {});
  SectionList list;
  ASSERT_TRUE(BuildSectionList(r.slot, list).ok());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].SectionStart, 1);
  EXPECT_EQ(list[0].SectionEnd, LineStart(r.lines, 2));
}

SectionList Named(const std::vector<std::string>& names) {
  SectionList list;
  for (const auto& name : names) list.push_back({SectionKind::kNamed, name, 1, 1, 0});
  return list;
}

TEST(CompareSectionList, DefaultInstanceOnlyForGlobalTableOrTwoSingleVrfCaptures) {
  using K = SectionKind;
  const struct {
    std::vector<std::string> log1, log2;
    std::vector<K> kinds1, kinds2;
  } cases[] = {
      {{"!!begin", "!!default", "A"}, {"!!begin", "!!default"},
       {K::kPreamble, K::kDefaultInstance, K::kNamed, K::kEndMarker}, {K::kPreamble, K::kDefaultInstance, K::kEndMarker}},
      {{"!!begin", "A", "B"}, {"!!begin", "B"},
       {K::kPreamble, K::kNamed, K::kNamed, K::kEndMarker}, {K::kPreamble, K::kNamed, K::kEndMarker}},
      {{"!!begin", "X"}, {"!!begin", "Y"},
       {K::kPreamble, K::kDefaultInstance, K::kEndMarker}, {K::kPreamble, K::kDefaultInstance, K::kEndMarker}},
      {{"!!begin", "X"}, {"!!begin", "!!default"},
       {K::kPreamble, K::kNamed, K::kEndMarker}, {K::kPreamble, K::kDefaultInstance, K::kEndMarker}},
      {{"!!begin"}, {"!!begin", "X"}, {K::kPreamble, K::kEndMarker}, {K::kPreamble, K::kNamed, K::kEndMarker}},
  };
  for (const auto& c : cases) {
    SectionList l1 = Named(c.log1), l2 = Named(c.log2);
    NameSectionLists(l1, l2);
    for (const auto& [list, kinds] : {std::pair{&l1, &c.kinds1}, std::pair{&l2, &c.kinds2}}) {
      ASSERT_EQ(list->size(), kinds->size()) << c.log1.size() << " " << c.log2.size();
      for (size_t k = 0; k < kinds->size(); ++k) {
        EXPECT_EQ((*list)[k].Kind, (*kinds)[k]) << k;
        const char* name = (*kinds)[k] == K::kPreamble          ? "(不明)"
                           : (*kinds)[k] == K::kDefaultInstance ? "(Default Instance)"
                           : (*kinds)[k] == K::kEndMarker       ? "~~~~~~~~~~"
                                                                : nullptr;
        if (name != nullptr) {
          EXPECT_EQ((*list)[k].Name, name) << k;
        }
      }
    }
  }
}

TEST(CompareSectionList, WalkOrderOfEntries) {
  auto entry = [](SectionKind kind, const std::string& name) { return SectionEntry{kind, name, 1, 1, 0}; };
  const SectionEntry pre = entry(SectionKind::kPreamble, "(不明)");
  const SectionEntry global = entry(SectionKind::kDefaultInstance, "(Default Instance)");
  const SectionEntry end = entry(SectionKind::kEndMarker, "~~~~~~~~~~");
  auto vrf = [&](const std::string& name) { return entry(SectionKind::kNamed, name); };
  EXPECT_LT(CompareEntries(pre, global), 0);
  EXPECT_EQ(CompareEntries(global, global), 0);
  EXPECT_LT(CompareEntries(global, vrf("#a")), 0);
  EXPECT_GT(CompareEntries(vrf(" x"), global), 0);
  for (const char* late : {"~", "~~~~~~~~~~", "~~~~~~~~~~z", "\x7f", "\xff"}) {
    EXPECT_LT(CompareEntries(vrf(late), end), 0) << late;
    EXPECT_GT(CompareEntries(end, vrf(late)), 0) << late;
  }
  EXPECT_LT(CompareEntries(vrf("A"), vrf("AB")), 0);
  EXPECT_GT(CompareEntries(vrf("a"), vrf("B")), 0);
  EXPECT_LT(CompareEntries(vrf("\x7f"), vrf("\xc3\xa9")), 0);
  EXPECT_EQ(CompareEntries(vrf("A"), vrf("A")), 0);
}

}  // namespace
}  // namespace tess
