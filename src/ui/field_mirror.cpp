#include "ui/field_mirror.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPalette>

namespace tess {

QString FromState(const std::string& text) {
  return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string ToState(const QString& text) { return QFile::encodeName(text).toStdString(); }

QColor ForeColorToQColor(uint32_t bgr, const QPalette& system) {
  if (bgr == kWindowTextColor) return system.color(QPalette::Text);
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

void MirrorText(const std::string& text, QLineEdit* field) {
  const QString shown = FromState(text);
  if (field->text() != shown) field->setText(shown);
}

void MirrorPath(const ColouredPath& path, QLineEdit* field) {
  MirrorText(path.Text, field);
  const QColor colour = ForeColorToQColor(path.ForeColor, QApplication::palette(field));
  QPalette palette = field->palette();
  if (palette.color(QPalette::Text) != colour) {
    palette.setColor(QPalette::Text, colour);
    field->setPalette(palette);
  }
}

void MirrorCheckBox(int value, QCheckBox* widget) {
  const Qt::CheckState state = value == 1   ? Qt::Checked
                               : value == 2 ? Qt::PartiallyChecked
                                            : Qt::Unchecked;
  widget->setTristate(state == Qt::PartiallyChecked);
  widget->setCheckState(state);
}

void MirrorMenuItem(bool checked, bool enabled, QAction* action) {
  action->setChecked(checked);
  action->setEnabled(enabled);
}

}  // namespace tess
