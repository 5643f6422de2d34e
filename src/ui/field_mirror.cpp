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

void MirrorTextBox(const TextBox& box, QLineEdit* field) {
  const QString text = FromState(box.Text);
  if (field->text() != text) field->setText(text);
  const QColor colour = ForeColorToQColor(box.ForeColor, QApplication::palette(field));
  QPalette palette = field->palette();
  if (palette.color(QPalette::Text) != colour) {
    palette.setColor(QPalette::Text, colour);
    field->setPalette(palette);
  }
}

void MirrorCheckBox(const CheckBox& box, QCheckBox* widget) {
  const Qt::CheckState state = box.Value == 1   ? Qt::Checked
                               : box.Value == 2 ? Qt::PartiallyChecked
                                                : Qt::Unchecked;
  widget->setTristate(state == Qt::PartiallyChecked);
  widget->setCheckState(state);
}

void MirrorMenuItem(const MenuItem& item, QAction* action) {
  action->setChecked(item.Checked);
  action->setEnabled(item.Enabled);
}

}  // namespace tess
