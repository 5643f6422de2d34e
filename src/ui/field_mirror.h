// The edge between the plain-record window state and the Qt widgets: texts,
// colours, check values and menu ticks copied from a record to its widget.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

#include "app/form_state.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPalette;

namespace tess {

/// A state text (file names as the system gives their bytes) for a widget.
QString FromState(const std::string& text);
/// A widget's text as the state holds it.
std::string ToState(const QString& text);

/// The colour of a blue-green-red value; kWindowTextColor stands for the
/// text colour of `system`.
QColor ForeColorToQColor(uint32_t bgr, const QPalette& system);

/// Shows the record in the field: its text, when it differs (so the cursor
/// of a field being typed in stays put), and its text colour.
void MirrorTextBox(const TextBox& box, QLineEdit* field);
/// Ticked for 1, unticked for 0, greyed for 2 (only from a hand-edited
/// settings file).
void MirrorCheckBox(const CheckBox& box, QCheckBox* widget);
void MirrorMenuItem(const MenuItem& item, QAction* action);

}  // namespace tess
