#include "app/form_state.h"

#include <cmath>
#include <cstdlib>

#include "app/output_names.h"
#include "app/settings_file.h"
#include "io/paths.h"
#include "sorter/sort_run.h"

namespace tess {

namespace {
constexpr const char* kSection = "Tessaline";

// The extension keys and the defaults a first start gives them.
struct ExtensionKey {
  const char* key;
  const char* fallback;
};
constexpr ExtensionKey kExtensionKeys[4] = {
    {"", ""}, {"SortExt1", ".srt"}, {"SortExt2", ".srt"}, {"DiffExt", ".dif"}};

// The number a text begins with (spaces, sign, digits, fraction, exponent).
double LeadingNumber(const std::string& text) {
  size_t p = text.find_first_not_of(" \t");
  if (p == std::string::npos) return 0;
  const size_t start = p;
  auto digits = [&] {
    const size_t from = p;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') ++p;
    return p > from;
  };
  if (text[p] == '+' || text[p] == '-') ++p;
  bool any = digits();
  if (p < text.size() && text[p] == '.') {
    ++p;
    any = digits() || any;
  }
  if (!any) return 0;
  size_t end = p;
  if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    ++p;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
    if (digits()) end = p;
  }
  return std::strtod(text.substr(start, end - start).c_str(), nullptr);
}
}  // namespace

int CheckValueFromSetting(const std::string& text) {
  const double rounded = std::nearbyint(LeadingNumber(text));
  return (rounded == 0 || rounded == 1 || rounded == 2) ? static_cast<int>(rounded) : 0;
}

FormState::FormState() {
  mOption.Checked = true;
  mFileDel.Checked = true;
  mSortKey[0].Checked = true;
  mInfoDel[0].Checked = true;
}

void FormState::Form_Load(const std::string& settingsPath) {
  SettingsPath = settingsPath;
  for (int index = 1; index <= 3; ++index) {
    const ExtensionKey& k = kExtensionKeys[index];
    SetFileExtText(index, ReadSettingIfPresent(SettingsPath, kSection, k.key).value_or(k.fallback));
  }
  SetOptionValue(CheckValueFromSetting(ReadSetting(SettingsPath, kSection, "EnableOpt")));
  mOption.Checked = chkOption.Value == 1;
  mOptConfig.Enabled = mOption.Checked;
  SetFileDelValue(CheckValueFromSetting(ReadSetting(SettingsPath, kSection, "StoreSort")));
  mFileDel.Checked = chkFileDel.Value == 1;
  Sort = SortState();
  txtReadFile_Change(1);
  txtReadFile_Change(2);
}

void FormState::SetReadFileText(int slot, const std::string& text) {
  if (txtReadFile[slot].Text == text) return;
  txtReadFile[slot].Text = text;
  txtReadFile_Change(slot);
}

void FormState::SetWriteFileText(int slot, const std::string& text) {
  if (txtWriteFile[slot].Text == text) return;
  txtWriteFile[slot].Text = text;
  txtWriteFile_Change(slot);
}

void FormState::SetDiffFileText(const std::string& text) {
  if (txtDiffFile.Text == text) return;
  txtDiffFile.Text = text;
  txtDiffFile_Change();
}

void FormState::SetFileExtText(int index, const std::string& text) {
  if (txtFileExt[index].Text == text) return;
  txtFileExt[index].Text = text;
  txtFileExt_Change(index);
}

void FormState::SetOptionValue(int value) {
  if (chkOption.Value == value) return;
  chkOption.Value = value;
  chkOption_Click();
}

void FormState::SetFileDelValue(int value) {
  if (chkFileDel.Value == value) return;
  chkFileDel.Value = value;
  chkFileDel_Click();
}

void FormState::txtFileExt_Change(int index) {
  if (index == 1 || index == 2) {
    SortExtension[index] = NormalizeExtension(txtFileExt[index].Text);
    txtReadFile_Change(index);
    WriteKey("SortExt" + std::to_string(index), SortExtension[index]);
  } else if (index == 3) {
    DiffExtension = NormalizeExtension(txtFileExt[3].Text);
    txtReadFile_Change(2);
    WriteKey("DiffExt", DiffExtension);
  }
}

