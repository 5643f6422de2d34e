#include "compare/section_list.h"

#include <algorithm>
#include <string_view>

#include "sorter/log_format.h"

namespace tess {

namespace {

bool IsGlobal(const SectionEntry& e) { return e.Name == kGlobalTableName; }

}  // namespace

int CompareEntries(const SectionEntry& a, const SectionEntry& b) {
  if (a.Kind != b.Kind) return a.Kind < b.Kind ? -1 : 1;
  if (a.Kind != SectionKind::kNamed) return 0;
  return a.Name.compare(b.Name) < 0 ? -1 : (a.Name == b.Name ? 0 : 1);
}

SectionList BuildSectionList(const SortIndex& index) {
  SectionList list;
  list.reserve(index.Tables.size() + 1);  // and the end marker to come
  for (const TableExtent& table : index.Tables) {
    list.push_back({SectionKind::kNamed, table.Name, table.Start, table.End, table.LineCount});
  }
  if (list.empty()) return list;
  auto byName = [](const SectionEntry& a, const SectionEntry& b) {
    if (IsGlobal(a) != IsGlobal(b)) return IsGlobal(a);
    return a.Name < b.Name;
  };
  std::stable_sort(list.begin() + 1, list.end(), byName);
  auto sameName = [](const SectionEntry& a, const SectionEntry& b) { return a.Name == b.Name; };
  list.erase(std::unique(list.begin() + 1, list.end(), sameName), list.end());
  return list;
}

void NameSectionLists(SectionList& side1, SectionList& side2) {
  const bool twoVrfCaptures = side1.size() == 2 && side2.size() == 2 && !IsGlobal(side1[1]) &&
                              !IsGlobal(side2[1]);
  for (SectionList* list : {&side1, &side2}) {
    SectionList& l = *list;
    l[0].Kind = SectionKind::kPreamble;
    l[0].Name = "(不明)";
    if (l.size() > 1 && (IsGlobal(l[1]) || twoVrfCaptures)) {
      l[1].Kind = SectionKind::kDefaultInstance;
      l[1].Name = "(Default Instance)";
    }
    SectionEntry end;
    end.Kind = SectionKind::kEndMarker;
    end.Name = "~~~~~~~~~~";
    end.SectionStart = end.SectionEnd = l.back().SectionEnd;
    l.push_back(end);
  }
}

}  // namespace tess
