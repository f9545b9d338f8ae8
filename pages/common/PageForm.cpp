// The form builder's control lines.
#include "PageForm.h"

#include "TypingLimit.h"
#include "VtRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 220; // room for a description or an OID without scrolling

QLabel *captionLabel(QWidget *parent, const QString &caption, const char *labelName)
{
    auto *label = new QLabel(caption, parent);
    if (labelName != nullptr) {
        label->setObjectName(QLatin1String(labelName));
    }
    return label;
}

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString columnCaptions(const QList<ReportListView::Column> &columns)
{
    QStringList captions;
    for (const ReportListView::Column &c : columns) {
        captions.append(c.caption);
    }
    return captions.join(QLatin1Char('|'));
}

} // namespace

PageForm::PageForm(QWidget *page, QVBoxLayout *body, QHBoxLayout *buttons)
    : m_page(page), m_buttons(buttons), m_bodies{body}
{ }

QFormLayout *PageForm::rows()
{
    if (m_rows == nullptr) {
        m_rows = new QFormLayout;
        m_rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        if (m_group != nullptr) {
            m_group->setLayout(m_rows);
        } else {
            body()->addLayout(m_rows);
        }
    }
    return m_rows;
}

QWidget *PageForm::hiddenParent()
{
    if (m_hidden == nullptr) {
        m_hidden = new QWidget(m_page);
        m_hidden->setObjectName(QStringLiteral("HiddenControls"));
        m_hidden->hide();
    }
    return m_hidden;
}

void PageForm::addRow(QWidget *field, QLabel *label)
{
    QFormLayout *layout = rows();
    if (label != nullptr) {
        layout->addRow(label, field);
    } else {
        layout->addRow(field);
    }
    m_rowLayouts.insert(field, layout);
    m_lastField = field;
}

void PageForm::note(QWidget *control, const char *kind, const QString &caption, int limit)
{
    m_inventory.push_back({control->objectName(), QLatin1String(kind), caption, limit});
}

QLineEdit *PageForm::addEdit(
    const char *name, const QString &caption, int maxLength, const char *labelName)
{
    auto *edit = named(new QLineEdit(m_page), name);
    edit->setText(QLatin1String(name));
    edit->setMinimumWidth(kFieldWidth);
    if (maxLength > 0) {
        setTypingLimit(edit, maxLength);
    }
    addRow(edit, captionLabel(m_page, caption, labelName));
    note(edit, "Edit", caption, maxLength);
    return edit;
}

QLineEdit *PageForm::addReadOnly(
    const char *name, const QString &caption, bool borderless, const char *labelName)
{
    QLineEdit *edit = addEdit(name, caption, 0, labelName);
    edit->setReadOnly(true);
    edit->setFrame(!borderless);
    m_inventory.back().kind = QStringLiteral("ReadOnly");
    return edit;
}

QLabel *PageForm::addText(const char *name, const QString &caption, const char *labelName)
{
    auto *text = named(new QLabel(QLatin1String(name), m_page), name);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addRow(text, captionLabel(m_page, caption, labelName));
    note(text, "Text", caption);
    return text;
}

QLabel *PageForm::addLine(const char *name, const QString &text)
{
    auto *line = named(new QLabel(text, m_page), name);
    addRow(line, nullptr);
    note(line, "Line", text);
    return line;
}

QComboBox *PageForm::addCombo(const char *name, const QString &caption, const char *labelName)
{
    auto *combo = named(new QComboBox(m_page), name);
    addRow(combo, captionLabel(m_page, caption, labelName));
    note(combo, "Combo", caption);
    return combo;
}

QCheckBox *PageForm::addCheck(const char *name, const QString &text)
{
    auto *check = named(new QCheckBox(text, m_page), name);
    addRow(check, nullptr);
    note(check, "Check", text);
    return check;
}

QRadioButton *PageForm::addRadioButton(const char *name, const QString &text)
{
    auto *radio = named(new QRadioButton(text, m_page), name);
    addRow(radio, nullptr);
    note(radio, "RadioButton", text);
    return radio;
}

QLabel *PageForm::addPicture(const char *name, const QPixmap &picture)
{
    auto *label = named(new QLabel(m_page), name);
    label->setPixmap(picture);
    addRow(label, nullptr);
    note(label, "Picture", QString());
    return label;
}

VtRadioGroup *PageForm::addRadioGroup(
    const char *name, const QString &caption, const QStringList &items)
{
    auto *group = named(new VtRadioGroup(caption, m_page), name);
    group->setItems(items);
    addRow(group, nullptr);
    note(group, "Radio", caption);
    return group;
}

ReportListView *PageForm::addListView(
    const char *name, const QList<ReportListView::Column> &columns, bool rowCheckBoxes)
{
    auto *list = named(new ReportListView(m_page), name);
    list->setColumns(columns);
    list->setRowCheckBoxes(rowCheckBoxes);
    list->setMinimumHeight(120);
    addRow(list, nullptr);
    note(list, "List", columnCaptions(columns));
    return list;
}

QStatusBar *PageForm::addStatusBar(const char *name)
{
    auto *bar = named(new QStatusBar(m_page), name);
    bar->setSizeGripEnabled(false);
    endGroup();
    body()->addWidget(bar);
    note(bar, "StatusBar", QString());
    return bar;
}

QComboBox *PageForm::addHiddenCombo(const char *name)
{
    auto *combo = named(new QComboBox(hiddenParent()), name);
    note(combo, "HiddenCombo", QString());
    return combo;
}

QLineEdit *PageForm::addHiddenEdit(const char *name)
{
    auto *edit = named(new QLineEdit(hiddenParent()), name);
    edit->setText(QLatin1String(name));
    note(edit, "HiddenEdit", QString());
    return edit;
}

