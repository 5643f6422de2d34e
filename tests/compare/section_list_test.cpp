#include "compare/section_list.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

// The names of a list, "=" marking the entries that are not named tables.
std::vector<std::string> Describe(const SectionList& list) {
  std::vector<std::string> out;
  for (const auto& e : list) out.push_back((e.Kind == SectionKind::kNamed ? "" : "=") + e.Name);
  return out;
}

// A sort index: a preamble (section 0), then sections named `names` in
// file order, each at its own range.
TEST(CompareSectionList, NamesSortAsBytesGlobalFirstDuplicatesKeepTheFirst) {
  const std::vector<std::string> names = {"b", "B", "!!default", "\xc3\xa9", "B", "!!default", " x", "a"};
  SortIndex index;
  index.Tables.push_back({"!!begin", 2, 1, 100});
  for (size_t k = 0; k < names.size(); ++k) {
    const int64_t start = 100 * static_cast<int64_t>(k + 1);
    index.Tables.push_back({names[k], 2, start, start + 100});
  }
  const SectionList list = BuildSectionList(index);
  EXPECT_EQ(Describe(list), (std::vector<std::string>{"!!begin", "!!default", " x", "B", "a", "b", "\xc3\xa9"}));
  // Sections 0, 3, 7, 2, 8, 1, 4 of the log, each with its own range.
  const int64_t expected[] = {0, 3, 7, 2, 8, 1, 4};
  for (size_t k = 0; k < list.size(); ++k) {
    EXPECT_EQ(list[k].SectionStart, expected[k] == 0 ? 1 : 100 * expected[k]) << list[k].Name;
    EXPECT_EQ(list[k].SectionEnd, 100 * expected[k] + 100) << list[k].Name;
  }
}

TEST(CompareSectionList, DefaultInstanceOnlyForGlobalTableOrTwoSingleVrfCaptures) {
  const std::string pre = "=(不明)", global = "=(Default Instance)", end = "=~~~~~~~~~~";
  using Names = std::vector<std::string>;
  const struct {
    Names log1, log2, expected1, expected2;
  } cases[] = {
      {{"!!begin", "!!default", "A"}, {"!!begin", "!!default"}, {pre, global, "A", end}, {pre, global, end}},
      {{"!!begin", "A", "B"}, {"!!begin", "B"}, {pre, "A", "B", end}, {pre, "B", end}},
      {{"!!begin", "X"}, {"!!begin", "Y"}, {pre, global, end}, {pre, global, end}},
      {{"!!begin", "X"}, {"!!begin", "!!default"}, {pre, "X", end}, {pre, global, end}},
      {{"!!begin"}, {"!!begin", "X"}, {pre, end}, {pre, "X", end}},
  };
  for (const auto& c : cases) {
    SectionList l1, l2;
    for (const auto& name : c.log1) l1.push_back({SectionKind::kNamed, name, 1, 1, 0});
    for (const auto& name : c.log2) l2.push_back({SectionKind::kNamed, name, 1, 1, 0});
    NameSectionLists(l1, l2);
    EXPECT_EQ(Describe(l1), c.expected1);
    EXPECT_EQ(Describe(l2), c.expected2);
  }
}

// The walk's order: preamble, global table, names as bytes (even those after
// "~"), and the end marker last.
TEST(CompareSectionList, WalkOrderOfEntries) {
  std::vector<SectionEntry> order = {{SectionKind::kPreamble, "(不明)", 1, 1, 0},
                                     {SectionKind::kDefaultInstance, "(Default Instance)", 1, 1, 0}};
  for (const char* name : {" x", "#a", "A", "AB", "B", "a", "~", "~~~~~~~~~~", "~~~~~~~~~~z", "\x7f", "\xc3\xa9", "\xff"}) {
    order.push_back({SectionKind::kNamed, name, 1, 1, 0});
  }
  order.push_back({SectionKind::kEndMarker, "~~~~~~~~~~", 1, 1, 0});
  for (size_t i = 0; i < order.size(); ++i) {
    for (size_t j = 0; j < order.size(); ++j) {
      const int expected = i < j ? -1 : (i == j ? 0 : 1);
      EXPECT_EQ(CompareEntries(order[i], order[j]), expected) << order[i].Name << " | " << order[j].Name;
    }
  }
}

}  // namespace
}  // namespace tess
