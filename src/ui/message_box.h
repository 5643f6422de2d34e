// The window's message boxes: modal, titled with the window's caption, an
// OK button, plain text in the window's font.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tess {

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

}  // namespace tess
