#include "sorter/sort_options.h"

namespace tess {

namespace {

// Whether `filter` keeps only the destinations (with or without their
// masks): it holds an item that stands alone other than All.
bool KeepsOnlyDestinations(const InfoFilter& filter) {
  for (int k = 0; k < kFilterItemCount; ++k) {
    const auto item = static_cast<FilterItem>(k);
    if (item != FilterItem::All && InfoFilter::StandsAlone(item) && filter.Has(item)) return true;
  }
  return false;
}

}  // namespace

SortOptions ComparisonSortOptions(const InfoFilter& userFilter) {
  SortOptions options;
  options.InForce = true;
  options.Order = SortOrder::Destination;
  options.Filter = userFilter;
  if (!userFilter.Has(FilterItem::Time) && !KeepsOnlyDestinations(userFilter)) {
    options.Filter.Tick(FilterItem::Time);
  }
  return options;
}

}  // namespace tess
