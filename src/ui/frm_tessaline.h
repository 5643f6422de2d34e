// The main window: a thin view over the plain-record window state. Its
// widgets mirror the state, and every user event calls the state's handler
// of the same name; no sorting or comparing happens here.
#pragma once

#include <QMainWindow>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/form_state.h"
#include "ui/twip_scale.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

struct ControlDesign;
class PathField;

class frmTessaline : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmTessaline(QWidget* parent = nullptr);

  /// Start-up: the stored settings loaded into the controls and the output
  /// names of both slots derived.
  void Form_Load(const std::string& settingsPath);

  // Commands; a menu item and its button run the same handler.
  void cmdSort_Click(int slot);
  void cmdDiff_Click();
  void cmdBrowseRead_Click(int slot);
  void cmdBrowseWrite_Click(int slot);
  void cmdBrowseDiff_Click();
  void mFileOpen_Click(int slot) { cmdBrowseRead_Click(slot); }
  void mFileSort_Click(int slot) { cmdSort_Click(slot); }
  void mFileDiff_Click() { cmdDiff_Click(); }
  void mEnd_Click();
  void mOption_Click();
  void mFileDel_Click();
  void mSortKey_Click(int index);
  void mInfoDel_Click(int index);
  void chkOption_Click();
  void chkFileDel_Click();

  // A file dropped onto a path field always sets an input field.
  void txtReadFile_OLEDragDrop(int slot, const QString& file);
  void txtWriteFile_OLEDragDrop(int slot, const QString& file);
  void txtDiffFile_OLEDragDrop(const QString& file);

  // Help menu.
  void mHowTo1_Click();
  void mHowTo2_Click();
  void mHowTo3_Click();
  void mTech1_Click();
  void mTech2_Click();
  void mAbout_Click();

  /// Lays the controls out for the current client width.
  void Form_Resize();

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
  /// Copies the whole state into the widgets.
  void Mirror();
  /// Repaints a field at once during a run, in the colour the run gave it.
  void RepaintField(const TextBox& box);
  void ShowHelp(const std::string& text);
  void ShowFailure(const Status& status);
  TwipScale Scale() const;
  QAction* Item(const char* name, int index) const;

  FormState state_;
  QWidget* client_ = nullptr;
  std::vector<std::pair<const ControlDesign*, QWidget*>> placed_;

  // Controls, indexed as in the state (file slot, extension number).
  QFrame* UpperDelim = nullptr;
  std::array<QLabel*, 3> lblReadFile{}, lblWriteFile{};
  QLabel* lblDiffFile = nullptr;
  std::array<QLabel*, 4> lblFileExt{};
  std::array<PathField*, 3> txtReadFile{}, txtWriteFile{};
  PathField* txtDiffFile = nullptr;
  std::array<QLineEdit*, 4> txtFileExt{};
  QCheckBox* chkOption = nullptr;
  QCheckBox* chkFileDel = nullptr;
  std::array<QPushButton*, 3> cmdSort{}, cmdBrowseRead{}, cmdBrowseWrite{};
  QPushButton* cmdDiff = nullptr;
  QPushButton* cmdBrowseDiff = nullptr;

  // Menu items that mirror state.
  QAction* mOption = nullptr;
  QAction* mOptConfig = nullptr;
  QAction* mFileDel = nullptr;
  QAction* mFileDiff = nullptr;
  std::array<QAction*, 3> mFileSort{};
  std::array<QAction*, 6> mSortKey{};
  std::array<QAction*, 7> mInfoDel{};
};

}  // namespace tess
