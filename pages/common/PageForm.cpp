// The form builder's control lines.
#include "PageForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
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

} // namespace

PageForm::PageForm(QWidget *page, QVBoxLayout *body, QHBoxLayout *buttons)
    : m_page(page), m_body(body), m_buttons(buttons)
{ }

QFormLayout *PageForm::rows()
{
    if (m_rows == nullptr) {
        m_rows = new QFormLayout;
        m_rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        if (m_group != nullptr) {
            m_group->setLayout(m_rows);
        } else {
            m_body->addLayout(m_rows);
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

QLineEdit *PageForm::addEdit(
    const char *name, const QString &caption, int maxLength, const char *labelName)
{
    auto *edit = new QLineEdit(m_page);
    edit->setObjectName(QLatin1String(name));
    edit->setText(QLatin1String(name));
    edit->setMinimumWidth(kFieldWidth);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    rows()->addRow(captionLabel(m_page, caption, labelName), edit);
    return edit;
}

QLineEdit *PageForm::addReadOnly(
    const char *name, const QString &caption, bool borderless, const char *labelName)
{
    QLineEdit *edit = addEdit(name, caption, 0, labelName);
    edit->setReadOnly(true);
    edit->setFrame(!borderless);
    return edit;
}

QLabel *PageForm::addText(const char *name, const QString &caption, const char *labelName)
{
    auto *text = new QLabel(QLatin1String(name), m_page);
    text->setObjectName(QLatin1String(name));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rows()->addRow(captionLabel(m_page, caption, labelName), text);
    return text;
}

QLabel *PageForm::addLine(const char *name, const QString &text)
{
    auto *line = new QLabel(text, m_page);
    line->setObjectName(QLatin1String(name));
    rows()->addRow(line);
    return line;
}

QComboBox *PageForm::addCombo(const char *name, const QString &caption, const char *labelName)
{
    auto *combo = new QComboBox(m_page);
    combo->setObjectName(QLatin1String(name));
    rows()->addRow(captionLabel(m_page, caption, labelName), combo);
    return combo;
}

QCheckBox *PageForm::addCheck(const char *name, const QString &text)
{
    auto *check = new QCheckBox(text, m_page);
    check->setObjectName(QLatin1String(name));
    rows()->addRow(check);
    return check;
}

QLabel *PageForm::addPicture(const char *name, const QPixmap &picture)
{
    auto *label = new QLabel(m_page);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(picture);
    rows()->addRow(label);
    return label;
}

QComboBox *PageForm::addHiddenCombo(const char *name)
{
    auto *combo = new QComboBox(hiddenParent());
    combo->setObjectName(QLatin1String(name));
    return combo;
}

QLineEdit *PageForm::addHiddenEdit(const char *name)
{
    auto *edit = new QLineEdit(hiddenParent());
    edit->setObjectName(QLatin1String(name));
    edit->setText(QLatin1String(name));
    return edit;
}

QGroupBox *PageForm::beginGroup(const char *name, const QString &title)
{
    endGroup();
    m_group = new QGroupBox(title, m_page);
    m_group->setObjectName(QLatin1String(name));
    m_body->addWidget(m_group);
    return m_group;
}

void PageForm::endGroup()
{
    m_group = nullptr;
    m_rows = nullptr;
}

QPushButton *PageForm::addButton(const char *name, const QString &text)
{
    auto *button = new QPushButton(text, m_page);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    m_buttons->addWidget(button);
    return button;
}
