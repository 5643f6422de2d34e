#include "sorter/sort_records.h"

namespace tess {

void SortRecords::Resize(size_t lineCount) {
  for (auto* words : {&SortKey1, &SortKey2, &SortKey3, &SortKey4}) {
    words->assign(lineCount + 1, 0);
  }
  LinePosition.assign(lineCount + 1, 0);
  LineLength.assign(lineCount + 1, 0);
}

}  // namespace tess
