// The one place that decides what kind of control a widget is.
#include "ControlKind.h"

#include "VtRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTreeWidget>

ControlKind controlKindOf(const QObject *control)
{
    if (!control) {
        return ControlKind::None;
    }
    if (qobject_cast<const QLineEdit *>(control)) {
        return ControlKind::Edit;
    }
    if (qobject_cast<const QLabel *>(control)) {
        return qobject_cast<const QStatusBar *>(control->parent()) ? ControlKind::StatusPanel
                                                                   : ControlKind::Label;
    }
    if (qobject_cast<const QCheckBox *>(control)) {
        return ControlKind::CheckBox;
    }
    if (qobject_cast<const QComboBox *>(control)) {
        return ControlKind::Combo;
    }
    if (qobject_cast<const VtRadioGroup *>(control)) {
        return ControlKind::RadioGroup;
    }
    if (qobject_cast<const QTreeWidget *>(control)) {
        return ControlKind::ListView;
    }
    if (qobject_cast<const QStatusBar *>(control)) {
        return ControlKind::StatusBar;
    }
    if (qobject_cast<const QPlainTextEdit *>(control)) {
        return ControlKind::Memo;
    }
    return ControlKind::None;
}

bool isMessageTarget(ControlKind kind)
{
    return kind == ControlKind::StatusBar || kind == ControlKind::StatusPanel
        || kind == ControlKind::Memo;
}

void writeMessageLine(QObject *target, const QString &line)
{
    switch (controlKindOf(target)) {
    case ControlKind::StatusBar:
        static_cast<QStatusBar *>(target)->showMessage(line);
        break;
    case ControlKind::StatusPanel:
        static_cast<QLabel *>(target)->setText(line);
        break;
    case ControlKind::Memo:
        static_cast<QPlainTextEdit *>(target)->appendPlainText(line);
        break;
    default:
        break;
    }
}

QString messageLineOf(const QObject *target)
{
    switch (controlKindOf(target)) {
    case ControlKind::StatusBar:
        return static_cast<const QStatusBar *>(target)->currentMessage();
    case ControlKind::StatusPanel:
        return static_cast<const QLabel *>(target)->text();
    case ControlKind::Memo: {
        const QString all = static_cast<const QPlainTextEdit *>(target)->toPlainText();
        return all.section(QLatin1Char('\n'), -1);
    }
    default:
        return {};
    }
}

void setUpReportView(QWidget *listView)
{
    auto *tree = qobject_cast<QTreeWidget *>(listView);
    if (!tree) {
        return;
    }
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setAllColumnsShowFocus(true);
    // Grid lines between the cells, and the selection kept visible when the focus is elsewhere.
    tree->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid palette(mid); "
                                       "border-bottom: 1px solid palette(mid); }"));
    QPalette pal = tree->palette();
    pal.setColor(
        QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
        pal.color(QPalette::Active, QPalette::HighlightedText));
    tree->setPalette(pal);
    tree->header()->setStretchLastSection(false);
}
