// The form builder: a page declares its controls one typed line each, in the order they appear.
// Every control gets its system name as objectName; captions sit in a label column beside it.
// Groups (and outer groups around groups), tabs (each with its own status bars) and columns hold
// the lines declared between their begin and end; hidden controls hold values for the page's rules
// and are never shown.
#pragma once

#include "ReportListView.h"

#include <vector>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QVBoxLayout;
class QWidget;
class VtRadioGroup;

/// One declared control, in declaration order: what the control-inventory test compares.
struct PageControl
{
    QString name;
    QString kind;    ///< "Edit", "ReadOnly", "Combo", "List", "HiddenEdit", …
    QString caption; ///< its label, title or text; a list's column captions joined by "|"
    int limit = 0;   ///< an edit's typing limit, 0 for none
};

class PageForm
{
public:
    PageForm(QWidget *page, QVBoxLayout *body, QHBoxLayout *buttons);

    /// An edit with its caption; `maxLength` limits typing only (a longer device value is shown
    /// and written back whole). Like every designed field, it starts out showing its own name
    /// until something fills it.
    QLineEdit *addEdit(const char *name, const QString &caption, int maxLength = 0,
        const char *labelName = nullptr);
    /// A read-only field; `borderless` for counters shown as plain text.
    QLineEdit *addReadOnly(const char *name, const QString &caption, bool borderless = false,
        const char *labelName = nullptr);
    /// A static text beside its caption.
    QLabel *addText(const char *name, const QString &caption, const char *labelName = nullptr);
    /// A line of text across the form.
    QLabel *addLine(const char *name, const QString &text);
    QComboBox *addCombo(const char *name, const QString &caption, const char *labelName = nullptr);
    QCheckBox *addCheck(const char *name, const QString &text);
    /// A radio button of its own; the radio buttons of one group (or of the body) exclude each
    /// other, and none is checked until something checks one.
    QRadioButton *addRadioButton(const char *name, const QString &text);
    QLabel *addPicture(const char *name, const QPixmap &picture);
    /// A radio group titled `caption` with its items (a bound option list replaces them).
    VtRadioGroup *addRadioGroup(
        const char *name, const QString &caption, const QStringList &items = {});
    /// A report list view across the form; columns: caption and width (-1 fitted, 0 hidden).
    ReportListView *addListView(
        const char *name, const QList<ReportListView::Column> &columns, bool rowCheckBoxes = false);
    /// A status bar at this place of the current tab (a tab may have two).
    QStatusBar *addStatusBar(const char *name);

    /// Controls that hold values for the page's rules but are never shown.
    QComboBox *addHiddenCombo(const char *name);
    QLineEdit *addHiddenEdit(const char *name);
    QLabel *addHiddenLabel(const char *name);
    QCheckBox *addHiddenCheck(const char *name);
    VtRadioGroup *addHiddenRadioGroup(const char *name, const QStringList &items = {});
    /// A list view no one sees, holding a table a visible list is built from.
    ReportListView *addHiddenList(
        const char *name, const QList<ReportListView::Column> &columns = {});

    /// Controls added until endGroup() go into this group box.
    QGroupBox *beginGroup(const char *name, const QString &title);
    void endGroup();

    /// A group box around groups: the groups and lines declared until endOuterGroup() go into it.
    QGroupBox *beginOuterGroup(const char *name, const QString &title);
    void endOuterGroup();

    /// Tabs: beginTabs, then for each tab beginTab … endTab, then endTabs.
    QTabWidget *beginTabs(const char *name);
    QWidget *beginTab(const char *name, const QString &caption);
    void endTab();
    void endTabs();

    /// Columns side by side: beginColumns, the first column's lines, nextColumn, …, endColumns.
    void beginColumns();
    void nextColumn();
    void endColumns();

    /// A button in the row at the bottom of the page, in the order added.
    QPushButton *addButton(const char *name, const QString &text);
    /// A button on a line of its own inside the current group (or body).
    QPushButton *addGroupButton(const char *name, const QString &text);
    /// A button beside the field declared last.
    QPushButton *addFieldButton(const char *name, const QString &text);

    /// Shows or hides a field together with its caption.
    void setRowVisible(QWidget *field, bool visible);

    /// Every control declared, in declaration order.
    const std::vector<PageControl> &inventory() const { return m_inventory; }

private:
    QFormLayout *rows();

    QVBoxLayout *body() const { return m_bodies.back(); }

    QWidget *hiddenParent();
    void addRow(QWidget *field, QLabel *label);
    void note(QWidget *control, const char *kind, const QString &caption, int limit = 0);

    QWidget *m_page;
    QHBoxLayout *m_buttons;
    std::vector<QVBoxLayout *> m_bodies; // where lines go now: the page body, a tab, a column
    QFormLayout *m_rows = nullptr;
    QGroupBox *m_group = nullptr;
    QWidget *m_hidden = nullptr;
    QTabWidget *m_tabs = nullptr;
    QHBoxLayout *m_columns = nullptr;
    QWidget *m_lastField = nullptr;
    QHash<QWidget *, QFormLayout *> m_rowLayouts; // field -> the form layout holding its row
    QHash<QWidget *, QWidget *> m_rowWidgets;     // field -> what its row holds (field and button)
    std::vector<PageControl> m_inventory;
};
