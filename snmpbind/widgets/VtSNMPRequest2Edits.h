// The binding every page uses: variables bound to controls of the supported kinds, a table shown
// in a report list view, and input constraints on edits.
#pragma once

#include "ControlKind.h"
#include "VtEditConstraint.h"
#include "VtSNMPRequest2Controls.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include <QList>
#include <QPointer>
#include <QTreeWidget>

class QLineEdit;
class VtOptionList;

/// One bind call: a variable (or a piece of its bytes) and the controls that show it.
struct ControlBinding
{
    int variable = 0;
    int offset =
        0; ///< byte offset of the piece; 0 with the variable's syntax binds the whole value
    int syntax = 0;
    const VtOptionList *options = nullptr;
    QList<int> bits; ///< check boxes bound to bits: the bit number of each
    QList<QPointer<QWidget>> controls;
    ControlKind kind = ControlKind::None;
};

class VtSNMPRequest2Edits : public VtSNMPRequest2Controls
{
public:
    using Hook = std::function<void()>;
    using SelectHandler = std::function<void(QTreeWidgetItem *item, bool selected)>;

    explicit VtSNMPRequest2Edits(QWidget *owner);
    ~VtSNMPRequest2Edits() override;

    Hook BeforeGetHook;
    Hook BeforeSetHook;
    Hook AfterGetHook;
    Hook AfterSetHook;
    /// The page's own selection handler of the bound list view; runs before the binding's.
    SelectHandler OnListViewSelect;
    VtEditConstraint Constraints;
    bool EditRows = true;

    void BindControl(int i, QWidget *control);
    void BindCombo(int i, QWidget *combo);
    /// Constrains the edits with `format` ("%u{n1x65535}") and binds them all to variable i.
    void BindFormat(int i, const QString &format, QWidget *control,
        std::initializer_list<QWidget *> further = {});
    /// Check boxes bound to bits of the value, bit 0 the most significant bit of the first byte.
    void BindBits(int i, const QString &bitNumbers, const QList<QWidget *> &checkBoxes);
    /// A piece of the value's bytes, read in its own syntax, shown in one or more controls.
    void BindPart(int i, int offset, int syntax, const VtOptionList *options,
        const QList<QWidget *> &controls);
    void Unbind(int i);
    void BindListView(QTreeWidget *listView, bool rowEditing, bool rowCheckBoxes = false);
    void FillControls(int i = -1);
    void CollectControls(int i = -1);
    void EnableControls(bool enable);
    void SetConstraintOwner(QWidget *control);
    /// A secret shown masked (password echo) and written only when the operator edited it since
    /// the last read of this request or the last row selected in its list view: a read-back the
    /// device masks is never written back.
    void BindSecret(int i, QLineEdit *edit);
    /// Whether the operator edited the secret bound to variable i since the last read.
    bool SecretEdited(int i) const;

    /// The page's own change and exit handlers of a bound edit; the constraint calls them (the
    /// change handler after filtering, the exit handler once the value is accepted). An edit
    /// bound without a format gets a free-text constraint for them.
    void SetChangeHandler(QLineEdit *edit, std::function<void()> handler);
    void SetExitHandler(QLineEdit *edit, std::function<void()> handler);

    QTreeWidget *ListView() const { return m_listView; }

    const std::vector<ControlBinding> &Bindings() const { return m_bindings; }

    void BeforeGet() override;
    void BeforeSet() override;
    void ShowData() override;
    void CollectData() override;
    void AfterGet() override;
    void AfterSet() override;
    virtual void ListViewSelect(QTreeWidgetItem *item, bool selected);

protected:
    void ReadGotNoAnswer() override;
    void BeginWrite() override;
    void EndWrite() override;
    /// The rows the running read cleared are gone for good: it showed rows of its own.
    void dropRowsBeforeRead();

    /// Variable positions in list-view column order: hidden columns first, then shown ones.
    QList<int> columnOrder() const;
    void setUpColumns();
    /// Adds one row with the values in column order; `caption` replaces the first when given.
    void addListRow(const QString *caption = nullptr);
    void copySelectedRow();

private:
    void addBinding(ControlBinding binding);
    void fillBinding(const ControlBinding &b);
    void collectVariable(int i);
    QLineEdit *boundEdit(QLineEdit *edit) const;

    QPointer<QTreeWidget> m_listView;
    bool m_rowCheckBoxes = false;       // a check box in front of every row
    std::unique_ptr<QObject> m_context; // receiver of the list view's signals
    std::vector<ControlBinding> m_bindings;
    QStringList m_valuesBeforeCollect; // values as read, while CollectData runs

    struct Secret
    {
        int variable = 0;
        QPointer<QLineEdit> edit;
        bool edited = false;
        int flagsBeforeWrite = -1; // restored after a write it was kept out of
    };

    std::vector<Secret> m_secrets;
    std::unique_ptr<QObject> m_secretContext; // receiver of the secrets' edit signals
    // The rows a read cleared, until the read shows one of its own: a read the device never
    // answered gives them back.
    std::vector<std::unique_ptr<QTreeWidgetItem>> m_rowsBeforeRead;
};

/// A binding for tables whose rows are numbered: the list view shows the row number instead of
/// the first column, and rows whose SkipColumn holds SkipValue are left out.
class New_req2Edit : public VtSNMPRequest2Edits
{
public:
    using VtSNMPRequest2Edits::VtSNMPRequest2Edits;

    int RowNumber = 1;
    QString SkipValue = QStringLiteral("0");
    int SkipColumn = 1;

    void BeforeGet() override;
    void ShowData() override;
    virtual void AddRow();
};
