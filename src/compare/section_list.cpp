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
    list.push_back({SectionKind::kNamed, table.Name, table.Start, table.End, table.LineCount, table.Dialect});
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

namespace {

bool IsIpv6(const SectionEntry& e) { return e.Name.ends_with(kIpv6NameSuffix); }

// The one table of one address family that a list holds, when it holds
// exactly one (the preamble aside).
SectionEntry* OnlyTableOfFamily(SectionList& list, bool ipv6) {
  SectionEntry* only = nullptr;
  for (size_t k = 1; k < list.size(); ++k) {
    if (IsIpv6(list[k]) != ipv6) continue;
    if (only != nullptr) return nullptr;
    only = &list[k];
  }
  return only;
}

// Two captures of one VRF table each (`show ip route vrf X` against
// `show ip route vrf Y`) compare their tables as the global ones: per
// address family, when each log has exactly one table of it and neither is
// the global table.
void PairSingleTables(SectionList& side1, SectionList& side2) {
  SectionEntry* v4a = OnlyTableOfFamily(side1, false);
  SectionEntry* v4b = OnlyTableOfFamily(side2, false);
  if (v4a != nullptr && v4b != nullptr && !IsGlobal(*v4a) && !IsGlobal(*v4b)) {
    v4a->Name = v4b->Name = kGlobalTableName;
  }
  const std::string globalIpv6 = std::string(kDefaultInstanceName) + std::string(kIpv6NameSuffix);
  SectionEntry* v6a = OnlyTableOfFamily(side1, true);
  SectionEntry* v6b = OnlyTableOfFamily(side2, true);
  if (v6a != nullptr && v6b != nullptr && v6a->Name != globalIpv6 && v6b->Name != globalIpv6) {
    v6a->Name = v6b->Name = globalIpv6;
  }
}

}  // namespace

void NameSectionLists(SectionList& side1, SectionList& side2) {
  PairSingleTables(side1, side2);
  for (SectionList* list : {&side1, &side2}) {
    SectionList& l = *list;
    l[0].Kind = SectionKind::kPreamble;
    l[0].Name = "(不明)";
    for (size_t k = 1; k < l.size(); ++k) {
      if (!IsGlobal(l[k])) continue;
      l[k].Kind = SectionKind::kDefaultInstance;
      l[k].Name = kDefaultInstanceName;
    }
    if (l.size() > 1) {
      std::stable_sort(l.begin() + 1, l.end(),
                       [](const SectionEntry& a, const SectionEntry& b) { return CompareEntries(a, b) < 0; });
    }
    SectionEntry end;
    end.Kind = SectionKind::kEndMarker;
    end.Name = "~~~~~~~~~~";
    end.SectionStart = end.SectionEnd = l.back().SectionEnd;
    l.push_back(end);
  }
}

}  // namespace tess
