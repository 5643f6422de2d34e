// A path field of the window: a line edit that takes files dropped onto it.
#pragma once

#include <QLineEdit>
#include <QString>

class QMimeData;

namespace tess {

class PathField : public QLineEdit {
  Q_OBJECT

 public:
  explicit PathField(QWidget* parent = nullptr);

  /// The first local file that the dropped data names; empty when it names
  /// none (dragged text, a web address).
  static QString FirstDroppedFile(const QMimeData* data);

 signals:
  /// A drop that carried at least one file; `path` is the first of them.
  void fileDropped(const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace tess
