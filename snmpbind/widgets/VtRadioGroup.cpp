// A group of radio buttons with a list of items and the index of the chosen one.
#include "VtRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

VtRadioGroup::VtRadioGroup(QWidget *parent) : VtRadioGroup(QString(), parent) { }

VtRadioGroup::VtRadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QVBoxLayout(this))
{
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) {
        const bool changed = id != m_index;
        m_index = id;
        emit itemClicked(id);
        if (changed) {
            emit itemIndexChanged(id);
        }
    });
}

void VtRadioGroup::clearItems()
{
    const bool changed = m_index != -1;
    m_index = -1;
    for (QRadioButton *b : std::as_const(m_buttons)) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    if (changed) {
        emit itemIndexChanged(-1);
    }
}

void VtRadioGroup::addItem(const QString &text)
{
    auto *b = new QRadioButton(text, this);
    m_group->addButton(b, int(m_buttons.size()));
    m_layout->addWidget(b);
    m_buttons.append(b);
}

void VtRadioGroup::setItems(const QStringList &texts)
{
    clearItems();
    for (const QString &t : texts) {
        addItem(t);
    }
}

QStringList VtRadioGroup::items() const
{
    QStringList out;
    for (const QRadioButton *b : m_buttons) {
        out.append(b->text());
    }
    return out;
}

int VtRadioGroup::count() const
{
    return int(m_buttons.size());
}

QString VtRadioGroup::itemText(int index) const
{
    return index >= 0 && index < count() ? m_buttons.at(index)->text() : QString();
}

QRadioButton *VtRadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? m_buttons.at(index) : nullptr;
}

int VtRadioGroup::itemIndex() const
{
    return m_index;
}

void VtRadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= count()) {
        index = -1;
    }
    if (index == m_index) {
        return;
    }
    m_index = index;
    if (index >= 0) {
        m_buttons.at(index)->setChecked(true);
    } else {
        // An exclusive group never lets its last checked button go by itself.
        m_group->setExclusive(false);
        for (QRadioButton *b : std::as_const(m_buttons)) {
            b->setChecked(false);
        }
        m_group->setExclusive(true);
    }
    emit itemIndexChanged(index);
}
