// The one place that decides what kind of control a widget is, and the few operations every kind
// shares (text of edits and labels, result lines of message targets).
#pragma once

#include <QString>

class QObject;
class QWidget;

enum class ControlKind {
    None,        ///< not a control the binding supports
    Edit,        ///< QLineEdit
    Label,       ///< QLabel outside a status bar (static text)
    CheckBox,    ///< QCheckBox
    Combo,       ///< QComboBox, always a drop-down list
    RadioGroup,  ///< VtRadioGroup
    ListView,    ///< QTreeWidget used as a report list view
    StatusBar,   ///< QStatusBar: its simple text
    StatusPanel, ///< QLabel inside a status bar
    Memo,        ///< QPlainTextEdit: one line per message
};

ControlKind controlKindOf(const QObject *control);

/// True for the kinds that can receive result lines.
bool isMessageTarget(ControlKind kind);

/// Writes one result line: the simple text of a status bar, the text of a status panel, or a new
/// line at the end of a memo. Other kinds are left alone.
void writeMessageLine(QObject *target, const QString &line);

/// The current result line of a target (the last line of a memo); empty for other kinds.
QString messageLineOf(const QObject *target);

/// Sets a list view up as a report: read-only, whole-row selection shown without focus, grid lines.
void setUpReportView(QWidget *listView);
