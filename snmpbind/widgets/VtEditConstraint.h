// Input constraints for edits, from a small format language ("%s", "%u{n1x65535}", "%n.{l4f}"):
// characters that cannot belong to the value are removed while the operator types, and the whole
// value is checked when the operator leaves the edit.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QWidget;

/// Name of the int property that plays the part of a control's tag; a handler that sets it to -1
/// tells the constraint to stop (while typing) or to give the last accepted text back (on exit).
inline constexpr char kTagProperty[] = "tag";

/// One constrained edit.
struct EditConstraint_s
{
    enum Option : quint16 {
        Advance = 1,  ///< move on when the length is reached
        Fixed = 2,    ///< length or element count must match exactly
        Required = 4, ///< empty is not allowed
    };

    QPointer<QLineEdit> edit;
    char type = 's';    ///< 's' text, 'h' hex digits, 'i' signed, 'u' unsigned, 'f' real, 'n' list
    char delimiter = 0; ///< 'n' only
    double minimum = 0.0; ///< numbers; for 'n' every element
    double maximum = 0.0;
    int length = 0;       ///< maximum (or, fixed, exact) length; for 'n' the element count
    quint16 options = 0;  ///< Option bits
    QChar advanceChar;    ///< typing it moves on; null when none
    int width = 0;        ///< edit width in pixels, 0 to leave it
    QString lastAccepted; ///< what a failed check gives back
    std::function<void()> changeHandler; ///< the page's own change handler
    std::function<void()> exitHandler;   ///< the page's own exit handler
};

class VtEditConstraint : public QObject
{
    Q_OBJECT

public:
    VtEditConstraint(QWidget *owner, bool keepLastAccepted);
    ~VtEditConstraint() override;

    /// Splits `format` into specifications, each from a "%" up to the next one, and constrains the
    /// k-th edit with the k-th specification. A bad specification throws VtException (-2).
    void AddFormat(const QString &format, const QList<QLineEdit *> &edits);
    void Add(const QString &specification, QLineEdit *edit);
    /// Drops the constraint of `edit`, and with it the handlers registered for it.
    void Remove(QLineEdit *edit);
    void SetOwner(QWidget *owner);

    QWidget *Owner() const { return m_owner; }

    /// The page's own handlers: the constraint calls them from its own change and exit handling,
    /// the page's change handler after filtering, its exit handler once the value is accepted.
    void setChangeHandler(QLineEdit *edit, std::function<void()> handler);
    void setExitHandler(QLineEdit *edit, std::function<void()> handler);

    const EditConstraint_s *find(const QLineEdit *edit) const;

    bool isConstrained(const QLineEdit *edit) const { return find(edit) != nullptr; }

    /// Parses one specification into a record (edit unset); throws VtException (-2) when bad.
    static EditConstraint_s parseSpecification(const QString &specification);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EditConstraint_s *record(const QObject *edit);
    void onTextChanged(QLineEdit *edit);
    void onExit(QLineEdit *edit);
    void reject(EditConstraint_s &rec, const QString &message);
    void moveFocusOn(QLineEdit *edit);
    void release(EditConstraint_s &rec);

    QPointer<QWidget> m_owner;
    bool m_keepLastAccepted;
    std::vector<std::unique_ptr<EditConstraint_s>> m_records;
};
