// Option lists: translation between raw values and display texts, unknown values passed through.
#include "VtOptionList.h"

#include "UISnmpVar.h"
#include "VtSNMPError.h"

#include <utility>

namespace {

bool toNumber(const QString &text, int *number)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (ok) {
        *number = n;
    }
    return ok;
}

/// An entry as an item: its value text is the number's unless the entry gives one, and a given
/// value that reads as a number is that number.
VtOptionItem itemOf(const VtOptionEntry &e)
{
    VtOptionItem item;
    item.Number = e.Number;
    item.Text = QString::fromUtf8(e.Text);
    item.Value = e.Value ? QString::fromUtf8(e.Value) : QString::number(e.Number);
    if (e.Value) {
        toNumber(item.Value, &item.Number);
    }
    return item;
}

} // namespace

VtOptionList::VtOptionList(const VtOptionEntry *table, int kind, bool caseSensitive)
    : Kind(kind), CaseSensitive(caseSensitive)
{
    for (const VtOptionEntry *e = table; e && e->Text; ++e) {
        m_rows.push_back(*e);
    }
}

VtOptionList::VtOptionList(
    std::initializer_list<VtOptionEntry> entries, int kind, bool caseSensitive)
    : Kind(kind), CaseSensitive(caseSensitive)
{
    for (const VtOptionEntry &e : entries) {
        if (!e.Text) {
            break;
        }
        m_rows.push_back(e);
    }
}

const QList<VtOptionItem> &VtOptionList::items() const
{
    if (!m_rows.empty()) {
        const std::vector<VtOptionEntry> rows = std::move(m_rows);
        m_rows.clear();
        m_items.reserve(m_items.size() + qsizetype(rows.size()));
        for (const VtOptionEntry &e : rows) {
            m_items.append(itemOf(e));
        }
    }
    return m_items;
}

void VtOptionList::Append(const VtOptionEntry *table)
{
    if (!table) {
        return;
    }
    for (const VtOptionEntry *e = table; e->Text; ++e) {
        Append({*e});
    }
}

void VtOptionList::Append(std::initializer_list<VtOptionEntry> entries)
{
    items(); // the rows given earlier come first
    for (const VtOptionEntry &e : entries) {
        if (!e.Text) {
            break;
        }
        m_items.append(itemOf(e));
    }
}

void VtOptionList::Append(int number, const QString &text)
{
    items();
    m_items.append({number, QString::number(number), text});
}

void VtOptionList::Append(const QString &value, const QString &text)
{
    VtOptionItem item{0, value, text};
    toNumber(value, &item.Number);
    items();
    m_items.append(item);
}

const VtOptionItem &VtOptionList::Entry(int i) const
{
    if (i < 0 || i >= Count()) {
        RaiseCommonError(12);
    }
    return items().at(i);
}

bool VtOptionList::matches(const QString &entry, const QString &text, bool prefix) const
{
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return prefix ? text.startsWith(entry, cs) : text.compare(entry, cs) == 0;
}

int VtOptionList::IndexOfText(const QString &text) const
{
    for (int i = 0; i < Count(); ++i) {
        if (matches(items().at(i).Text, text, Kind == okPrefix)) {
            return i;
        }
    }
    return -1;
}

int VtOptionList::IndexOfValue(const QString &value) const
{
    if (Kind == okNumber) {
        int number = 0;
        if (value == QLatin1String(kSnmpNullText) || !toNumber(value, &number)) {
            return -1;
        }
        for (int i = 0; i < Count(); ++i) {
            if (items().at(i).Number == number) {
                return i;
            }
        }
        return -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (matches(items().at(i).Value, value, Kind == okPrefix)) {
            return i;
        }
    }
    return -1;
}

QString VtOptionList::TextOf(const QString &value) const
{
    const int i = IndexOfValue(value);
    if (i < 0) {
        return value;
    }
    const VtOptionItem &item = items().at(i);
    if (Kind == okPrefix) {
        return item.Text + value.mid(item.Value.size());
    }
    return item.Text;
}

QString VtOptionList::ValueOf(const QString &text) const
{
    const int i = IndexOfText(text);
    if (i < 0) {
        return text;
    }
    const VtOptionItem &item = items().at(i);
    switch (Kind) {
    case okNumber:
        return QString::number(item.Number);
    case okPrefix:
        return item.Value + text.mid(item.Text.size());
    default:
        return item.Value;
    }
}
