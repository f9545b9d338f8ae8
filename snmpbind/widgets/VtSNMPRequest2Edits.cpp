// Variables bound to controls: filling and collecting every supported kind, the list view of a
// table and its selected row, numbered rows.
#include "VtSNMPRequest2Edits.h"

#include "OptionListControls.h"
#include "RawValue.h"
#include "SnmpTextForm.h"
#include "VtDateTime.h"
#include "VtOptionList.h"
#include "VtRadioGroup.h"
#include "VtUi.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTreeWidget>

namespace {

bool isTruthSyntax(int syntax)
{
    return syntax == synBoolean || syntax == synBool8 || syntax == synBool16;
}

void needEdits(qsizetype have, qsizetype need)
{
    if (have < need) {
        RaiseLibraryError(liberr::kTooFewControls);
    }
}

QString hexByte(uchar b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

const QDate kDayZero(1899, 12, 30);

QList<QLineEdit *> editsOf(const ControlBinding &b)
{
    QList<QLineEdit *> out;
    for (const QPointer<QWidget> &c : b.controls) {
        out.append(qobject_cast<QLineEdit *>(c.data()));
    }
    return out;
}

void setEditText(QLineEdit *edit, const QString &text)
{
    if (edit) {
        edit->setText(text);
    }
}

QString editText(const QLineEdit *edit)
{
    return edit ? edit->text() : QString();
}

int editNumber(const QLineEdit *edit)
{
    return editText(edit).trimmed().toInt();
}

// One value spread over several edits, by the binding's syntax.
void fillEdits(const QList<QLineEdit *> &edits, int syntax, const QString &text)
{
    if (text == QLatin1String(kSnmpNullText)) {
        return;
    }
    switch (syntax) {
    case synBitString:
    case synOctetString:
    case synOpaque:
    case synMacAddress: {
        const QByteArray bytes = snmptext::hexBytes(text);
        needEdits(edits.size(), syntax == synMacAddress ? 6 : bytes.size());
        for (qsizetype k = 0; k < edits.size(); ++k) {
            setEditText(edits[k], k < bytes.size() ? hexByte(uchar(bytes[k])) : QString());
        }
        break;
    }
    case synOid: {
        const QStringList ids = text.split(QLatin1Char('.'), Qt::SkipEmptyParts);
        needEdits(edits.size(), ids.size());
        for (qsizetype k = 0; k < edits.size(); ++k) {
            setEditText(edits[k], ids.value(k));
        }
        break;
    }
    case synIpAddress:
    case synIpAddressAlt: {
        needEdits(edits.size(), 4);
        const QStringList parts = text.split(QLatin1Char('.'));
        for (int k = 0; k < 4; ++k) {
            setEditText(edits[k], parts.value(k));
        }
        break;
    }
    case synTimeTicks: {
        needEdits(edits.size(), 5);
        quint32 t = snmptext::parseTicks(text);
        const quint32 parts[5] = {
            t / 8640000, (t % 8640000) / 360000, (t % 360000) / 6000, (t % 6000) / 100, t % 100};
        for (int k = 0; k < 5; ++k) {
            setEditText(edits[k], QString::number(parts[k]));
        }
        break;
    }
    case synDateAndTime: {
        needEdits(edits.size(), 10);
        const VtDateTime dt(text);
        const int numbers[9] = {dt.year, dt.month, dt.day, dt.hour, dt.minutes, dt.seconds,
            dt.deciSeconds, 0, dt.utcHours};
        for (int k = 0; k < 7; ++k) {
            setEditText(edits[k], QString::number(numbers[k]));
        }
        setEditText(edits[7], QString(QLatin1Char(dt.direction)));
        setEditText(edits[8], QString::number(dt.utcHours));
        setEditText(edits[9], QString::number(dt.utcMinutes));
        break;
    }
    case synDateTime: {
        needEdits(edits.size(), 7);
        const double days = snmptext::parseDayCount(text);
        const double whole = std::floor(days);
        const QDate date = kDayZero.addDays(qint64(whole));
        const qint64 ms = std::llround((days - whole) * 86400000.0);
        const int parts[7] = {date.year(), date.month(), date.day(), int(ms / 3600000),
            int(ms / 60000 % 60), int(ms / 1000 % 60), int(ms % 1000)};
        for (int k = 0; k < 7; ++k) {
            setEditText(edits[k], QString::number(parts[k]));
        }
        break;
    }
    default:
        setEditText(edits.value(0), text);
        break;
    }
}

QString collectEdits(const QList<QLineEdit *> &edits, int syntax)
{
    switch (syntax) {
    case synBitString:
    case synOctetString:
    case synOpaque:
    case synMacAddress: {
        if (syntax == synMacAddress) {
            needEdits(edits.size(), 6);
        }
        QString hex;
        for (const QLineEdit *e : edits) {
            const QString t = editText(e).trimmed();
            hex += t.isEmpty() ? QStringLiteral("00") : t.size() == 1 ? QLatin1Char('0') + t : t;
        }
        return hex.toUpper();
    }
    case synOid: {
        QStringList ids;
        for (const QLineEdit *e : edits) {
            ids.append(editText(e).trimmed());
        }
        return ids.join(QLatin1Char('.'));
    }
    case synIpAddress:
    case synIpAddressAlt: {
        needEdits(edits.size(), 4);
        QStringList parts;
        for (int k = 0; k < 4; ++k) {
            parts.append(editText(edits[k]).trimmed());
        }
        return parts.join(QLatin1Char('.'));
    }
    case synTimeTicks: {
        needEdits(edits.size(), 5);
        const quint64 t = quint64(editNumber(edits[0])) * 8640000
            + quint64(editNumber(edits[1])) * 360000 + quint64(editNumber(edits[2])) * 6000
            + quint64(editNumber(edits[3])) * 100 + quint64(editNumber(edits[4]));
        return snmptext::ticksText(quint32(t));
    }
    case synDateAndTime: {
        needEdits(edits.size(), 10);
        VtDateTime dt;
        dt.year = editNumber(edits[0]);
        dt.month = editNumber(edits[1]);
        dt.day = editNumber(edits[2]);
        dt.hour = editNumber(edits[3]);
        dt.minutes = editNumber(edits[4]);
        dt.seconds = editNumber(edits[5]);
        dt.deciSeconds = editNumber(edits[6]);
        const QString dir = editText(edits[7]);
        dt.direction = dir.isEmpty() ? '+' : dir.at(0).toLatin1();
        dt.utcHours = editNumber(edits[8]);
        dt.utcMinutes = editNumber(edits[9]);
        return dt.Text();
    }
    case synDateTime: {
        needEdits(edits.size(), 7);
        const QDate date(editNumber(edits[0]), editNumber(edits[1]), editNumber(edits[2]));
        const double ms = editNumber(edits[3]) * 3600000.0 + editNumber(edits[4]) * 60000.0
            + editNumber(edits[5]) * 1000.0 + editNumber(edits[6]);
        return snmptext::dayCountText(double(kDayZero.daysTo(date)) + ms / 86400000.0);
    }
    default:
        return editText(edits.value(0));
    }
}

} // namespace

VtSNMPRequest2Edits::VtSNMPRequest2Edits(QWidget *owner)
    : VtSNMPRequest2Controls(owner),
      Constraints(owner, true),
      m_context(std::make_unique<QObject>()),
      m_secretContext(std::make_unique<QObject>())
{ }

VtSNMPRequest2Edits::~VtSNMPRequest2Edits()
{
    m_context.reset();
    m_secretContext.reset();
    for (const ControlBinding &b : m_bindings) {
        for (QLineEdit *e : editsOf(b)) {
            if (e) {
                Constraints.Remove(e);
            }
        }
    }
}

void VtSNMPRequest2Edits::addBinding(ControlBinding b)
{
    if (b.controls.isEmpty()) {
        RaiseLibraryError(liberr::kTooFewControls);
    }
    for (const QPointer<QWidget> &c : b.controls) {
        if (!c) {
            RaiseLibraryError(liberr::kBadControlKind);
        }
    }
    const VtSNMPVar &v = Request.Vars.Var(b.variable);
    b.kind = controlKindOf(b.controls.first());
    const bool whole = b.offset == 0 && b.syntax == v.Syntax;
    if (b.kind == ControlKind::Combo || b.kind == ControlKind::RadioGroup) {
        const VtOptionList *options = b.options ? b.options : whole ? v.Options : nullptr;
        if (!options) {
            RaiseLibraryError(liberr::kNoOptionList);
        }
        if (b.kind == ControlKind::Combo && b.controls.size() < 2 && options->Kind == okPrefix) {
            RaiseLibraryError(liberr::
                    kTooFewControls); // the rest of the value needs an edit beside the combo box
        }
        if (auto *combo = qobject_cast<QComboBox *>(b.controls.first())) {
            combo->setEditable(false);
        }
        FillItems(b.controls.first(), *options);
    }
    m_bindings.push_back(std::move(b));
}

void VtSNMPRequest2Edits::BindControl(int i, QWidget *control)
{
    ControlBinding b;
    b.variable = i;
    b.syntax = Request.Vars.Var(i).Syntax;
    b.controls = {control};
    addBinding(std::move(b));
}

void VtSNMPRequest2Edits::BindCombo(int i, QWidget *combo)
{
    if (auto *c = qobject_cast<QComboBox *>(combo)) {
        c->setEditable(false);
    }
    BindControl(i, combo);
}

void VtSNMPRequest2Edits::BindFormat(
    int i, const QString &format, QWidget *control, std::initializer_list<QWidget *> further)
{
    static const QRegularExpression conversion(QStringLiteral("%[shiufn]"));
    const qsizetype count = std::max<qsizetype>(1, format.count(conversion));
    QList<QWidget *> all{control};
    all.append(QList<QWidget *>(further));
    needEdits(all.size(), count);
    QList<QLineEdit *> edits;
    ControlBinding b;
    b.variable = i;
    b.syntax = Request.Vars.Var(i).Syntax;
    for (qsizetype k = 0; k < count; ++k) {
        auto *edit = qobject_cast<QLineEdit *>(all.at(k));
        if (!edit) {
            RaiseLibraryError(liberr::kBadControlKind);
        }
        edits.append(edit);
        b.controls.append(edit);
    }
    Constraints.AddFormat(format, edits);
    addBinding(std::move(b));
}

void VtSNMPRequest2Edits::BindBits(
    int i, const QString &bitNumbers, const QList<QWidget *> &checkBoxes)
{
    ControlBinding b;
    b.variable = i;
    b.syntax = Request.Vars.Var(i).Syntax;
    for (const QString &n : bitNumbers.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int bit = n.trimmed().toInt(&ok);
        if (!ok || bit < 0) {
            RaiseLibraryError(liberr::kPartOutOfRange);
        }
        b.bits.append(bit);
    }
    needEdits(checkBoxes.size(), b.bits.size());
    for (QWidget *c : checkBoxes.mid(0, b.bits.size())) {
        if (controlKindOf(c) != ControlKind::CheckBox) {
            RaiseLibraryError(liberr::kBadControlKind);
        }
        b.controls.append(c);
    }
    addBinding(std::move(b));
}

void VtSNMPRequest2Edits::BindPart(
    int i, int offset, int syntax, const VtOptionList *options, const QList<QWidget *> &controls)
{
    ControlBinding b;
    b.variable = i;
    b.offset = offset;
    b.syntax = syntax;
    b.options = options;
    for (QWidget *c : controls) {
        b.controls.append(c);
    }
    addBinding(std::move(b));
}

void VtSNMPRequest2Edits::Unbind(int i)
{
    std::erase_if(m_bindings, [this, i](const ControlBinding &b) {
        if (b.variable != i) {
            return false;
        }
        for (QLineEdit *e : editsOf(b)) {
            if (e) {
                Constraints.Remove(e);
            }
        }
        return true;
    });
}

void VtSNMPRequest2Edits::BindListView(QTreeWidget *listView, bool rowEditing, bool rowCheckBoxes)
{
    m_context = std::make_unique<QObject>(); // drops the connections to a previous list view
    m_listView = listView;
    EditRows = rowEditing;
    if (!listView) {
        return;
    }
    m_rowCheckBoxes = rowCheckBoxes;
    setUpReportView(listView);
    QObject::connect(listView, &QTreeWidget::itemSelectionChanged, m_context.get(), [this] {
        if (!m_listView) {
            return;
        }
        const QList<QTreeWidgetItem *> selected = m_listView->selectedItems();
        try {
            if (selected.isEmpty()) {
                ListViewSelect(m_listView->currentItem(), false);
            } else {
                ListViewSelect(selected.first(), true);
            }
        } catch (const VtException &e) {
            showException(e, MessageKind);
        }
    });
    setUpColumns();
}

QList<int> VtSNMPRequest2Edits::columnOrder() const
{
    QList<int> order;
    const VtSNMPVarList &vars = Request.Vars;
    for (int i = 0; i < vars.Count(); ++i) {
        if (vars.IsHiddenColumn(i)) {
            order.append(i);
        }
    }
    for (int i = 0; i < vars.Count(); ++i) {
        if (vars.IsShownColumn(i)) {
            order.append(i);
        }
    }
    return order;
}

void VtSNMPRequest2Edits::setUpColumns()
{
    if (!m_listView) {
        return;
    }
    const QList<int> order = columnOrder();
    const bool untouched = m_listView->columnCount() == 1
        && m_listView->headerItem()->text(0) == QLatin1String("1"); // Qt's default header
    if (m_listView->columnCount() >= order.size() && !untouched) {
        return; // the page designed its own columns
    }
    m_listView->clear();
    m_listView->setColumnCount(int(order.size()));
    QStringList captions;
    for (const int i : order) {
        captions.append(Request.Vars.Var(i).Name);
    }
    m_listView->setHeaderLabels(captions);
    const QFontMetrics metrics(m_listView->header()->font());
    for (int k = 0; k < order.size(); ++k) {
        const bool hidden = Request.Vars.IsHiddenColumn(order[k]);
        m_listView->setColumnHidden(k, hidden);
        if (!hidden) {
            m_listView->setColumnWidth(k, metrics.horizontalAdvance(captions[k]) + 16);
        }
    }
}

void VtSNMPRequest2Edits::addListRow(const QString *caption)
{
    QStringList texts;
    for (const int i : columnOrder()) {
        texts.append(Request.Vars.Var(i).Value);
    }
    if (caption && !texts.isEmpty()) {
        texts[0] = *caption;
    }
    auto *item = new QTreeWidgetItem(m_listView, texts);
    if (m_rowCheckBoxes) {
        item->setCheckState(0, Qt::Unchecked);
    }
}

void VtSNMPRequest2Edits::copySelectedRow()
{
    if (!m_listView) {
        return;
    }
    const QList<QTreeWidgetItem *> selected = m_listView->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const QList<int> order = columnOrder();
    for (int k = 0; k < order.size(); ++k) {
        Request.Vars.Var(order[k]).Value = selected.first()->text(k);
    }
}

void VtSNMPRequest2Edits::FillControls(int i)
{
    for (const ControlBinding &b : m_bindings) {
        if (i == -1 || b.variable == i) {
            fillBinding(b);
        }
    }
}

void VtSNMPRequest2Edits::fillBinding(const ControlBinding &b)
{
    const VtSNMPVar &v = Request.Vars.Var(b.variable);
    if (v.Flags & vfSkip) {
        return;
    }
    QString text = v.Options ? v.Options->ValueOf(v.Value) : v.Value;
    const bool whole = b.offset == 0 && b.syntax == v.Syntax;
    const VtOptionList *options = b.options;
    QByteArray raw;
    bool haveRaw = false;
    if (!whole) {
        const QByteArray all = rawvalue::toRaw(v.Syntax, text);
        const int length = rawvalue::pieceLength(b.syntax, int(all.size()) - b.offset);
        if (b.offset < 0 || b.offset + length > all.size()) {
            RaiseLibraryError(liberr::kPartOutOfRange);
        }
        raw = all.mid(b.offset, length);
        haveRaw = true;
        text = rawvalue::fromRaw(b.syntax, raw);
    } else if (!options) {
        options = v.Options;
    }
    if (options) {
        text = options->TextOf(text);
    }
    QWidget *first = b.controls.first();
    if (!first) {
        return; // the control went away with its page
    }
    switch (b.kind) {
    case ControlKind::Label:
    case ControlKind::StatusPanel:
        static_cast<QLabel *>(first)->setText(text);
        break;
    case ControlKind::CheckBox:
        if (!b.bits.isEmpty()) {
            if (!haveRaw) {
                raw = rawvalue::toRaw(v.Syntax, v.Options ? v.Options->ValueOf(v.Value) : v.Value);
            }
            for (qsizetype k = 0; k < b.bits.size(); ++k) {
                const int bit = b.bits[k];
                if (bit / 8 >= raw.size()) {
                    RaiseLibraryError(liberr::kPartOutOfRange);
                }
                const bool set = uchar(raw[bit / 8]) & (0x80 >> (bit % 8));
                if (auto *box = qobject_cast<QCheckBox *>(b.controls[k].data())) {
                    box->setChecked(set);
                }
            }
        } else if (options) {
            int index = options->IndexOfText(text);
            if (index < 0) {
                index = options->IndexOfValue(text);
            }
            static_cast<QCheckBox *>(first)->setChecked(index > 0);
        } else {
            if (!isTruthSyntax(b.syntax)) {
                RaiseLibraryError(liberr::kBadPartSyntax);
            }
            static_cast<QCheckBox *>(first)->setChecked(text == QLatin1String("true"));
        }
        break;
    case ControlKind::Combo: {
        auto *combo = static_cast<QComboBox *>(first);
        SelectItem(combo, *options, text);
        if (b.controls.size() > 1) {
            const QString item = combo->currentIndex() >= 0 ? combo->currentText() : QString();
            QString rest = text.mid(item.size());
            if (b.syntax == synOid && !rest.isEmpty()) {
                rest.remove(0, 1); // the dot between the prefix and the rest of an OID
            }
            if (auto *edit = qobject_cast<QLineEdit *>(b.controls[1].data())) {
                edit->setText(rest);
            }
        }
        break;
    }
    case ControlKind::RadioGroup:
        SelectItem(first, *options, text);
        break;
    case ControlKind::Edit:
        if (b.controls.size() == 1) {
            static_cast<QLineEdit *>(first)->setText(text);
        } else {
            fillEdits(editsOf(b), b.syntax, text);
        }
        break;
    default:
        RaiseLibraryError(liberr::kBadControlKind);
    }
}

void VtSNMPRequest2Edits::CollectControls(int i)
{
    for (int k = 0; k < Request.Vars.Count(); ++k) {
        if ((i == -1 || k == i) && Request.Vars.IsWritable(k)) {
            collectVariable(k);
        }
    }
}

void VtSNMPRequest2Edits::collectVariable(int i)
{
    VtSNMPVar &v = Request.Vars.Var(i);
    QString text = v.Options ? v.Options->ValueOf(v.Value) : v.Value;
    QByteArray raw;
    bool bound = false;
    bool wholeText = false; // the last binding set the whole value as text
    for (const ControlBinding &b : m_bindings) {
        if (b.variable != i) {
            continue;
        }
        if (!bound) {
            if (v.Syntax == synDisplayString) {
                text.clear();
            } else {
                try {
                    raw = rawvalue::toRaw(v.Syntax, text);
                } catch (const VtException &) {
                    raw.clear(); // nothing usable yet; the pieces build the value
                }
            }
        }
        bound = true;
        const bool whole = b.offset == 0 && b.syntax == v.Syntax;
        const VtOptionList *options = b.options ? b.options : whole ? v.Options : nullptr;
        QWidget *first = b.controls.first();
        if (!first) {
            continue;
        }
        QString piece;
        QByteArray pieceBytes;
        bool bitsBound = false;
        switch (b.kind) {
        case ControlKind::Label:
        case ControlKind::StatusPanel:
            piece = static_cast<QLabel *>(first)->text();
            break;
        case ControlKind::CheckBox:
            if (!b.bits.isEmpty()) {
                bitsBound = true;
                for (qsizetype k = 0; k < b.bits.size(); ++k) {
                    const int bit = b.bits[k];
                    if (pieceBytes.size() <= bit / 8) {
                        pieceBytes.resize(bit / 8 + 1, '\0');
                    }
                    const auto *box = qobject_cast<const QCheckBox *>(b.controls[k].data());
                    const char mask = char(0x80 >> (bit % 8));
                    if (box && box->isChecked()) {
                        pieceBytes[bit / 8] = char(pieceBytes[bit / 8] | mask);
                    } else {
                        pieceBytes[bit / 8] = char(pieceBytes[bit / 8] & ~mask);
                    }
                }
            } else if (options) {
                piece = options->Entry(static_cast<QCheckBox *>(first)->isChecked() ? 1 : 0).Value;
            } else if (isTruthSyntax(b.syntax)) {
                piece = static_cast<QCheckBox *>(first)->isChecked() ? QStringLiteral("true")
                                                                     : QStringLiteral("false");
            } else {
                RaiseLibraryError(liberr::kBadPartSyntax);
            }
            break;
        case ControlKind::Combo:
        case ControlKind::RadioGroup:
            if (selectedItemIndex(first) < 0 && whole && b.controls.size() == 1) {
                // Nothing chosen: a value outside the list stays as it was read instead of
                // turning into an empty text that no write could carry.
                piece = m_valuesBeforeCollect.value(i, v.Value);
                if (v.Options) {
                    piece = v.Options->ValueOf(piece);
                }
                text = piece;
                wholeText = true;
                continue;
            }
            piece = selectedItemText(first);
            if (b.kind == ControlKind::Combo && b.controls.size() > 1) {
                if (b.syntax == synOid) {
                    piece += QLatin1Char('.');
                }
                piece += editText(qobject_cast<QLineEdit *>(b.controls[1].data()));
            }
            break;
        case ControlKind::Edit:
            piece = b.controls.size() == 1 ? static_cast<QLineEdit *>(first)->text()
                                           : collectEdits(editsOf(b), b.syntax);
            break;
        default:
            RaiseLibraryError(liberr::kBadControlKind);
        }
        if (!bitsBound && options) {
            piece = options->ValueOf(piece);
        }
        if (whole && !bitsBound) {
            // A whole value replaces everything, whatever the length of the old one.
            text = piece;
            wholeText = true;
            continue;
        }
        if (!bitsBound) {
            pieceBytes = rawvalue::toRaw(b.syntax, piece);
        }
        if (wholeText) {
            raw = rawvalue::toRaw(v.Syntax, text);
            wholeText = false;
        }
        if (b.offset < 0) {
            RaiseLibraryError(liberr::kPartOutOfRange);
        }
        if (raw.size() < b.offset + pieceBytes.size()) {
            raw.resize(b.offset + pieceBytes.size(), '\0');
        }
        raw.replace(b.offset, pieceBytes.size(), pieceBytes);
    }
    if (!bound) {
        return;
    }
    const QString value = wholeText ? text : rawvalue::fromRaw(v.Syntax, raw);
    v.Value = v.Options ? v.Options->TextOf(value) : value;
}

void VtSNMPRequest2Edits::EnableControls(bool enable)
{
    for (const ControlBinding &b : m_bindings) {
        for (const QPointer<QWidget> &c : b.controls) {
            if (c) {
                c->setEnabled(enable);
            }
        }
    }
}

void VtSNMPRequest2Edits::SetConstraintOwner(QWidget *control)
{
    Constraints.SetOwner(control);
}

QLineEdit *VtSNMPRequest2Edits::boundEdit(QLineEdit *edit) const
{
    for (const ControlBinding &b : m_bindings) {
        for (const QPointer<QWidget> &c : b.controls) {
            if (edit && c == edit) {
                return edit;
            }
        }
    }
    return nullptr;
}

void VtSNMPRequest2Edits::SetChangeHandler(QLineEdit *edit, std::function<void()> handler)
{
    if (!Constraints.isConstrained(edit)) {
        if (!boundEdit(edit)) {
            RaiseLibraryError(liberr::kBadControlKind);
        }
        Constraints.Add(QStringLiteral("%s"), edit);
    }
    Constraints.setChangeHandler(edit, std::move(handler));
}

void VtSNMPRequest2Edits::SetExitHandler(QLineEdit *edit, std::function<void()> handler)
{
    if (!Constraints.isConstrained(edit)) {
        if (!boundEdit(edit)) {
            RaiseLibraryError(liberr::kBadControlKind);
        }
        Constraints.Add(QStringLiteral("%s"), edit);
    }
    Constraints.setExitHandler(edit, std::move(handler));
}

void VtSNMPRequest2Edits::BeforeGet()
{
    dropRowsBeforeRead();
    if (m_listView) {
        setUpColumns();
        for (QTreeWidgetItem *row : m_listView->invisibleRootItem()->takeChildren()) {
            m_rowsBeforeRead.emplace_back(row);
        }
    }
    for (Secret &secret : m_secrets) {
        secret.edited = false; // what the read brings is the device's, not the operator's
    }
    if (BeforeGetHook) {
        BeforeGetHook();
    }
}

void VtSNMPRequest2Edits::dropRowsBeforeRead()
{
    m_rowsBeforeRead.clear();
}

void VtSNMPRequest2Edits::ReadGotNoAnswer()
{
    if (m_listView && m_listView->topLevelItemCount() == 0) {
        for (std::unique_ptr<QTreeWidgetItem> &row : m_rowsBeforeRead) {
            m_listView->addTopLevelItem(row.release());
        }
    }
    dropRowsBeforeRead();
}

void VtSNMPRequest2Edits::BindSecret(int i, QLineEdit *edit)
{
    BindControl(i, edit);
    QLineEdit *line = edit;
    line->setEchoMode(QLineEdit::Password);
    m_secrets.push_back(Secret{i, line});
    QObject::connect(line, &QLineEdit::textEdited, m_secretContext.get(), [this, line] {
        for (Secret &secret : m_secrets) {
            if (secret.edit == line) {
                secret.edited = true;
            }
        }
    });
}

bool VtSNMPRequest2Edits::SecretEdited(int i) const
{
    for (const Secret &secret : m_secrets) {
        if (secret.variable == i) {
            return secret.edited;
        }
    }
    return false;
}

void VtSNMPRequest2Edits::BeginWrite()
{
    for (Secret &secret : m_secrets) {
        VtSNMPVar &v = Request.Vars.Var(secret.variable);
        secret.flagsBeforeWrite = -1;
        if (!secret.edited && (v.Flags & vfWrite) != 0) {
            secret.flagsBeforeWrite = v.Flags;
            v.Flags &= ~vfWrite; // read-only for this write
        }
    }
}

void VtSNMPRequest2Edits::EndWrite()
{
    for (Secret &secret : m_secrets) {
        if (secret.flagsBeforeWrite >= 0) {
            Request.Vars.Var(secret.variable).Flags = secret.flagsBeforeWrite;
            secret.flagsBeforeWrite = -1;
        }
    }
}

void VtSNMPRequest2Edits::BeforeSet()
{
    if (BeforeSetHook) {
        BeforeSetHook();
    }
}

void VtSNMPRequest2Edits::ShowData()
{
    if (m_listView) {
        dropRowsBeforeRead();
        addListRow();
        VtUi::current().processEvents(); // the row shows at once; must stay the last step
    } else {
        FillControls(-1);
    }
}

void VtSNMPRequest2Edits::CollectData()
{
    m_valuesBeforeCollect.clear();
    for (int i = 0; i < Request.Vars.Count(); ++i) {
        m_valuesBeforeCollect.append(Request.Vars.Var(i).Value);
        Request.Vars.Var(i).Value.clear();
    }
    copySelectedRow();
    try {
        CollectControls(-1);
    } catch (...) {
        m_valuesBeforeCollect.clear();
        throw;
    }
    m_valuesBeforeCollect.clear();
}

void VtSNMPRequest2Edits::AfterGet()
{
    dropRowsBeforeRead();
    if (m_listView && EditRows && Request.Vars.ItemType == itTableSelect) {
        EnableControls(false);
    }
    if (AfterGetHook) {
        AfterGetHook();
    }
}

void VtSNMPRequest2Edits::AfterSet()
{
    if (AfterSetHook) {
        AfterSetHook();
    }
}

void VtSNMPRequest2Edits::ListViewSelect(QTreeWidgetItem *item, bool selected)
{
    if (OnListViewSelect) {
        OnListViewSelect(item, selected);
    }
    if (!selected) {
        return;
    }
    if (EditRows) {
        EnableControls(true);
    }
    copySelectedRow();
    FillControls(-1);
    for (Secret &secret : m_secrets) {
        secret.edited = false; // what the row brings is the device's, as after a read
    }
}

void New_req2Edit::BeforeGet()
{
    // Every read numbers its rows from 1, a read the binding queued on its own included.
    RowNumber = 1;
    VtSNMPRequest2Edits::BeforeGet();
}

void New_req2Edit::ShowData()
{
    if (!ListView()) {
        FillControls(-1);
        return;
    }
    if (Request.Vars.Var(SkipColumn).Value != SkipValue) {
        dropRowsBeforeRead();
        AddRow();
        ++RowNumber;
    }
    VtUi::current().processEvents(); // must stay the last step: the page may close meanwhile
}

void New_req2Edit::AddRow()
{
    const QString caption = QString::number(RowNumber);
    addListRow(&caption);
}
