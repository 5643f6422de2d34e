// Section lists of a comparison: where each routing table of a sort result
// starts and ends, ordered by name for the table walk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sorter/sort_index.h"

namespace tess {

/// How an entry takes part in the walk; entries are ordered by kind first,
/// then by name as bytes.
enum class SectionKind {
  kPreamble = 0,         // entry 0: the text before the first table ("(不明)")
  kDefaultInstance = 1,  // the global table, or the one table of a VRF capture
  kNamed = 2,            // a VRF table, paired by name
  kEndMarker = 3,        // after every name ("~~~~~~~~~~")
};

struct SectionEntry {
  SectionKind Kind = SectionKind::kNamed;
  std::string Name;
  int64_t SectionStart = 1;
  int64_t SectionEnd = 1;
  int64_t LineCount = 0;
  TableDialect Dialect = TableDialect::IosIpv4;
};

using SectionList = std::vector<SectionEntry>;

/// The tables of a sort result as the walk takes them: entries 1 and up
/// sorted by name (the global table first), one entry per name, the first
/// in log order.
SectionList BuildSectionList(const SortIndex& index);

/// Gives entry 0 its kind, entry 1 the default-instance kind where it stands
/// for the global table (or for the one table of each of two VRF-only
/// captures), and appends the end marker to both lists.
void NameSectionLists(SectionList& side1, SectionList& side2);

/// Orders two entries for the walk: negative, zero or positive.
int CompareEntries(const SectionEntry& a, const SectionEntry& b);

}  // namespace tess
