// The differences of a comparison as rows of a table view: one row per pair
// of lines, before beside after. Rows are computed, never stored: a prefix
// sum of the rows of each difference maps a row to its difference by binary
// search, so a report of a million lines costs one number per difference.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <cstdint>
#include <string_view>
#include <vector>

#include "compare/comparison_record.h"

namespace tess {

class DifferenceTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kTableColumn, kKindColumn, kBeforeColumn, kAfterColumn, kColumnCount };

  /// A view of `record`, which must outlive the model and stay unchanged.
  explicit DifferenceTableModel(const ComparisonRecord& record, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  /// The first row of difference `difference`.
  int RowOfDifference(size_t difference) const { return static_cast<int>(firstRow_[difference]); }
  /// The difference that row `row` belongs to.
  size_t DifferenceOfRow(int row) const;
  /// The next row after `from` whose before or after line holds an address
  /// starting with `prefix` (ASCII letters in any case), wrapping past the
  /// last row to the first and ending with `from` itself; -1 when none does.
  /// `from` -1 searches from the first row.
  int FindPrefix(std::string_view prefix, int from) const;

  /// The kind column's mark of a difference: the report's marks, so that
  /// the kind never depends on its colour alone.
  static QString KindMark(const RecordedDifference& difference);
  /// A table's name as shown; a difference under no heading has none.
  static QString TableName(std::string_view name);
  /// The font of the before and after columns.
  const QFont& LineFont() const { return lineFont_; }

 private:
  const ComparisonRecord& record_;
  const QFont lineFont_;           // monospace, for the route lines
  std::vector<int64_t> firstRow_;  // per difference, and the row count at the end

  // Line `k` of a side of difference `d`, empty past its last line.
  static std::string_view LineOf(const std::vector<std::string>& lines, size_t k);
  bool RowMatches(size_t d, size_t k, std::string_view prefix) const;
};

}  // namespace tess
