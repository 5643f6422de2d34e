// What a sort is asked to do: the order of the routes and the information
// stripped from every route line.
#pragma once

#include <array>
#include <cstddef>

namespace tess {

/// The six sort orders, in the order of the options menu.
enum class SortOrder {
  Destination = 0,
  NextHop = 1,
  MaskThenDestination = 2,
  MaskThenNextHop = 3,
  ProtocolThenDestination = 4,
  ProtocolThenNextHop = 5,
};
constexpr int kSortOrderCount = 6;

/// Items of the information filter, in the order of the options menu. Some
/// stand alone, the others combine: see InfoFilter::StandsAlone.
enum class FilterItem {
  All = 0,
  Interface = 1,
  Time = 2,
  Cost = 3,
  Protocol = 4,
  DestinationAndMask = 5,
  DestinationOnly = 6,
};
constexpr int kFilterItemCount = 7;

/// The ticked items of the information filter.
class InfoFilter {
 public:
  /// Nothing ticked.
  InfoFilter() = default;
  /// One item ticked alone.
  static InfoFilter Only(FilterItem item) {
    InfoFilter filter;
    filter.Tick(item);
    return filter;
  }

  /// Whether `item` is ticked only on its own: All, DestinationAndMask and
  /// DestinationOnly (items 0, 5 and 6) each say what the whole line
  /// keeps. The four items that remove one kind of information combine.
  static constexpr bool StandsAlone(FilterItem item) {
    return item == FilterItem::All || item == FilterItem::DestinationAndMask ||
           item == FilterItem::DestinationOnly;
  }

  bool Has(FilterItem item) const { return ticked_[Index(item)]; }
  void Tick(FilterItem item, bool ticked = true) { ticked_[Index(item)] = ticked; }
  bool operator==(const InfoFilter&) const = default;

 private:
  static size_t Index(FilterItem item) { return static_cast<size_t>(item); }
  std::array<bool, kFilterItemCount> ticked_{};
};

/// The options of one sort: without `InForce` a sort runs in destination
/// order and keeps every line as it is.
struct SortOptions {
  bool InForce = false;
  SortOrder Order = SortOrder::Destination;
  InfoFilter Filter = InfoFilter::Only(FilterItem::All);
};

/// The options both sorts of a comparison run with: in force, destination
/// order, and the user's filter with the time information removed as well,
/// unless the filter already removes it or keeps only destinations (with or
/// without their masks).
SortOptions ComparisonSortOptions(const InfoFilter& userFilter);

}  // namespace tess
