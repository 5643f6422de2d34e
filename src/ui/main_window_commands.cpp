// The main window's event wiring and commands: each edit goes to the model,
// each run to its call, and the window then shows the model.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <memory>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/compare_logs.h"
#include "app/sort_log.h"
#include "app/version.h"
#include "app/window_failure_text.h"
#include "io/paths.h"
#include "ui/control_table.h"
#include "ui/documentation_folder.h"
#include "ui/field_mirror.h"
#include "ui/help_texts.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/path_field.h"
#include "ui/report_viewer.h"

namespace tess {

template <typename Edit>
void MainWindow::Apply(Edit edit) {
  edit(model_);
  ShowModel();
}

void MainWindow::ConnectControls() {
  for (int s = 1; s <= 2; ++s) {
    connect(sortButton_[s], &QPushButton::clicked, this, [this, s] { SortLogOfSlot(s); });
    connect(browseInputButton_[s], &QPushButton::clicked, this, [this, s] { BrowseForInput(s); });
    connect(browseResultButton_[s], &QPushButton::clicked, this, [this, s] { BrowseForResult(s); });
    // A drop always sets an input field: a result field's own slot's.
    for (PathField* field : {inputField_[s], resultField_[s]}) {
      connect(field, &PathField::fileDropped, this,
              [this, s](const QString& file) { InputDropped(s, file); });
    }
  }
  connect(compareButton_, &QPushButton::clicked, this, [this] { CompareBothLogs(); });
  connect(browseReportButton_, &QPushButton::clicked, this, [this] { BrowseForReport(); });
  connect(reportField_, &PathField::fileDropped, this,
          [this](const QString& file) { InputDropped(2, file); });
  // The box has already changed its own tick; a greyed box (value 2) ticks.
  connect(optionsBox_, &QCheckBox::clicked, this, [this] {
    const int value = optionsBox_->checkState() == Qt::Checked ? 1 : 0;
    Apply([value](WindowModel& m) { m.SetOptionsInForce(value); });
  });
  connect(keepResultsBox_, &QCheckBox::clicked, this, [this] {
    const int value = keepResultsBox_->checkState() == Qt::Checked ? 1 : 0;
    Apply([value](WindowModel& m) { m.SetKeepSortResults(value); });
  });
}

// Every keystroke, paste or cut in a field is an edit of the model.
void MainWindow::ConnectTyping() {
  const auto onEdit = [this](QLineEdit* field, auto edit) {
    connect(field, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
      Apply([&](WindowModel& m) { edit(m, ToState(text)); });
    });
  };
  for (int s = 1; s <= 2; ++s) {
    onEdit(inputField_[s], [s](WindowModel& m, const std::string& t) { m.SetInputPath(s, t); });
    onEdit(resultField_[s], [s](WindowModel& m, const std::string& t) { m.SetResultPath(s, t); });
  }
  onEdit(reportField_, [](WindowModel& m, const std::string& t) { m.SetReportPath(t); });
  for (int i = 1; i <= 3; ++i) {
    onEdit(extensionField_[i], [i](WindowModel& m, const std::string& t) { m.SetExtensionText(i, t); });
  }
}

