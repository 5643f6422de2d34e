// The main window's event wiring and command handlers: each forwards to the
// state's handler and then mirrors the state into the widgets.
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "ui/control_table.h"
#include "ui/field_mirror.h"
#include "ui/frm_tessaline.h"
#include "ui/help_texts.h"
#include "ui/path_field.h"
#include "ui/window_fonts.h"

#ifndef TESSALINE_VERSION_MAJOR
#error "the build gives the program's version"
#endif

namespace tess {

void frmTessaline::ConnectControls() {
  for (int s = 1; s <= 2; ++s) {
    connect(cmdSort[s], &QPushButton::clicked, this, [this, s] { cmdSort_Click(s); });
    connect(cmdBrowseRead[s], &QPushButton::clicked, this, [this, s] { cmdBrowseRead_Click(s); });
    connect(cmdBrowseWrite[s], &QPushButton::clicked, this, [this, s] { cmdBrowseWrite_Click(s); });
    connect(txtReadFile[s], &PathField::fileDropped, this,
            [this, s](const QString& file) { txtReadFile_OLEDragDrop(s, file); });
    connect(txtWriteFile[s], &PathField::fileDropped, this,
            [this, s](const QString& file) { txtWriteFile_OLEDragDrop(s, file); });
  }
  connect(cmdDiff, &QPushButton::clicked, this, [this] { cmdDiff_Click(); });
  connect(cmdBrowseDiff, &QPushButton::clicked, this, [this] { cmdBrowseDiff_Click(); });
  connect(txtDiffFile, &PathField::fileDropped, this,
          [this](const QString& file) { txtDiffFile_OLEDragDrop(file); });
  connect(chkOption, &QCheckBox::clicked, this, [this] { chkOption_Click(); });
  connect(chkFileDel, &QCheckBox::clicked, this, [this] { chkFileDel_Click(); });
}

// Every keystroke, paste or cut in a field runs its change handler.
void frmTessaline::ConnectTyping() {
  for (int s = 1; s <= 2; ++s) {
    connect(txtReadFile[s], &QLineEdit::textEdited, this, [this, s](const QString& text) {
      state_.SetReadFileText(s, ToState(text));
      Mirror();
    });
    connect(txtWriteFile[s], &QLineEdit::textEdited, this, [this, s](const QString& text) {
      state_.SetWriteFileText(s, ToState(text));
      Mirror();
    });
  }
  connect(txtDiffFile, &QLineEdit::textEdited, this, [this](const QString& text) {
    state_.SetDiffFileText(ToState(text));
    Mirror();
  });
  for (int i = 1; i <= 3; ++i) {
    connect(txtFileExt[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
      state_.SetFileExtText(i, ToState(text));
      Mirror();
    });
  }
}

void frmTessaline::ConnectMenus() {
  const auto on = [this](const char* name, int index, auto handler) {
    connect(Item(name, index), &QAction::triggered, this, handler);
  };
  for (int s = 1; s <= 2; ++s) {
    on("mFileOpen", s, [this, s] { mFileOpen_Click(s); });
    on("mFileSort", s, [this, s] { mFileSort_Click(s); });
  }
  on("mEnd", kNoIndex, [this] { mEnd_Click(); });
  on("mFileDiff", kNoIndex, [this] { mFileDiff_Click(); });
  on("mOption", kNoIndex, [this] { mOption_Click(); });
  on("mFileDel", kNoIndex, [this] { mFileDel_Click(); });
  for (int k = 0; k < 6; ++k) on("mSortKey", k, [this, k] { mSortKey_Click(k); });
  for (int k = 0; k < 7; ++k) on("mInfoDel", k, [this, k] { mInfoDel_Click(k); });
  on("mHowTo1", kNoIndex, [this] { mHowTo1_Click(); });
  on("mHowTo2", kNoIndex, [this] { mHowTo2_Click(); });
  on("mHowTo3", kNoIndex, [this] { mHowTo3_Click(); });
  on("mTech1", kNoIndex, [this] { mTech1_Click(); });
  on("mTech2", kNoIndex, [this] { mTech2_Click(); });
  on("mAbout", kNoIndex, [this] { mAbout_Click(); });
}

void frmTessaline::cmdSort_Click(int slot) {
  const Status status = state_.cmdSort_Click(slot);
  Mirror();
  if (!status.ok()) ShowFailure(status);
}

void frmTessaline::cmdDiff_Click() {
  const DiffOutcome outcome = state_.cmdDiff_Click();
  Mirror();
  if (!outcome.status.ok()) ShowFailure(outcome.status);
}

// A cancelled dialog gives no name: the field keeps its text.
void frmTessaline::cmdBrowseRead_Click(int slot) {
  const QString chosen = QFileDialog::getOpenFileName(this, QString(), txtReadFile[slot]->text());
  if (chosen.isEmpty()) return;
  state_.SetReadFileText(slot, ToState(chosen));
  Mirror();
}

void frmTessaline::cmdBrowseWrite_Click(int slot) {
  const QString chosen = QFileDialog::getSaveFileName(this, QString(), txtWriteFile[slot]->text());
  if (chosen.isEmpty()) return;
  state_.SetWriteFileText(slot, ToState(chosen));
  Mirror();
}

void frmTessaline::cmdBrowseDiff_Click() {
  const QString chosen = QFileDialog::getSaveFileName(this, QString(), txtDiffFile->text());
  if (chosen.isEmpty()) return;
  state_.SetDiffFileText(ToState(chosen));
  Mirror();
}

void frmTessaline::mEnd_Click() { close(); }

void frmTessaline::mOption_Click() {
  state_.mOption_Click();
  Mirror();
}

void frmTessaline::mFileDel_Click() {
  state_.mFileDel_Click();
  Mirror();
}

void frmTessaline::mSortKey_Click(int index) {
  state_.mSortKey_Click(index);
  Mirror();
}

void frmTessaline::mInfoDel_Click(int index) {
  state_.mInfoDel_Click(index);
  Mirror();
}

// The box has already changed its own tick; a greyed box (value 2) ticks.
void frmTessaline::chkOption_Click() {
  state_.SetOptionValue(chkOption->checkState() == Qt::Checked ? 1 : 0);
  Mirror();
}

void frmTessaline::chkFileDel_Click() {
  state_.SetFileDelValue(chkFileDel->checkState() == Qt::Checked ? 1 : 0);
  Mirror();
}

void frmTessaline::txtReadFile_OLEDragDrop(int slot, const QString& file) {
  state_.SetReadFileText(slot, ToState(file));
  Mirror();
}

void frmTessaline::txtWriteFile_OLEDragDrop(int slot, const QString& file) {
  txtReadFile_OLEDragDrop(slot, file);
}

void frmTessaline::txtDiffFile_OLEDragDrop(const QString& file) {
  txtReadFile_OLEDragDrop(2, file);
}

void frmTessaline::mHowTo1_Click() { ShowHelp(HowTo1Text()); }
void frmTessaline::mHowTo2_Click() { ShowHelp(HowTo2Text()); }
void frmTessaline::mHowTo3_Click() { ShowHelp(HowTo3Text()); }
void frmTessaline::mTech1_Click() { ShowHelp(Tech1Text()); }
void frmTessaline::mTech2_Click() { ShowHelp(Tech2Text()); }
void frmTessaline::mAbout_Click() {
  ShowHelp(AboutText(TESSALINE_VERSION_MAJOR, TESSALINE_VERSION_MINOR));
}

// A plain box, OK only, no icon; each CR LF of the text is a line break.
void frmTessaline::ShowHelp(const std::string& text) {
  QString shown = QString::fromUtf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kWindowCaption), shown, QMessageBox::Ok,
                  this);
  box.setTextFormat(Qt::PlainText);
  box.setFont(WindowFont());
  box.exec();
}

// A failed run ends only that run: the state has already removed its
// temporary files and restored the options, and the window stays usable.
void frmTessaline::ShowFailure(const Status& status) {
  QString text = QString::fromUtf8("処理を完了できませんでした。\n\n");
  if (status.code() != 0) text += QString::fromUtf8("エラー番号 %1\n").arg(status.code());
  text += FromState(status.Message());
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kWindowCaption), text, QMessageBox::Ok,
                  this);
  box.setTextFormat(Qt::PlainText);
  box.setFont(WindowFont());
  box.exec();
}

}  // namespace tess
