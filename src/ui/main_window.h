// The main window: a view of the window model. Its widgets show the model,
// each user event becomes one edit of the model or one run call, and a
// run's outcome becomes colours and messages. No sorting or comparing
// happens here. Widgets keep the object names of the window's design
// ("txtReadFile(1)", "mSortKey(3)") for tests and screenshots.
#pragma once

#include <QMainWindow>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/window_model.h"
#include "ui/twip_scale.h"

class QAction;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;

namespace tess {

struct ControlDesign;
class PathField;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  /// Start-up: the settings at `settingsPath` (none: defaults, nothing
  /// stored) loaded into the fields, the output names of both slots derived.
  void Load(const std::optional<std::string>& settingsPath);

  // Commands; a menu item and its button run the same one.
  void SortLogOfSlot(int slot);
  void CompareBothLogs();
  void BrowseForInput(int slot);
  void BrowseForResult(int slot);
  void BrowseForReport();
  void Quit();
  /// A file dropped onto any path field of a slot (the report field belongs
  /// to slot 2) becomes that slot's input.
  void InputDropped(int slot, const QString& file);

  /// Lays the controls out for the current client width.
  void LayOut();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlDesign& design);
  void SetTabOrder();
  void CreateMenus();
  void ConnectControls();
  void ConnectMenus();
  void ConnectTyping();
  /// Runs `edit` on the model, then shows the whole model.
  template <typename Edit>
  void Apply(Edit edit);
  /// Copies the whole model into the widgets.
  void ShowModel();
  /// Repaints a path field at once during a run, in the colour the run gave it.
  void RepaintNow(QLineEdit* field, const ColouredPath& path);
  void ShowHelp(const std::string& text);
  void ShowFailure(const Status& status);
  TwipScale Scale() const;
  QAction* Item(const char* name, int index) const;

  WindowModel model_;
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
  std::array<QAction*, 3> sortItem_{};
  std::array<QAction*, kSortOrderCount> sortOrderItem_{};
  std::array<QAction*, kFilterItemCount> filterItem_{};
};

}  // namespace tess
