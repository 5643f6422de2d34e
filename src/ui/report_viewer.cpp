#include "ui/report_viewer.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/window_failure_text.h"
#include "compare/report_text.h"
#include "ui/difference_table_model.h"
#include "ui/field_mirror.h"
#include "ui/message_box.h"
#include "ui/window_fonts.h"

namespace tess {

namespace {

// The summary's rows: the report's tables in its order, the differences
// under no heading (which the report shows before its first heading) first.
std::vector<TableSummary> SummaryRows(const ComparisonRecord& record) {
  std::vector<TableSummary> tables = SummariseByTable(record);
  std::stable_partition(tables.begin(), tables.end(),
                        [](const TableSummary& t) { return t.Name.empty(); });
  return tables;
}

QTableWidgetItem* CountItem(int64_t n) {
  auto* item = new QTableWidgetItem(QString::number(n));
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

// Fixed row heights, room for a line in `font` too: the view then never
// measures rows, and a million of them scroll as fast as ten.
void UseFixedRowHeights(QTableView* view, const QFont& font) {
  const int height = std::max(view->fontMetrics().height(), QFontMetrics(font).height());
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(height + 6);
  view->verticalHeader()->hide();
  view->setWordWrap(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

}  // namespace

void OpenReportViewer(const std::string& reportPath, QWidget* parent) {
  ReadReport report;
  if (const Status st = ReadComparisonReport(reportPath, report); !st.ok()) {
    ShowMessageBox(parent, QMessageBox::Critical, FromState(WindowFailureText(st)));
    return;
  }
  auto* viewer = new ReportViewer(std::move(report), reportPath, parent);
  viewer->show();
}

ReportViewer::ReportViewer(ReadReport report, const std::string& reportPath, QWidget* parent)
    : QWidget(parent, Qt::Window),
      report_(std::move(report)),
      tables_(SummaryRows(report_.Record)),
      model_(new DifferenceTableModel(report_.Record, this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(WindowFont());
  setWindowTitle(QString::fromUtf8("比較結果 - ") + FromState(reportPath));
  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(MakeSummary());
  splitter->addWidget(MakeDifferences());
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 860});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeader());
  layout->addWidget(splitter, 1);
  resize(1100, 640);
}

QWidget* ReportViewer::MakeHeader() {
  auto* header = new QWidget;
  auto* layout = new QVBoxLayout(header);
  layout->setContentsMargins(0, 0, 0, 0);
  const ReportTexts texts = MakeReportTexts(ReportEncoding::kUtf8);
  for (const auto& [label, path] : {std::pair(&texts.Before, &report_.BeforeLog), std::pair(&texts.After, &report_.AfterLog)}) {
    auto* log = new QLabel(QString::fromStdString(*label + *path));
    log->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(log);
  }
  auto* verdict = new QLabel(QString::fromStdString(VerdictWords(report_.DifferenceCount)));
  verdict->setObjectName(QStringLiteral("verdict"));
  QFont bold = verdict->font();
  bold.setBold(true);
  verdict->setFont(bold);
  layout->addWidget(verdict);
  return header;
}

QWidget* ReportViewer::MakeSummary() {
  summary_ = new QTableWidget(static_cast<int>(tables_.size()), 5);
  summary_->setObjectName(QStringLiteral("summary"));
  summary_->setHorizontalHeaderLabels({QString::fromUtf8("テーブル"), QString::fromUtf8("減"),
                                       QString::fromUtf8("増"), QString::fromUtf8("変更"),
                                       QString::fromUtf8("計")});
  for (int row = 0; row < summary_->rowCount(); ++row) {
    const TableSummary& table = tables_[static_cast<size_t>(row)];
    summary_->setItem(row, 0, new QTableWidgetItem(DifferenceTableModel::TableName(table.Name)));
    for (int k = 0; k < 3; ++k) summary_->setItem(row, k + 1, CountItem(table.Counts[static_cast<size_t>(k)]));
    summary_->setItem(row, 4, CountItem(table.Total()));
  }
  UseFixedRowHeights(summary_, summary_->font());
  summary_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int column = 1; column < 5; ++column) {
    summary_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  connect(summary_, &QTableWidget::clicked, this, [this](const QModelIndex& i) { JumpToTable(i.row()); });
  connect(summary_, &QTableWidget::activated, this, [this](const QModelIndex& i) { JumpToTable(i.row()); });
  return summary_;
}

QWidget* ReportViewer::MakeDifferences() {
  auto* pane = new QWidget;
  auto* findRow = new QHBoxLayout;
  findRow->addWidget(new QLabel(QString::fromUtf8("検索:")));
  find_ = new QLineEdit;
  find_->setObjectName(QStringLiteral("find"));
  find_->setPlaceholderText(QString::fromUtf8("経路のプレフィックス (例 10.1.2.0/24)"));
  find_->setClearButtonEnabled(true);
  connect(find_, &QLineEdit::returnPressed, this, &ReportViewer::FindNext);
  connect(find_, &QLineEdit::textChanged, this, [this] { findStatus_->clear(); });
  findRow->addWidget(find_, 1);
  findStatus_ = new QLabel;
  findStatus_->setObjectName(QStringLiteral("findStatus"));
  findStatus_->setMinimumWidth(findStatus_->fontMetrics().horizontalAdvance(QString::fromUtf8("見つかりません")));
  findRow->addWidget(findStatus_);

  differences_ = new QTableView;
  differences_->setObjectName(QStringLiteral("differences"));
  differences_->setModel(model_);
  UseFixedRowHeights(differences_, model_->LineFont());
  // Set widths, never measured from the rows; the two sides share the rest.
  QHeaderView* columns = differences_->horizontalHeader();
  differences_->setColumnWidth(DifferenceTableModel::kTableColumn, 120);
  differences_->setColumnWidth(DifferenceTableModel::kKindColumn, 60);
  columns->setSectionResizeMode(DifferenceTableModel::kBeforeColumn, QHeaderView::Stretch);
  columns->setSectionResizeMode(DifferenceTableModel::kAfterColumn, QHeaderView::Stretch);

  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(findRow);
  layout->addWidget(differences_, 1);
  return pane;
}

void ReportViewer::JumpToTable(int row) {
  if (row < 0 || row >= static_cast<int>(tables_.size())) return;
  const TableSummary& table = tables_[static_cast<size_t>(row)];
  if (!table.Differences.empty()) ShowRow(model_->RowOfDifference(table.Differences.front()));
}

void ReportViewer::FindNext() {
  const std::string prefix = find_->text().trimmed().toStdString();
  if (prefix.empty()) return;
  const int found = model_->FindPrefix(prefix, CurrentRow());
  findStatus_->setText(found < 0 ? QString::fromUtf8("見つかりません") : QString());
  if (found >= 0) ShowRow(found);
}

int ReportViewer::CurrentRow() const {
  const QModelIndex current = differences_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void ReportViewer::ShowRow(int row) {
  const QModelIndex index = model_->index(row, DifferenceTableModel::kBeforeColumn);
  differences_->setCurrentIndex(index);
  differences_->scrollTo(index, QAbstractItemView::PositionAtTop);
}

}  // namespace tess