QLabel *PageForm::addHiddenLabel(const char *name)
{
    auto *label = named(new QLabel(QLatin1String(name), hiddenParent()), name);
    note(label, "HiddenLabel", QString());
    return label;
}

QCheckBox *PageForm::addHiddenCheck(const char *name)
{
    auto *check = named(new QCheckBox(hiddenParent()), name);
    note(check, "HiddenCheck", QString());
    return check;
}

VtRadioGroup *PageForm::addHiddenRadioGroup(const char *name, const QStringList &items)
{
    auto *group = named(new VtRadioGroup(hiddenParent()), name);
    group->setItems(items);
    note(group, "HiddenRadio", QString());
    return group;
}

ReportListView *PageForm::addHiddenList(
    const char *name, const QList<ReportListView::Column> &columns)
{
    auto *list = named(new ReportListView(hiddenParent()), name);
    if (!columns.isEmpty()) {
        list->setColumns(columns);
    }
    note(list, "HiddenList", columnCaptions(columns));
    return list;
}

QGroupBox *PageForm::beginGroup(const char *name, const QString &title)
{
    endGroup();
    m_group = named(new QGroupBox(title, m_page), name);
    body()->addWidget(m_group);
    note(m_group, "Group", title);
    return m_group;
}

void PageForm::endGroup()
{
    m_group = nullptr;
    m_rows = nullptr;
}

QGroupBox *PageForm::beginOuterGroup(const char *name, const QString &title)
{
    endGroup();
    auto *box = named(new QGroupBox(title, m_page), name);
    body()->addWidget(box);
    m_bodies.push_back(new QVBoxLayout(box));
    note(box, "Group", title);
    return box;
}

void PageForm::endOuterGroup()
{
    endGroup();
    if (m_bodies.size() > 1) {
        m_bodies.pop_back();
    }
}

QTabWidget *PageForm::beginTabs(const char *name)
{
    endGroup();
    m_tabs = named(new QTabWidget(m_page), name);
    body()->addWidget(m_tabs, 1);
    note(m_tabs, "Tabs", QString());
    return m_tabs;
}

QWidget *PageForm::beginTab(const char *name, const QString &caption)
{
    endGroup();
    auto *tab = named(new QWidget, name);
    auto *layout = new QVBoxLayout(tab);
    m_tabs->addTab(tab, caption);
    m_bodies.push_back(layout);
    note(tab, "Tab", caption);
    return tab;
}

void PageForm::endTab()
{
    endGroup();
    if (m_bodies.size() > 1) {
        m_bodies.back()->addStretch(1);
        m_bodies.pop_back();
    }
}

void PageForm::endTabs()
{
    m_tabs = nullptr;
}

void PageForm::beginColumns()
{
    endGroup();
    m_columns = new QHBoxLayout;
    body()->addLayout(m_columns);
    auto *column = new QVBoxLayout;
    m_columns->addLayout(column, 1);
    m_bodies.push_back(column);
}

void PageForm::nextColumn()
{
    endGroup();
    m_bodies.back()->addStretch(1);
    m_bodies.pop_back();
    auto *column = new QVBoxLayout;
    m_columns->addLayout(column, 1);
    m_bodies.push_back(column);
}

void PageForm::endColumns()
{
    endGroup();
    m_bodies.back()->addStretch(1);
    m_bodies.pop_back();
    m_columns = nullptr;
}

QPushButton *PageForm::addButton(const char *name, const QString &text)
{
    auto *button = named(new QPushButton(text, m_page), name);
    button->setAutoDefault(false);
    m_buttons->addWidget(button);
    note(button, "Button", text);
    return button;
}

QPushButton *PageForm::addGroupButton(const char *name, const QString &text)
{
    auto *button = named(new QPushButton(text, m_page), name);
    button->setAutoDefault(false);
    addRow(button, nullptr);
    note(button, "Button", text);
    return button;
}

QPushButton *PageForm::addFieldButton(const char *name, const QString &text)
{
    auto *button = named(new QPushButton(text, m_page), name);
    button->setAutoDefault(false);
    QWidget *field = m_lastField;
    QFormLayout *layout = field != nullptr ? m_rowLayouts.value(field) : nullptr;
    int row = -1;
    QFormLayout::ItemRole role = QFormLayout::FieldRole;
    if (layout != nullptr) {
        layout->getWidgetPosition(m_rowWidgets.value(field, field), &row, &role);
    }
    if (row < 0) {
        addRow(button, nullptr);
    } else {
        // the field and the button share the row's field cell
        QWidget *cell = m_rowWidgets.value(field);
        if (cell == nullptr) {
            cell = new QWidget(m_page);
            auto *line = new QHBoxLayout(cell);
            line->setContentsMargins(0, 0, 0, 0);
            layout->removeWidget(field);
            line->addWidget(field, 1);
            layout->setWidget(row, role, cell);
            m_rowWidgets.insert(field, cell);
        }
        static_cast<QHBoxLayout *>(cell->layout())->addWidget(button);
        m_rowLayouts.insert(button, layout);
        m_rowWidgets.insert(button, cell);
    }
    note(button, "Button", text);
    return button;
}

void PageForm::setRowVisible(QWidget *field, bool visible)
{
    QFormLayout *layout = m_rowLayouts.value(field);
    QWidget *rowWidget = m_rowWidgets.value(field, field);
    int row = -1;
    QFormLayout::ItemRole role = QFormLayout::FieldRole;
    if (layout != nullptr) {
        layout->getWidgetPosition(rowWidget, &row, &role);
    }
    if (row >= 0) {
        layout->setRowVisible(row, visible);
    } else {
        field->setVisible(visible);
    }
}
