// Input constraints for edits: parsing the format language, filtering keystrokes, checking on exit.
#include "VtEditConstraint.h"

#include "VtSNMPError.h"
#include "VtUi.h"

#include <cmath>
#include <limits>

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScopeGuard>
#include <QValidator>

namespace {

constexpr double kRealMin = std::numeric_limits<double>::min(); // smallest positive normal
constexpr double kRealMax = std::numeric_limits<double>::max();
constexpr double kUIntMax = 4294967295.0;

// Set while one exit check runs anywhere: its message box and the focus it gives back make other
// edits lose the focus, and their checks must not start a second round.
bool g_inExit = false;

bool isNullMarker(const QString &text)
{
    return text == QLatin1String("(NULL)") || text == QLatin1String("(NOTDONE)");
}

QString commonMessage(int k, std::initializer_list<std::pair<const char *, QString>> values)
{
    QString text = CatalogText(VtCatalog::Common, k);
    for (const auto &[name, value] : values) {
        text.replace(QLatin1Char('[') + QLatin1String(name) + QLatin1Char(']'), value);
    }
    return text;
}

QString realText(double v)
{
    return QString::number(v, 'g', 15);
}

[[noreturn]] void badSpecification()
{
    RaiseCommonError(2);
}

int elementCount(const QString &text, QChar delimiter)
{
    return text.isEmpty() ? 0 : int(text.count(delimiter)) + 1;
}

// Elements of a delimited number text. A '.' that is not the delimiter starts a fraction, which
// never changes the element. Elements saturate instead of wrapping, and an element holding
// anything but digits reads as out of every range, so neither can slip through a bounds check.
std::vector<double> numberElements(const QString &text, QChar delimiter)
{
    std::vector<double> out;
    if (text.isEmpty()) {
        return out;
    }
    double current = 0;
    bool fraction = false;
    for (const QChar c : text) {
        if (c == delimiter) {
            out.push_back(current);
            current = 0;
            fraction = false;
        } else if (c == QLatin1Char('.')) {
            fraction = true;
        } else if (!c.isDigit() || c.unicode() > 127) {
            current = kRealMax;
        } else if (!fraction && current < kRealMax) {
            current = std::min(current * 10 + (c.unicode() - '0'), 1e300);
        }
    }
    out.push_back(current);
    return out;
}

// Position of the first character that breaks the type's rule, -1 when none.
int firstBadCharacter(const EditConstraint_s &rec, const QString &text)
{
    bool dotSeen = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        bool ok = true;
        switch (rec.type) {
        case 'u':
            ok = digit;
            break;
        case 'i':
            ok = digit || (i == 0 && c == QLatin1Char('-'));
            break;
        case 'f':
            if (c == QLatin1Char('.')) {
                ok = !dotSeen;
                dotSeen = true;
            } else {
                ok = digit || (i == 0 && c == QLatin1Char('-'));
            }
            break;
        case 'h':
            ok = digit || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
                || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
            break;
        case 'n':
            if (c == QLatin1Char(rec.delimiter)) {
                ok = i > 0 && text.at(i - 1) != QLatin1Char(rec.delimiter);
            } else {
                ok = digit;
            }
            break;
        default:
            break;
        }
        if (!ok) {
            return i;
        }
    }
    return -1;
}

// Stops the operator typing beyond the length (characters, or elements for a number list) while
// leaving alone a longer text that was set from the device: cutting it would write the cut text
// back on the next save. Shortening such a text stays possible.
class LengthLimit : public QValidator
{
public:
    LengthLimit(QLineEdit *edit, int limit, char type, char delimiter)
        : QValidator(edit),
          m_limit(limit),
          m_type(type),
          m_delimiter(QLatin1Char(delimiter)),
          m_previous(measure(edit->text()))
    {
        connect(edit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_previous = measure(text); });
    }

    State validate(QString &input, int &) const override
    {
        // Text set by the program (from the device, or given back after a failed check) leaves
        // the edit unmodified; only the operator's own changes are limited.
        const auto *edit = static_cast<const QLineEdit *>(parent());
        if (!edit->isModified()) {
            return Acceptable;
        }
        const int now = measure(input);
        return now > m_limit && now > m_previous ? Invalid : Acceptable;
    }