void FormState::txtReadFile_Change(int slot) {
  const std::string& path = txtReadFile[slot].Text;
  cmdSort[slot].Enabled = FileExists(path);
  cmdDiff.Enabled = cmdSort[1].Enabled && cmdSort[2].Enabled;
  mFileSort[slot].Enabled = cmdSort[slot].Enabled;
  mFileDiff.Enabled = cmdDiff.Enabled;
  const std::string base = BaseName(path);
  txtReadFile[slot].Tag = base + ".(" + std::to_string(slot) + ")";
  SetWriteFileText(slot, base + SortExtension[slot]);
  if (slot == 2) SetDiffFileText(base + DiffExtension);
}

void FormState::txtWriteFile_Change(int slot) {
  txtWriteFile[slot].ForeColor = FileExists(txtWriteFile[slot].Text) ? kRed : kWindowTextColor;
}

void FormState::txtDiffFile_Change() {
  txtDiffFile.ForeColor = FileExists(txtDiffFile.Text) ? kRed : kWindowTextColor;
}

void FormState::chkOption_Click() {
  mOption.Checked = chkOption.Value == 1;
  mOptConfig.Enabled = mOption.Checked;
  WriteKey("EnableOpt", std::to_string(chkOption.Value));
}

void FormState::chkFileDel_Click() {
  mFileDel.Checked = chkFileDel.Value == 1;
  WriteKey("StoreSort", std::to_string(chkFileDel.Value));
}

// A value of 2 (only from a hand-edited file) flips like 0.
void FormState::mOption_Click() { SetOptionValue(chkOption.Value == 1 ? 0 : 1); }
void FormState::mFileDel_Click() { SetFileDelValue(chkFileDel.Value == 1 ? 0 : 1); }

void FormState::mSortKey_Click(int index) {
  for (MenuItem& item : mSortKey) item.Checked = false;
  mSortKey[index].Checked = true;
}

void FormState::mInfoDel_Click(int index) {
  if (index == 0 || index == 5 || index == 6) {
    for (MenuItem& item : mInfoDel) item.Checked = false;
    mInfoDel[index].Checked = true;
    return;
  }
  mInfoDel[0].Checked = mInfoDel[5].Checked = mInfoDel[6].Checked = false;
  mInfoDel[index].Checked = !mInfoDel[index].Checked;
  bool any = false;
  for (int k = 1; k <= 4; ++k) any = any || mInfoDel[k].Checked;
  if (!any) mInfoDel[0].Checked = true;
}

SortOptions FormState::CurrentSortOptions() const {
  SortOptions options;
  options.InForce = chkOption.Value == 1;
  options.Order = 0;
  if (options.InForce) {
    for (int k = 5; k >= 1; --k) {
      if (mSortKey[k].Checked) {
        options.Order = k;
        break;
      }
    }
  }
  for (int k = 0; k < 7; ++k) options.Filter[k] = mInfoDel[k].Checked;
  return options;
}

Status FormState::cmdSort_Click(int slot) {
  SortPaths paths{txtReadFile[slot].Text, txtReadFile[slot].Tag, txtWriteFile[slot].Text};
  txtWriteFile[slot].ForeColor = kBlue;
  RepaintNow(txtWriteFile[slot]);
  // The other slot's log is an input of the window too: never sort over it.
  Status st = SameFile(paths.WriteFilePath, txtReadFile[3 - slot].Text)
                  ? Status::Fail(paths.WriteFilePath, "the sort result would overwrite the other input log")
                  : RunSort(Sort, slot, paths, CurrentSortOptions());
  txtWriteFile_Change(slot);
  RepaintNow(txtWriteFile[slot]);
  return st;
}

void FormState::WriteKey(const std::string& key, const std::string& value) {
  if (PersistSettings) WriteSetting(SettingsPath, kSection, key, value);
}

void FormState::RepaintNow(const TextBox& box) {
  if (Refresh) Refresh(box);
}

}  // namespace tess
