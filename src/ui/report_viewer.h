// The viewer of a comparison report: both logs and the verdict on top, the
// summary per table on the left (a row jumps to the table's first
// difference), and on the right a find box for a route prefix above the
// differences, before beside after, coloured by kind.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "compare/record_summary.h"
#include "compare/report_reader.h"

class QLabel;
class QLineEdit;
class QTableView;
class QTableWidget;

namespace tess {

class DifferenceTableModel;

/// Reads the report at `reportPath` and shows it in a new viewer window
/// (not modal, deleted when closed; several may be open). A report that
/// cannot be read shows the failure in a message box over `parent` instead.
void OpenReportViewer(const std::string& reportPath, QWidget* parent);

class ReportViewer : public QWidget {
  Q_OBJECT

 public:
  /// A window over `report`, read from `reportPath` (the caption names it).
  ReportViewer(ReadReport report, const std::string& reportPath, QWidget* parent = nullptr);

  /// Selects the first difference of the table on summary row `row` and
  /// scrolls it to the top; a table without differences changes nothing.
  void JumpToTable(int row);
  /// Selects the next row after the current one holding the find box's
  /// prefix, wrapping; says "見つかりません" beside the box when none does.
  void FindNext();
  /// The selected row of the differences, -1 when none is.
  int CurrentRow() const;
  const DifferenceTableModel& Model() const { return *model_; }
  /// The tables in the summary's row order.
  const std::vector<TableSummary>& Tables() const { return tables_; }

 private:
  const ReadReport report_;
  const std::vector<TableSummary> tables_;
  DifferenceTableModel* model_;
  QTableWidget* summary_;
  QLineEdit* find_;
  QLabel* findStatus_;
  QTableView* differences_;

  QWidget* MakeHeader();
  QWidget* MakeSummary();
  QWidget* MakeDifferences();
  void ShowRow(int row);
};

}  // namespace tess
