// Construction, layout and showing of the main window; its commands are in
// main_window_commands.cpp.
#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

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

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
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
  progressTimer_ = new QTimer(this);
  progressTimer_->setInterval(250);
  connect(progressTimer_, &QTimer::timeout, this, [this] { ShowProgress(); });
  resize(minimumSizeHint());
  ShowModel();
}

void MainWindow::Load(const std::optional<std::string>& settingsPath) {
  model_ = WindowModel(SettingsStore(settingsPath));
  model_.Load();
  ShowModel();
}

void MainWindow::CreateControls() {
  for (const ControlDesign& design : ControlTable()) {
    placed_.emplace_back(&design, CreateControl(design));
  }
  reportField_ = Find<PathField>(client_, "txtDiffFile");
  optionsBox_ = Find<QCheckBox>(client_, "chkOption");
  keepResultsBox_ = Find<QCheckBox>(client_, "chkFileDel");
  compareButton_ = Find<QPushButton>(client_, "cmdDiff");
  browseReportButton_ = Find<QPushButton>(client_, "cmdBrowseDiff");
  for (int s = 1; s <= 2; ++s) {
    inputField_[s] = Find<PathField>(client_, "txtReadFile", s);
    resultField_[s] = Find<PathField>(client_, "txtWriteFile", s);
    sortButton_[s] = Find<QPushButton>(client_, "cmdSort", s);
    browseInputButton_[s] = Find<QPushButton>(client_, "cmdBrowseRead", s);
    browseResultButton_[s] = Find<QPushButton>(client_, "cmdBrowseWrite", s);
  }
  for (int i = 1; i <= 3; ++i) extensionField_[i] = Find<QLineEdit>(client_, "txtFileExt", i);
  SetTabOrder();
}

QWidget* MainWindow::CreateControl(const ControlDesign& design) {
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
void MainWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const auto& [design, widget] : placed_) {
    if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

void MainWindow::CreateMenus() {
  BuildMenuBar(menuBar());
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setFont(WindowFont());
  optionsItem_ = Item("mOption", kNoIndex);
  optionSubmenuItem_ = Item("mOptConfig", kNoIndex);
  keepResultsItem_ = Item("mFileDel", kNoIndex);
  compareItem_ = Item("mFileDiff", kNoIndex);
  viewReportItem_ = Item("mViewReport", kNoIndex);
  // The report may have come or gone since the window last looked.
  connect(Item("mRun", kNoIndex)->menu(), &QMenu::aboutToShow, this,
          [this] { viewReportItem_->setEnabled(model_.CanViewReport()); });
  for (int s = 1; s <= 2; ++s) sortItem_[s] = Item("mFileSort", s);
  for (int k = 0; k < kSortOrderCount; ++k) sortOrderItem_[k] = Item("mSortKey", k);
  for (int k = 0; k < kFilterItemCount; ++k) filterItem_[k] = Item("mInfoDel", k);
}

QAction* MainWindow::Item(const char* name, int index) const {
  return findChild<QAction*>(QString::fromStdString(ControlName(name, index)));
}

TwipScale MainWindow::Scale() const { return TwipScale(logicalDpiX()); }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) LayOut();
  return QMainWindow::eventFilter(watched, event);
}

// The minimum size keeps the client area at least at its design size; each
// control is placed afresh from its design values and the current width.
void MainWindow::LayOut() {
  const TwipScale scale = Scale();
  const int clientWidth = scale.ToTwips(client_->width());
  for (const auto& [design, widget] : placed_) {
    const TwipRect r = PlaceControl(*design, clientWidth);
    widget->setGeometry(scale.ToPixels(r.left), scale.ToPixels(r.top), scale.ToPixels(r.width),
                        scale.ToPixels(r.height));
  }
}

void MainWindow::ShowModel() {
  for (int s = 1; s <= 2; ++s) {
    MirrorPath(model_.Input(s), inputField_[s]);
    MirrorPath(model_.Result(s), resultField_[s]);
    sortButton_[s]->setEnabled(model_.CanSort(s) && !running_);
    MirrorMenuItem(false, model_.CanSort(s) && !running_, sortItem_[s]);
  }
  MirrorPath(model_.Report(), reportField_);
  for (int i = 1; i <= 3; ++i) MirrorText(model_.ExtensionText(i), extensionField_[i]);
  compareButton_->setEnabled(model_.CanCompare() && !running_);
  MirrorMenuItem(false, model_.CanCompare() && !running_, compareItem_);
  MirrorMenuItem(false, model_.CanViewReport(), viewReportItem_);
  MirrorCheckBox(model_.OptionsInForce(), optionsBox_);
  MirrorCheckBox(model_.KeepSortResults(), keepResultsBox_);
  MirrorMenuItem(model_.OptionsInForce() == 1, true, optionsItem_);
  MirrorMenuItem(false, model_.OptionsChoosable(), optionSubmenuItem_);
  MirrorMenuItem(model_.KeepSortResults() == 1, true, keepResultsItem_);
  for (int k = 0; k < kSortOrderCount; ++k) {
    MirrorMenuItem(model_.Order() == static_cast<SortOrder>(k), true, sortOrderItem_[k]);
  }
  for (int k = 0; k < kFilterItemCount; ++k) {
    MirrorMenuItem(model_.Filter().Has(static_cast<FilterItem>(k)), true, filterItem_[k]);
  }
  ShowCaption();
}

void MainWindow::ShowCaption() {
  setWindowTitle(QString::fromUtf8(kWindowCaption) + QString::fromStdString(model_.CaptionSuffix()));
}

void MainWindow::RepaintNow(QLineEdit* field, const ColouredPath& path) {
  MirrorPath(path, field);
  field->repaint();
}

}  // namespace tess
