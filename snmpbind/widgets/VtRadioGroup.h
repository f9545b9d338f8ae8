// A group of radio buttons with a list of items and the index of the chosen one.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

class VtRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit VtRadioGroup(QWidget *parent = nullptr);
    explicit VtRadioGroup(const QString &title, QWidget *parent = nullptr);

    void clearItems();
    void addItem(const QString &text);
    void setItems(const QStringList &texts);
    QStringList items() const;
    int count() const;
    QString itemText(int index) const;
    QRadioButton *button(int index) const;

    /// Index of the chosen item; -1 when none is chosen.
    int itemIndex() const;
    /// Chooses an item; an index outside the items leaves none chosen.
    void setItemIndex(int index);

signals:
    /// The operator clicked an item (not emitted by setItemIndex).
    void itemClicked(int index);
    /// The chosen item changed, by the operator or by setItemIndex.
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
    QVBoxLayout *m_layout;
    QList<QRadioButton *> m_buttons;
    int m_index = -1;
};
