#include "compare/section_list.h"

#include <algorithm>
#include <string_view>

#include "io/line_reader.h"

namespace tess {

namespace {

constexpr std::string_view kGateway = "Gateway of last resort ";
constexpr const char* kGlobalTable = "!!default";

// Start positions of sections 0 to last + 1 in the sort result: section
// k + 1 starts where the (k + 1)-th "Gateway of last resort " line begins.
Status FindSectionStarts(const std::string& path, int64_t last, std::vector<int64_t>& starts) {
  LineReader in;
  if (Status st = in.Open(path); !st.ok()) return st;
  starts.assign(static_cast<size_t>(last) + 2, 1);
  std::string line;
  for (int64_t k = 0; k <= last; ++k) {
    int64_t& next = starts[static_cast<size_t>(k) + 1];
    next = starts[static_cast<size_t>(k)];
    while (in.ReadLine(line)) {
      if (std::string_view(line).substr(0, kGateway.size()) == kGateway) break;
      next = in.Position();
    }
    if (!in.status().ok()) return in.status();
  }
  starts[static_cast<size_t>(last) + 1] = in.Position();
  return Status::Ok();
}

bool IsGlobal(const SectionEntry& e) { return e.Name == kGlobalTable; }

}  // namespace

int CompareEntries(const SectionEntry& a, const SectionEntry& b) {
  if (a.Kind != b.Kind) return a.Kind < b.Kind ? -1 : 1;
  if (a.Kind != SectionKind::kNamed) return 0;
  return a.Name.compare(b.Name) < 0 ? -1 : (a.Name == b.Name ? 0 : 1);
}

Status BuildSectionList(const SlotState& slot, SectionList& list) {
  std::vector<int64_t> starts;
  if (Status st = FindSectionStarts(slot.WriteFilePath, slot.LastTableIndex, starts); !st.ok()) {
    return st;
  }
  list.clear();
  for (int64_t k = 0; k <= slot.LastTableIndex; ++k) {
    const size_t i = static_cast<size_t>(k);
    list.push_back({SectionKind::kNamed, slot.TableName[i], starts[i], starts[i + 1],
                    slot.TableLineCount[i]});
  }
  auto byName = [](const SectionEntry& a, const SectionEntry& b) {
    if (IsGlobal(a) != IsGlobal(b)) return IsGlobal(a);
    return a.Name < b.Name;
  };
  std::stable_sort(list.begin() + 1, list.end(), byName);
  auto sameName = [](const SectionEntry& a, const SectionEntry& b) { return a.Name == b.Name; };
  list.erase(std::unique(list.begin() + 1, list.end(), sameName), list.end());
  return Status::Ok();
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