private:
    int measure(const QString &text) const
    {
        return m_type == 'n' ? elementCount(text, m_delimiter) : int(text.size());
    }

    int m_limit;
    char m_type;
    QChar m_delimiter;
    int m_previous;
};

} // namespace

VtEditConstraint::VtEditConstraint(QWidget *owner, bool keepLastAccepted)
    : m_owner(owner), m_keepLastAccepted(keepLastAccepted)
{ }

VtEditConstraint::~VtEditConstraint()
{
    for (auto &rec : m_records) {
        release(*rec);
    }
}

EditConstraint_s VtEditConstraint::parseSpecification(const QString &spec)
{
    EditConstraint_s rec;
    if (spec.size() < 2 || spec.at(0) != QLatin1Char('%')) {
        badSpecification();
    }
    const QChar type = spec.at(1);
    if (!QStringLiteral("shiufn").contains(type)) {
        badSpecification();
    }
    rec.type = char(type.unicode());
    qsizetype pos = 2;
    if (rec.type == 'n') {
        if (spec.size() < 3 || spec.at(2).unicode() > 127) {
            badSpecification();
        }
        rec.delimiter = char(spec.at(2).unicode());
        pos = 3;
    }
    switch (rec.type) {
    case 'i':
        rec.minimum = -2147483648.0;
        rec.maximum = 2147483647.0;
        break;
    case 'u':
        rec.minimum = 0;
        rec.maximum = kUIntMax;
        break;
    default:
        rec.minimum = kRealMin;
        rec.maximum = kRealMax;
        break;
    }
    if (pos == spec.size()) {
        return rec;
    }
    if (spec.at(pos) != QLatin1Char('{') || spec.back() != QLatin1Char('}')
        || spec.size() - pos < 2) {
        badSpecification();
    }
    const QString body = spec.mid(pos + 1, spec.size() - pos - 2);
    QString seen;
    qsizetype i = 0;
    auto takeWhile = [&](auto accept) {
        const qsizetype start = i;
        while (i < body.size() && accept(body.at(i))) {
            ++i;
        }
        return body.mid(start, i - start);
    };
    auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    auto isNumberChar = [&](QChar c) {
        return isDigit(c) || c == QLatin1Char('-') || c == QLatin1Char('.');
    };
    while (i < body.size()) {
        const QChar letter = body.at(i++);
        if (seen.contains(letter)) {
            badSpecification();
        }
        seen.append(letter);
        bool ok = false;
        switch (letter.unicode()) {
        case 'e':
            if (i >= body.size()) {
                badSpecification();
            }
            rec.advanceChar = body.at(i++);
            break;
        case 'l': {
            const QString digits = takeWhile(isDigit);
            rec.length = digits.toInt(&ok);
            if (!ok) {
                badSpecification();
            }
            // Up to three option letters follow the length digits directly.
            for (int k = 0; k < 3 && i < body.size(); ++k) {
                const QChar o = body.at(i);
                if (o == QLatin1Char('a')) {
                    rec.options |= EditConstraint_s::Advance;
                } else if (o == QLatin1Char('f')) {
                    rec.options |= EditConstraint_s::Fixed;
                } else if (o == QLatin1Char('n')) {
                    rec.options |= EditConstraint_s::Required;
                } else {
                    break;
                }
                ++i;
            }
            break;
        }
        case 'n':
        case 'x': {
            const double v = takeWhile(isNumberChar).toDouble(&ok);
            if (!ok) {
                badSpecification();
            }
            (letter == QLatin1Char('n') ? rec.minimum : rec.maximum) = v;
            break;
        }
        case 'w': {
            rec.width = takeWhile(isDigit).toInt(&ok);
            if (!ok) {
                badSpecification();
            }
            break;
        }
        default:
            badSpecification();
        }
    }
    return rec;
}

void VtEditConstraint::AddFormat(const QString &format, const QList<QLineEdit *> &edits)
{
    QStringList specs;
    qsizetype start = 0;
    while (start < format.size()) {
        qsizetype next = format.indexOf(QLatin1Char('%'), start + 1);
        if (next < 0) {
            next = format.size();
        }
        specs.append(format.mid(start, next - start));
        start = next;
    }
    // Parse everything first, so a bad specification leaves no edit half constrained.
    if (specs.isEmpty() || specs.size() > edits.size()) {
        badSpecification();
    }
    for (const QString &s : specs) {
        parseSpecification(s);
    }
    for (qsizetype k = 0; k < specs.size(); ++k) {
        Add(specs.at(k), edits.at(k));
    }
}

