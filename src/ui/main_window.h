// The main window: a view of the window model. Its widgets show the model,
// each user event becomes one edit of the model or one run call, and a
// run's outcome becomes colours and messages. No sorting or comparing
// happens here. Widgets keep the object names of the window's design
// ("txtReadFile(1)", "mSortKey(3)") for tests and screenshots.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/window_model.h"
#include "ui/twip_scale.h"

class QAction;
class QCloseEvent;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tess {

struct ControlDesign;
class PathField;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  /// Stops a run under way and waits for it to clean up.
  ~MainWindow() override;

  /// Start-up: the settings at `settingsPath` (none: defaults, nothing
  /// stored) loaded into the fields, the output names of both slots derived.
  void Load(const std::optional<std::string>& settingsPath);

  // Commands; a menu item and its button run the same one. A sort or a
  // comparison runs off the window's thread: the window repaints, moves and
  // takes edits meanwhile, shows a busy cursor, and cannot start another.
  void SortLogOfSlot(int slot);
  void CompareBothLogs();
  bool RunInProgress() const { return running_; }
  void BrowseForInput(int slot);
  void BrowseForResult(int slot);
  void BrowseForReport();
  /// Opens the viewer on the report field's file.
  void ViewReport();
  void Quit();
  /// A file dropped onto any path field of a slot (the report field belongs
  /// to slot 2) becomes that slot's input.
  void InputDropped(int slot, const QString& file);

  /// Lays the controls out for the current client width.
  void LayOut();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  /// Closing during a run asks nothing: the run stops and cleans up as a
  /// failed run does, then the window closes.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlDesign& design);
  void SetTabOrder();
  void CreateMenus();
  void ConnectControls();
  void ConnectMenus();
  void ConnectTyping();
  /// Runs `work` on a thread of its own; `done` follows on the window's
  /// thread once it has ended. The caption shows the share of
  /// `bytesToRead` that the run has added to bytesRead_.
  void StartRun(std::function<void()> work, std::function<void()> done, int64_t bytesToRead);
  /// Shows the run's progress in the caption.
  void ShowProgress();
  /// Waits for the run's thread; with `stop`, asks the run to stop first.
  void EndRun(bool stop);
  /// Calls `update` on the window's thread (from a run's thread).
  void OnWindowThread(std::function<void()> update);
  /// Runs `edit` on the model, then shows the whole model.
  template <typename Edit>
  void Apply(Edit edit);
  /// Copies the whole model into the widgets.
  void ShowModel();
  /// The window's caption with the model's ending.
  void ShowCaption();
  /// Repaints a path field at once during a run, in the colour the run gave it.
  void RepaintNow(QLineEdit* field, const ColouredPath& path);
  void ShowHelp(const std::string& text);
  void ShowFailure(const Status& status);
  void ShowWarning(const Status& status);
  TwipScale Scale() const;
  QAction* Item(const char* name, int index) const;

  WindowModel model_;
  std::thread runThread_;
  std::atomic<bool> stopRun_{false};
  bool running_ = false;
  std::atomic<int64_t> bytesRead_{0};  // the run's share read so far
  int64_t bytesToRead_ = 0;
  QTimer* progressTimer_ = nullptr;
  QWidget* client_ = nullptr;
  std::vector<std::pair<const ControlDesign*, QWidget*>> placed_;

  // Controls, indexed as in the model (file slot, extension number).
  std::array<PathField*, 3> inputField_{}, resultField_{};
  PathField* reportField_ = nullptr;
  std::array<QLineEdit*, 4> extensionField_{};
  QCheckBox* optionsBox_ = nullptr;
  QCheckBox* keepResultsBox_ = nullptr;
  std::array<QPushButton*, 3> sortButton_{}, browseInputButton_{}, browseResultButton_{};
  QPushButton* compareButton_ = nullptr;
  QPushButton* browseReportButton_ = nullptr;

  // Menu items that show model state.
  QAction* optionsItem_ = nullptr;
  QAction* optionSubmenuItem_ = nullptr;
  QAction* keepResultsItem_ = nullptr;
  QAction* compareItem_ = nullptr;
  QAction* viewReportItem_ = nullptr;
  std::array<QAction*, 3> sortItem_{};
  std::array<QAction*, kSortOrderCount> sortOrderItem_{};
  std::array<QAction*, kFilterItemCount> filterItem_{};
};

}  // namespace tess