void MainWindow::ConnectMenus() {
  const auto on = [this](const char* name, int index, auto command) {
    connect(Item(name, index), &QAction::triggered, this, command);
  };
  for (int s = 1; s <= 2; ++s) {
    on("mFileOpen", s, [this, s] { BrowseForInput(s); });
    on("mFileSort", s, [this, s] { SortLogOfSlot(s); });
  }
  on("mEnd", kNoIndex, [this] { Quit(); });
  on("mFileDiff", kNoIndex, [this] { CompareBothLogs(); });
  on("mViewReport", kNoIndex, [this] { ViewReport(); });
  on("mOption", kNoIndex, [this] { Apply([](WindowModel& m) { m.ToggleOptionsInForce(); }); });
  on("mFileDel", kNoIndex, [this] { Apply([](WindowModel& m) { m.ToggleKeepSortResults(); }); });
  for (int k = 0; k < kSortOrderCount; ++k) {
    const auto order = static_cast<SortOrder>(k);
    on("mSortKey", k, [this, order] { Apply([order](WindowModel& m) { m.ChooseSortOrder(order); }); });
  }
  for (int k = 0; k < kFilterItemCount; ++k) {
    const auto item = static_cast<FilterItem>(k);
    on("mInfoDel", k, [this, item] { Apply([item](WindowModel& m) { m.ClickFilterItem(item); }); });
  }
  on("mHowTo1", kNoIndex, [this] { ShowHelp(HowTo1Text()); });
  on("mHowTo2", kNoIndex, [this] { ShowHelp(HowTo2Text()); });
  on("mHowTo3", kNoIndex, [this] { ShowHelp(HowTo3Text()); });
  on("mTech1", kNoIndex, [this] { ShowHelp(Tech1Text()); });
  on("mTech2", kNoIndex, [this] { ShowHelp(Tech2Text()); });
  on("mAbout", kNoIndex, [this] {
    ShowHelp(AboutText(kVersionMajor, kVersionMinor, DocumentationAddress(kDocumentationFolder)));
  });
}

MainWindow::~MainWindow() { EndRun(true); }

void MainWindow::closeEvent(QCloseEvent* event) {
  EndRun(true);
  QMainWindow::closeEvent(event);
}

void MainWindow::StartRun(std::function<void()> work, std::function<void()> done, int64_t bytesToRead) {
  if (running_) return;
  running_ = true;
  stopRun_ = false;
  bytesRead_ = 0;
  bytesToRead_ = bytesToRead;
  model_.NoteRunProgress(0, bytesToRead_);
  progressTimer_->start();
  QApplication::setOverrideCursor(Qt::BusyCursor);
  ShowModel();
  runThread_ = std::thread([this, work = std::move(work), done = std::move(done)] {
    work();
    OnWindowThread([this, done] {
      if (!running_) return;  // the window closed meanwhile: nothing to show
      EndRun(false);
      done();
    });
  });
}

void MainWindow::EndRun(bool stop) {
  if (stop) stopRun_ = true;
  if (runThread_.joinable()) runThread_.join();
  if (!running_) return;
  running_ = false;
  progressTimer_->stop();
  model_.ClearCaptionSuffix();
  QApplication::restoreOverrideCursor();
}

// A few times a second while a run goes on (the timer's interval).
void MainWindow::ShowProgress() {
  if (!running_) return;
  model_.NoteRunProgress(bytesRead_.load(std::memory_order_relaxed), bytesToRead_);
  ShowCaption();
}

void MainWindow::OnWindowThread(std::function<void()> update) {
  QMetaObject::invokeMethod(this, std::move(update), Qt::QueuedConnection);
}

// The result field is blue while the sort runs, then shows whether its file
// exists.
void MainWindow::SortLogOfSlot(int slot) {
  if (running_) return;
  model_.MarkResultRunning(slot);
  RepaintNow(resultField_[slot], model_.Result(slot));
  SortRequest request = model_.MakeSortRequest(slot);
  request.Stop = &stopRun_;
  request.BytesRead = &bytesRead_;
  auto outcome = std::make_shared<SortOutcome>();
  StartRun([request, outcome] { *outcome = SortLog(request); },
           [this, slot, outcome] {
             model_.RecolourResult(slot);
             RepaintNow(resultField_[slot], model_.Result(slot));
             ShowModel();
             if (!outcome->status.ok()) ShowFailure(outcome->status);
           },
           FileSizeOrZero(request.Files.LogPath));
}

