// The form builder: a page declares its controls one typed line each, in the order they appear.
// Every control gets its system name as objectName; captions sit in a label column beside it.
#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class QVBoxLayout;
class QWidget;

class PageForm
{
public:
    PageForm(QWidget *page, QVBoxLayout *body, QHBoxLayout *buttons);

    /// An edit with its caption; `maxLength` 0 leaves the length free. Like every designed
    /// field, it starts out showing its own name until something fills it.
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
    QLabel *addPicture(const char *name, const QPixmap &picture);
    /// Controls that hold values for the page's rules but are never shown.
    QComboBox *addHiddenCombo(const char *name);
    QLineEdit *addHiddenEdit(const char *name);

    /// Controls added until endGroup() go into this group box.
    QGroupBox *beginGroup(const char *name, const QString &title);
    void endGroup();

    /// A button in the row at the bottom of the page, in the order added.
    QPushButton *addButton(const char *name, const QString &text);

private:
    QFormLayout *rows();
    QWidget *hiddenParent();

    QWidget *m_page;
    QVBoxLayout *m_body;
    QHBoxLayout *m_buttons;
    QFormLayout *m_rows = nullptr;
    QGroupBox *m_group = nullptr;
    QWidget *m_hidden = nullptr;
};
