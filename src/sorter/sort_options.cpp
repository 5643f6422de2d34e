#include "sorter/sort_options.h"

namespace tess {

SortOptions ComparisonSortOptions(const InfoFilter& userFilter) {
  SortOptions options;
  options.InForce = true;
  options.Order = SortOrder::Destination;
  options.Filter = userFilter;
  if (!userFilter.Has(FilterItem::Time) && !userFilter.Has(FilterItem::DestinationAndMask) &&
      !userFilter.Has(FilterItem::DestinationOnly)) {
    options.Filter.Tick(FilterItem::Time);
  }
  return options;
}

}  // namespace tess
