// Helpers of the window tests: a window over a scratch folder and a
// settings file of their own, its controls by name, and answering the
// modal dialogs a command opens.
#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "test_support.h"
#include "ui/control_table.h"
#include "ui/main_window.h"

namespace tess::testing {

/// Settings with the options in force and the sort results kept, or neither.
constexpr const char* kOptionsOnSettings =
    "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=1\nStoreSort=1\n";
constexpr const char* kOptionsOffSettings =
    "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=0\nStoreSort=0\n";
const QColor kShownBlue(0, 0, 255);
const QColor kShownRed(255, 0, 0);

/// A small log with one global table of two routes.
std::string SmallLog();
/// The UTF-8 text of a file of the test data.
QString TestData(const std::string& relativePath);

/// Runs `command`; when it opens a modal dialog, `answer` gets the dialog
/// and must close it. Returns whether a dialog opened.
bool AnswerModal(const std::function<void()>& command, const std::function<void(QWidget*)>& answer);

/// What a message box opened by a command showed; it is answered with OK.
struct ShownBox {
  bool opened = false;
  bool captionAndOkOnly = false;  // titled with the window caption, OK its only button
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QString text;
};
ShownBox AnswerBox(const std::function<void()>& command);

/// Second base of the test classes: a scratch folder and a shown window
/// whose settings file "Tessaline.ini" lives there.
class WindowFixture {
 protected:
  std::unique_ptr<ScratchDir> dir_;
  std::unique_ptr<MainWindow> window_;

  /// A fresh folder with `logs` (each SmallLog()) and `settingsText`, and
  /// the window over them; false if it did not show.
  bool Open(const char* settingsText, std::initializer_list<const char*> logs = {});
  void Close() {
    window_.reset();
    dir_.reset();
  }
  QString Path(const char* name) const { return QString::fromStdString(dir_->File(name)); }
  std::string Stored(const char* key) const;
  /// The control or menu item `name`(`index`), or of that object name.
  template <typename T = QWidget>
  T* Named(const QString& objectName) const {
    return window_->findChild<T*>(objectName);
  }
  template <typename T = QWidget>
  T* Control(const char* name, int index = kNoIndex) const {
    return Named<T>(QString::fromStdString(ControlName(name, index)));
  }
  QLineEdit* Field(const char* name, int index = kNoIndex) const {
    return Control<QLineEdit>(name, index);
  }
  QAction* Item(const char* name, int index = kNoIndex) const {
    return Control<QAction>(name, index);
  }
  static QColor Shown(const QLineEdit* field) { return field->palette().color(QPalette::Text); }
  static QColor WindowText(const QLineEdit* field) {
    return QApplication::palette(field).color(QPalette::Text);
  }
  /// The texts of the five path fields.
  QStringList PathTexts() const;
  /// Clicks the button or check box `objectName`, or triggers that menu
  /// item, and waits for a run it started to end.
  void Invoke(const QString& objectName);
  /// Handles events until no run is under way.
  void WaitForRun();
  /// Sets input `slot` to file `name` of the folder, as a drop does.
  void Choose(int slot, const char* name) { window_->InputDropped(slot, Path(name)); }
};

}  // namespace tess::testing