// The report field is blue for the whole comparison, the sort-result fields
// while the logs are sorted; afterwards every field shows whether its file
// exists. Both logs are sorted from the start, so all three fields turn blue
// before the work starts, however soon a short comparison ends.
void MainWindow::CompareBothLogs() {
  if (running_) return;
  model_.MarkReportRunning();
  RepaintNow(reportField_, model_.Report());
  for (int slot : {1, 2}) {
    model_.MarkResultRunning(slot);
    RepaintNow(resultField_[slot], model_.Result(slot));
  }
  CompareProgress progress;
  progress.SortStarted = [this](Side side) {
    OnWindowThread([this, slot = SlotNumber(side)] {
      model_.MarkResultRunning(slot);
      RepaintNow(resultField_[slot], model_.Result(slot));
    });
  };
  progress.SortFinished = [this](Side side) {
    OnWindowThread([this, slot = SlotNumber(side)] {
      model_.RecolourResult(slot);
      RepaintNow(resultField_[slot], model_.Result(slot));
    });
  };
  CompareRequest request = model_.MakeCompareRequest();
  request.Stop = &stopRun_;
  request.BytesRead = &bytesRead_;
  auto outcome = std::make_shared<CompareOutcome>();
  // A report of a log without route lines compared nothing: its verdict is
  // not shown as if it could be trusted.
  StartRun([request, progress, outcome] { *outcome = CompareLogs(request, progress); },
           [this, outcome] {
             model_.RecolourResult(1);
             model_.RecolourResult(2);
             model_.RecolourReport();
             if (outcome->status.ok() && outcome->NotCompared.ok()) {
               model_.NoteComparisonVerdict(outcome->DifferenceCount);
             }
             RepaintNow(reportField_, model_.Report());
             ShowModel();
             if (!outcome->status.ok()) ShowFailure(outcome->status);
             if (!outcome->NotCompared.ok()) ShowWarning(outcome->NotCompared);
           },
           FileSizeOrZero(request.Before.LogPath) + FileSizeOrZero(request.After.LogPath));
}

// A cancelled dialog gives no name: the field keeps its text.
void MainWindow::BrowseForInput(int slot) {
  const QString chosen = QFileDialog::getOpenFileName(this, QString(), inputField_[slot]->text());
  if (chosen.isEmpty()) return;
  Apply([&](WindowModel& m) { m.SetInputPath(slot, ToState(chosen)); });
}

void MainWindow::BrowseForResult(int slot) {
  const QString chosen = QFileDialog::getSaveFileName(this, QString(), resultField_[slot]->text());
  if (chosen.isEmpty()) return;
  Apply([&](WindowModel& m) { m.SetResultPath(slot, ToState(chosen)); });
}

void MainWindow::BrowseForReport() {
  const QString chosen = QFileDialog::getSaveFileName(this, QString(), reportField_->text());
  if (chosen.isEmpty()) return;
  Apply([&](WindowModel& m) { m.SetReportPath(ToState(chosen)); });
}

void MainWindow::ViewReport() {
  if (!model_.CanViewReport()) return;
  OpenReportViewer(model_.Report().Text, this);
}

void MainWindow::Quit() { close(); }

void MainWindow::InputDropped(int slot, const QString& file) {
  Apply([&](WindowModel& m) { m.SetInputPath(slot, ToState(file)); });
}

// A plain box, OK only, no icon; each CR LF of the text is a line break.
void MainWindow::ShowHelp(const std::string& text) {
  QString shown = QString::fromUtf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  ShowMessageBox(this, QMessageBox::NoIcon, shown);
}

// A comparison that finished without comparing anything (a log without
// route lines): its report is written, and the user is told not to trust it.
void MainWindow::ShowWarning(const Status& status) {
  ShowMessageBox(this, QMessageBox::Warning, FromState(WindowWarningText(status)));
}

// A failed run ends only that run: it has already removed its temporary
// files and changed no file of the user's, and the window stays usable.
void MainWindow::ShowFailure(const Status& status) {
  ShowMessageBox(this, QMessageBox::Critical, FromState(WindowFailureText(status)));
}

}  // namespace tess
