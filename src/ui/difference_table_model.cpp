#include "ui/difference_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFontDatabase>
#include <algorithm>
#include <climits>

namespace tess {

namespace {

// Light backgrounds that stay apart for red-green colour blindness (orange,
// blue, yellow); the kind column's marks say the same in text.
QColor KindColour(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::Gone: return QColor(0xfb, 0xdd, 0xc8);
    case DifferenceKind::New: return QColor(0xd4, 0xe6, 0xfa);
    case DifferenceKind::Changed: return QColor(0xff, 0xf1, 0xa8);
  }
  return {};
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether a character can stand inside an address: a match right after one
// would start in the middle of an address.
bool InAddress(char c) {
  return (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'z') || c == '.' || c == ':';
}

// Whether `line` holds a word that starts with `prefix`, letters in any case.
bool HoldsPrefix(std::string_view line, std::string_view prefix) {
  if (prefix.empty() || line.size() < prefix.size()) return false;
  for (size_t at = 0; at + prefix.size() <= line.size(); ++at) {
    if (at > 0 && InAddress(line[at - 1])) continue;
    size_t i = 0;
    while (i < prefix.size() && Lower(line[at + i]) == Lower(prefix[i])) ++i;
    if (i == prefix.size()) return true;
  }
  return false;
}

}  // namespace

DifferenceTableModel::DifferenceTableModel(const ComparisonRecord& record, QObject* parent)
    : QAbstractTableModel(parent),
      record_(record),
      lineFont_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
  firstRow_.reserve(record.Differences.size() + 1);
  int64_t rows = 0;
  for (const RecordedDifference& d : record.Differences) {
    firstRow_.push_back(rows);
    rows += static_cast<int64_t>(std::max<size_t>({d.Before.size(), d.After.size(), 1}));
  }
  firstRow_.push_back(rows);
}

int DifferenceTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(std::min<int64_t>(firstRow_.back(), INT_MAX));
}

int DifferenceTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

size_t DifferenceTableModel::DifferenceOfRow(int row) const {
  const auto after = std::upper_bound(firstRow_.begin(), firstRow_.end() - 1, int64_t{row});
  return static_cast<size_t>(after - firstRow_.begin()) - 1;
}

std::string_view DifferenceTableModel::LineOf(const std::vector<std::string>& lines, size_t k) {
  return k < lines.size() ? std::string_view(lines[k]) : std::string_view();
}

QString DifferenceTableModel::KindMark(const RecordedDifference& d) {
  switch (d.Kind) {
    case DifferenceKind::Gone: return QString::fromUtf8(d.WholeTable ? "減<VRF" : "減<");
    case DifferenceKind::New: return QString::fromUtf8(d.WholeTable ? "増>VRF" : "増>");
    case DifferenceKind::Changed: return QString::fromUtf8("前<後>");
  }
  return {};
}

QString DifferenceTableModel::TableName(std::string_view name) {
  if (name.empty()) return QString::fromUtf8("(見出しなし)");
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QVariant DifferenceTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const size_t d = DifferenceOfRow(index.row());
  const RecordedDifference& difference = record_.Differences[d];
  const size_t k = static_cast<size_t>(index.row() - firstRow_[d]);
  if (role == Qt::BackgroundRole) return QBrush(KindColour(difference.Kind));
  if (role == Qt::FontRole && index.column() >= kBeforeColumn) return lineFont_;
  // A line cut at its column's edge is shown whole in its tool tip.
  if (role != Qt::DisplayRole && !(role == Qt::ToolTipRole && index.column() >= kBeforeColumn)) return {};
  switch (index.column()) {
    case kTableColumn: return k == 0 ? TableName(difference.Table) : QString();
    case kKindColumn: return k == 0 ? KindMark(difference) : QString();
    case kBeforeColumn: return QString::fromUtf8(LineOf(difference.Before, k));
    case kAfterColumn: return QString::fromUtf8(LineOf(difference.After, k));
    default: return {};
  }
}

QVariant DifferenceTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  static const char* const kHeadings[kColumnCount] = {"テーブル", "種類", "前", "後"};
  return section >= 0 && section < kColumnCount ? QString::fromUtf8(kHeadings[section]) : QVariant();
}

bool DifferenceTableModel::RowMatches(size_t d, size_t k, std::string_view prefix) const {
  const RecordedDifference& difference = record_.Differences[d];
  return HoldsPrefix(LineOf(difference.Before, k), prefix) ||
         HoldsPrefix(LineOf(difference.After, k), prefix);
}

// Walks the rows after `from` difference by difference (no binary search
// per row), then wraps to the first row and stops at `from` itself.
int DifferenceTableModel::FindPrefix(std::string_view prefix, int from) const {
  const int rows = rowCount();
  if (prefix.empty() || rows == 0) return -1;
  const int start = from < 0 || from >= rows ? 0 : (from + 1) % rows;
  size_t d = DifferenceOfRow(start);
  int64_t row = start;
  for (int seen = 0; seen < rows; ++seen, ++row) {
    if (row == rows) {
      row = 0;
      d = 0;
    }
    while (row >= firstRow_[d + 1]) ++d;
    if (RowMatches(d, static_cast<size_t>(row - firstRow_[d]), prefix)) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace tess
