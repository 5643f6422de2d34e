// The edge between the window model and the Qt widgets: texts, colours,
// check values and menu ticks copied from the model to a widget.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

#include "app/window_model.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPalette;

namespace tess {

/// A model's text (file names as the system gives their bytes) for a widget.
QString FromState(const std::string& text);
/// A widget's text as the model holds it.
std::string ToState(const QString& text);

/// The colour of a blue-green-red value; kWindowTextColor stands for the
/// text colour of `system`.
QColor ForeColorToQColor(uint32_t bgr, const QPalette& system);

/// Shows the path in the field: its text, when it differs (so the cursor of
/// a field being typed in stays put), and its text colour.
void MirrorPath(const ColouredPath& path, QLineEdit* field);
/// Shows `text` in the field when it differs.
void MirrorText(const std::string& text, QLineEdit* field);
/// Ticked for 1, unticked for 0, greyed for 2 (only from a hand-edited
/// settings file).
void MirrorCheckBox(int value, QCheckBox* widget);
void MirrorMenuItem(bool checked, bool enabled, QAction* action);

}  // namespace tess
