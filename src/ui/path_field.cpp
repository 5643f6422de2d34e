#include "ui/path_field.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace tess {

PathField::PathField(QWidget* parent) : QLineEdit(parent) { setAcceptDrops(true); }

QString PathField::FirstDroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

// Only drops that carry a file are taken; text is never inserted by a drop.
void PathField::dragEnterEvent(QDragEnterEvent* event) {
  if (FirstDroppedFile(event->mimeData()).isEmpty()) {
    event->ignore();
  } else {
    event->acceptProposedAction();
  }
}

void PathField::dragMoveEvent(QDragMoveEvent* event) {
  if (FirstDroppedFile(event->mimeData()).isEmpty()) {
    event->ignore();
  } else {
    event->acceptProposedAction();
  }
}

void PathField::dropEvent(QDropEvent* event) {
  const QString file = FirstDroppedFile(event->mimeData());
  if (file.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit fileDropped(file);
}

}  // namespace tess