void VtEditConstraint::Add(const QString &specification, QLineEdit *edit)
{
    auto rec = std::make_unique<EditConstraint_s>(parseSpecification(specification));
    if (!edit) {
        badSpecification();
    }
    Remove(edit);
    rec->edit = edit;
    if (rec->length > 0) {
        edit->setValidator(new LengthLimit(edit, rec->length, rec->type, rec->delimiter));
    }
    if (rec->width > 0) {
        edit->setFixedWidth(rec->width);
    }
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { onTextChanged(edit); });
    connect(edit, &QObject::destroyed, this, [this](QObject *gone) {
        std::erase_if(
            m_records, [gone](const auto &r) { return r->edit.isNull() || r->edit == gone; });
    });
    edit->installEventFilter(this);
    m_records.push_back(std::move(rec));
}

void VtEditConstraint::release(EditConstraint_s &rec)
{
    QLineEdit *edit = rec.edit;
    if (!edit) {
        return;
    }
    edit->removeEventFilter(this);
    disconnect(edit, nullptr, this, nullptr);
    if (const QValidator *v = edit->validator(); v && dynamic_cast<const LengthLimit *>(v)) {
        edit->setValidator(nullptr);
        delete v;
    }
}

void VtEditConstraint::Remove(QLineEdit *edit)
{
    const auto it = std::find_if(
        m_records.begin(), m_records.end(), [edit](const auto &r) { return r->edit == edit; });
    if (it == m_records.end()) {
        return;
    }
    release(**it);
    m_records.erase(it);
}

void VtEditConstraint::SetOwner(QWidget *owner)
{
    m_owner = owner;
}

void VtEditConstraint::setChangeHandler(QLineEdit *edit, std::function<void()> handler)
{
    if (EditConstraint_s *rec = record(edit)) {
        rec->changeHandler = std::move(handler);
    }
}

void VtEditConstraint::setExitHandler(QLineEdit *edit, std::function<void()> handler)
{
    if (EditConstraint_s *rec = record(edit)) {
        rec->exitHandler = std::move(handler);
    }
}

const EditConstraint_s *VtEditConstraint::find(const QLineEdit *edit) const
{
    for (const auto &r : m_records) {
        if (r->edit == edit) {
            return r.get();
        }
    }
    return nullptr;
}

EditConstraint_s *VtEditConstraint::record(const QObject *edit)
{
    for (const auto &r : m_records) {
        if (r->edit == edit) {
            return r.get();
        }
    }
    return nullptr;
}

void VtEditConstraint::onTextChanged(QLineEdit *edit)
{
    const QPointer<QLineEdit> guard(edit);
    EditConstraint_s *rec = record(edit);
    if (!rec) {
        return;
    }
    QString text = edit->text();
    if (text.isEmpty() || isNullMarker(text)) {
        return;
    }
    if (!rec->advanceChar.isNull() && text.contains(rec->advanceChar)) {
        text.remove(text.indexOf(rec->advanceChar), 1);
        edit->setText(text);
        if (guard) {
            moveFocusOn(edit);
        }
        return;
    }
    if (const int bad = firstBadCharacter(*rec, text); bad >= 0) {
        const int cursor = edit->cursorPosition();
        text.remove(bad, 1);
        edit->setText(text); // runs this handler again with the cleaned text
        if (guard) {
            edit->setCursorPosition(cursor > bad ? cursor - 1 : cursor);
        }
        VtUi::current().beep();
        return;
    }
    if (rec->changeHandler) {
        const auto handler = rec->changeHandler; // the handler may remove the constraint
        handler();
        rec = guard ? record(edit) : nullptr;
    }
    if (!rec || edit->property(kTagProperty).toInt() == -1) {
        return;
    }
    if ((rec->options & EditConstraint_s::Advance) && rec->length > 0
        && edit->text().size() == rec->length) {
        moveFocusOn(edit);
    }
}

