// Construction, layout and mirroring of the main window; its command
// handlers are in frm_tessaline_commands.cpp.
#include "ui/frm_tessaline.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/app_icon.h"
#include "ui/control_table.h"
#include "ui/field_mirror.h"
#include "ui/help_texts.h"
#include "ui/menu_bar_builder.h"
#include "ui/path_field.h"
#include "ui/window_fonts.h"

namespace tess {

namespace {
template <typename T>
T* Find(const QWidget* parent, const char* name, int index = kNoIndex) {
  return parent->findChild<T*>(QString::fromStdString(ControlName(name, index)));
}
}  // namespace

frmTessaline::frmTessaline(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setWindowIcon(AppIcon());
  setFont(WindowFont());
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  setCentralWidget(client_);
  CreateControls();
  CreateMenus();
  ConnectControls();
  ConnectTyping();
  ConnectMenus();
  const TwipScale scale = Scale();
  client_->setMinimumSize(scale.ToPixels(kDesignClientWidth), scale.ToPixels(kDesignClientHeight));
  client_->installEventFilter(this);
  resize(minimumSizeHint());
  state_.Refresh = [this](const TextBox& box) { RepaintField(box); };
  Mirror();
}

void frmTessaline::Form_Load(const std::string& settingsPath) {
  state_.Form_Load(settingsPath);
  Mirror();
}

void frmTessaline::CreateControls() {
  for (const ControlDesign& design : ControlTable()) {
    placed_.emplace_back(&design, CreateControl(design));
  }
  UpperDelim = Find<QFrame>(client_, "UpperDelim");
  lblDiffFile = Find<QLabel>(client_, "lblDiffFile");
  txtDiffFile = Find<PathField>(client_, "txtDiffFile");
  chkOption = Find<QCheckBox>(client_, "chkOption");
  chkFileDel = Find<QCheckBox>(client_, "chkFileDel");
  cmdDiff = Find<QPushButton>(client_, "cmdDiff");
  cmdBrowseDiff = Find<QPushButton>(client_, "cmdBrowseDiff");
  for (int s = 1; s <= 2; ++s) {
    lblReadFile[s] = Find<QLabel>(client_, "lblReadFile", s);
    lblWriteFile[s] = Find<QLabel>(client_, "lblWriteFile", s);
    txtReadFile[s] = Find<PathField>(client_, "txtReadFile", s);
    txtWriteFile[s] = Find<PathField>(client_, "txtWriteFile", s);
    cmdSort[s] = Find<QPushButton>(client_, "cmdSort", s);
    cmdBrowseRead[s] = Find<QPushButton>(client_, "cmdBrowseRead", s);
    cmdBrowseWrite[s] = Find<QPushButton>(client_, "cmdBrowseWrite", s);
  }
  for (int i = 1; i <= 3; ++i) {
    lblFileExt[i] = Find<QLabel>(client_, "lblFileExt", i);
    txtFileExt[i] = Find<QLineEdit>(client_, "txtFileExt", i);
  }
  SetTabOrder();
}

QWidget* frmTessaline::CreateControl(const ControlDesign& design) {
  const QString text = QString::fromUtf8(design.text);
  QWidget* widget = nullptr;
  switch (design.kind) {
    case ControlKind::Line: {
      auto* line = new QFrame(client_);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      widget = line;
      break;
    }
    case ControlKind::Label:
      widget = new QLabel(text, client_);
      break;
    case ControlKind::PathField:
      widget = new PathField(client_);
      widget->setFont(PathFieldFont());
      break;
    case ControlKind::ExtField:
      widget = new QLineEdit(client_);
      widget->setAcceptDrops(false);
      break;
    case ControlKind::Button:
      widget = new QPushButton(text, client_);
      break;
    case ControlKind::CheckBox:
      widget = new QCheckBox(text, client_);
      break;
  }
  widget->setObjectName(QString::fromStdString(ControlName(design.name, design.index)));
  return widget;
}

// Focus follows the tab index; labels and the line take no focus.
void frmTessaline::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const auto& [design, widget] : placed_) {
    if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

void frmTessaline::CreateMenus() {
  BuildMenuBar(menuBar());
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setFont(WindowFont());
  mOption = Item("mOption", kNoIndex);
  mOptConfig = Item("mOptConfig", kNoIndex);
  mFileDel = Item("mFileDel", kNoIndex);
  mFileDiff = Item("mFileDiff", kNoIndex);
  for (int s = 1; s <= 2; ++s) mFileSort[s] = Item("mFileSort", s);
  for (int k = 0; k < 6; ++k) mSortKey[k] = Item("mSortKey", k);
  for (int k = 0; k < 7; ++k) mInfoDel[k] = Item("mInfoDel", k);
}

QAction* frmTessaline::Item(const char* name, int index) const {
  return findChild<QAction*>(QString::fromStdString(ControlName(name, index)));
}

TwipScale frmTessaline::Scale() const { return TwipScale(logicalDpiX()); }

bool frmTessaline::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) Form_Resize();
  return QMainWindow::eventFilter(watched, event);
}

// The minimum size keeps the client area at least at its design size; each
// control is placed afresh from its design values and the current width.
void frmTessaline::Form_Resize() {
  const TwipScale scale = Scale();
  const int clientWidth = scale.ToTwips(client_->width());
  for (const auto& [design, widget] : placed_) {
    const TwipRect r = PlaceControl(*design, clientWidth);
    widget->setGeometry(scale.ToPixels(r.left), scale.ToPixels(r.top), scale.ToPixels(r.width),
                        scale.ToPixels(r.height));
  }
}

void frmTessaline::Mirror() {
  for (int s = 1; s <= 2; ++s) {
    MirrorTextBox(state_.txtReadFile[s], txtReadFile[s]);
    MirrorTextBox(state_.txtWriteFile[s], txtWriteFile[s]);
    cmdSort[s]->setEnabled(state_.cmdSort[s].Enabled);
    MirrorMenuItem(state_.mFileSort[s], mFileSort[s]);
  }
  MirrorTextBox(state_.txtDiffFile, txtDiffFile);
  for (int i = 1; i <= 3; ++i) MirrorTextBox(state_.txtFileExt[i], txtFileExt[i]);
  cmdDiff->setEnabled(state_.cmdDiff.Enabled);
  MirrorMenuItem(state_.mFileDiff, mFileDiff);
  MirrorCheckBox(state_.chkOption, chkOption);
  MirrorCheckBox(state_.chkFileDel, chkFileDel);
  MirrorMenuItem(state_.mOption, mOption);
  MirrorMenuItem(state_.mOptConfig, mOptConfig);
  MirrorMenuItem(state_.mFileDel, mFileDel);
  for (int k = 0; k < 6; ++k) MirrorMenuItem(state_.mSortKey[k], mSortKey[k]);
  for (int k = 0; k < 7; ++k) MirrorMenuItem(state_.mInfoDel[k], mInfoDel[k]);
}

void frmTessaline::RepaintField(const TextBox& box) {
  QLineEdit* field = nullptr;
  for (int s = 1; s <= 2; ++s) {
    if (&box == &state_.txtReadFile[s]) field = txtReadFile[s];
    if (&box == &state_.txtWriteFile[s]) field = txtWriteFile[s];
  }
  if (&box == &state_.txtDiffFile) field = txtDiffFile;
  if (field == nullptr) return;
  MirrorTextBox(box, field);
  field->repaint();
}

}  // namespace tess
