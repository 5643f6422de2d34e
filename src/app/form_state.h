// The main window's state as plain records: the texts, tags, colours, check
// values, menu ticks and enabled states of its controls, with the change
// handlers that keep output names, colours, menus and settings in step.
// Batch mode drives this state directly; the Qt window mirrors it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "io/status.h"
#include "sorter/sort_state.h"

namespace tess {

/// Text colours in blue-green-red order.
constexpr uint32_t kWindowTextColor = 0x80000008;  // the system's window-text colour
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

struct TextBox {
  std::string Text;
  std::string Tag;
  uint32_t ForeColor = kWindowTextColor;
};
struct CheckBox {
  int Value = 1;  // ticked at design
};
struct CommandButton {
  bool Enabled = true;
};
struct MenuItem {
  bool Checked = false;
  bool Enabled = true;
};

/// Outcome of a comparison: the verdict's difference count, or a failure.
struct DiffOutcome {
  Status status;
  int64_t DifferenceCount = 0;
};

class FormState {
 public:
  FormState();

  // Controls; arrays are indexed by file slot (1, 2) or extension (1 to 3),
  // menu arrays from 0. Read them freely; change them through the setters
  // below, which run the change handlers as a user's edit would.
  std::array<TextBox, 3> txtReadFile, txtWriteFile;
  TextBox txtDiffFile;
  std::array<TextBox, 4> txtFileExt;
  CheckBox chkOption, chkFileDel;
  std::array<CommandButton, 3> cmdSort;
  CommandButton cmdDiff;
  MenuItem mOption, mOptConfig, mFileDel, mFileDiff;
  std::array<MenuItem, 3> mFileSort;
  std::array<MenuItem, 6> mSortKey;
  std::array<MenuItem, 7> mInfoDel;

  std::string SettingsPath;
  std::array<std::string, 3> SortExtension;
  std::string DiffExtension;
  std::string DiffFilePath;
  SortState Sort;

  /// When false, option changes are not written to the settings file (batch
  /// options put the options in force for one run only).
  bool PersistSettings = true;
  /// Called when a run repaints a field at once; a window redraws it.
  std::function<void(const TextBox&)> Refresh;

  /// Start-up without the window steps: settings loaded into their controls,
  /// tables prepared, output names derived for both slots.
  void Form_Load(const std::string& settingsPath);

  // Assignments that run the control's change handler when the value changes.
  void SetReadFileText(int slot, const std::string& text);
  void SetWriteFileText(int slot, const std::string& text);
  void SetDiffFileText(const std::string& text);
  void SetFileExtText(int index, const std::string& text);
  void SetOptionValue(int value);
  void SetFileDelValue(int value);

  // Handlers.
  void txtFileExt_Change(int index);
  void txtReadFile_Change(int slot);
  void txtWriteFile_Change(int slot);
  void txtDiffFile_Change();
  void chkOption_Click();
  void chkFileDel_Click();
  void mOption_Click();
  void mFileDel_Click();
  void mSortKey_Click(int index);
  void mInfoDel_Click(int index);

  /// The sort run of `slot`; the result field is blue while it runs.
  Status cmdSort_Click(int slot);
  /// The comparison run of both slots.
  DiffOutcome cmdDiff_Click();

  /// The sort options as the controls hold them now.
  SortOptions CurrentSortOptions() const;

 private:
  void WriteKey(const std::string& key, const std::string& value);
  void RepaintNow(const TextBox& box);
};

/// A stored check value: the number the text begins with, rounded to the
/// nearest integer (halves to even); anything but 0, 1 or 2 counts as 0.
int CheckValueFromSetting(const std::string& text);

}  // namespace tess