void VtEditConstraint::onExit(QLineEdit *edit)
{
    const QPointer<QLineEdit> guard(edit);
    EditConstraint_s *rec = record(edit);
    if (!rec) {
        return;
    }
    const QString text = edit->text();
    if (isNullMarker(text)) {
        return;
    }
    bool store = true;
    if (text.isEmpty()) {
        if (rec->options & EditConstraint_s::Required) {
            reject(*rec, commonMessage(3, {}));
            return;
        }
        store = false;
    } else {
        const bool fixed = rec->options & EditConstraint_s::Fixed;
        switch (rec->type) {
        case 'i':
        case 'u':
        case 'f': {
            bool ok = false;
            const double v = text.toDouble(&ok);
            // A lone '-' or '.' is no number at all: refused like one out of range.
            if (!ok || v < rec->minimum || v > rec->maximum) {
                reject(*rec,
                    commonMessage(
                        8, {{"MIN", realText(rec->minimum)}, {"MAX", realText(rec->maximum)}}));
                return;
            }
            break;
        }
        case 's':
        case 'h':
            if (rec->length > 0) {
                const bool hex = rec->type == 'h';
                const QString len = QString::number(rec->length);
                if (fixed && text.size() != rec->length) {
                    reject(*rec, commonMessage(hex ? 7 : 5, {{"LEN", len}}));
                    return;
                }
                if (!fixed && text.size() > rec->length) {
                    reject(*rec, commonMessage(hex ? 6 : 4, {{"MAXLEN", len}}));
                    return;
                }
            }
            break;
        case 'n': {
            const QChar delimiter = QLatin1Char(rec->delimiter);
            const QString d(delimiter);
            const std::vector<double> items = numberElements(text, delimiter);
            const int count = int(items.size());
            const QString len = QString::number(rec->length);
            if (rec->length > 0 && fixed && count != rec->length) {
                reject(*rec, commonMessage(10, {{"DELIMITER", d}, {"COUNT", len}}));
                return;
            }
            if (rec->length > 0 && !fixed && count > rec->length) {
                reject(*rec, commonMessage(9, {{"DELIMITER", d}, {"MAXCOUNT", len}}));
                return;
            }
            // Elements are 32-bit unsigned numbers; bounds outside that range are clipped to it.
            const double lo = std::clamp(std::trunc(rec->minimum), 0.0, kUIntMax);
            const double hi = std::clamp(std::trunc(rec->maximum), 0.0, kUIntMax);
            for (const double v : items) {
                if (v < lo || v > hi) {
                    reject(*rec,
                        commonMessage(11,
                            {{"DELIMITER", d}, {"MIN", QString::number(qulonglong(lo))},
                                {"MAX", QString::number(qulonglong(hi))}}));
                    return;
                }
            }
            break;
        }
        default:
            break;
        }
    }
    if (rec->exitHandler) {
        const auto handler = rec->exitHandler;
        handler();
        rec = guard ? record(edit) : nullptr;
        if (!rec) {
            return;
        }
    }
    if (edit->property(kTagProperty).toInt() == -1) {
        edit->setText(rec->lastAccepted);
    } else if (m_keepLastAccepted && store) {
        rec->lastAccepted = edit->text();
    }
}

void VtEditConstraint::reject(EditConstraint_s &rec, const QString &message)
{
    const QPointer<QLineEdit> edit = rec.edit;
    const QString restore = rec.lastAccepted;
    QWidget *owner = m_owner ? m_owner->window() : (edit ? edit->window() : nullptr);
    VtUi::current().messageOk(owner, executableCaption(), message);
    if (edit) {
        edit->setText(restore);
        edit->setFocus(Qt::OtherFocusReason);
    }
}

void VtEditConstraint::moveFocusOn(QLineEdit *edit)
{
    QWidget *scope = m_owner ? m_owner.data() : edit->window();
    for (QWidget *w = edit->nextInFocusChain(); w && w != edit; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(scope)
            && scope->isAncestorOf(w) && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool VtEditConstraint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !g_inExit) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window taking the focus (a message box, a menu) is not the operator leaving.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (auto *edit = qobject_cast<QLineEdit *>(watched)) {
                g_inExit = true;
                const auto reset = qScopeGuard([] { g_inExit = false; });
                onExit(edit);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
