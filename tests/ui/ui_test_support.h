// Helpers of the window tests: a window over a settings file of its own,
// widgets and menu items by name, and answering the modal dialogs a
// command opens.
#pragma once

#include <QAction>
#include <QApplication>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "test_support.h"
#include "ui/control_table.h"
#include "ui/frm_tessaline.h"

namespace tess::testing {

/// A shown window whose settings file is `settingsPath`, written with
/// `settingsText` first unless that is empty.
std::unique_ptr<frmTessaline> OpenWindow(const std::string& settingsPath,
                                         const std::string& settingsText = "");

/// Settings that put the options in force and keep the sort results.
constexpr const char* kOptionsOnSettings =
    "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=1\nStoreSort=1\n";
/// Settings with both check boxes unticked.
constexpr const char* kOptionsOffSettings =
    "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=0\nStoreSort=0\n";

/// The control `name`(`index`) of the window.
template <typename T>
T* Control(const QWidget& window, const char* name, int index = kNoIndex) {
  return window.findChild<T*>(QString::fromStdString(ControlName(name, index)));
}
/// The menu item `name`(`index`) of the window.
QAction* MenuItem(const QWidget& window, const char* name, int index = kNoIndex);

/// Runs `command`; when it opens a modal dialog, `answer` gets the dialog
/// and must close it. Returns whether a dialog opened.
bool AnswerModal(const std::function<void()>& command, const std::function<void(QWidget*)>& answer);

/// A small log with one global table of two routes.
std::string SmallLog();

/// The UTF-8 text of a file of the test data.
QString TestData(const std::string& relativePath);

}  // namespace tess::testing
