#include "ui/message_box.h"

#include "ui/help_texts.h"
#include "ui/window_fonts.h"

namespace tess {

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString::fromUtf8(kWindowCaption), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setFont(WindowFont());
  box.exec();
}

}  // namespace tess
