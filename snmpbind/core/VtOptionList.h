// Value/text translation tables for enumerated objects ("0=Disable, 1=Enable").
#pragma once

#include <initializer_list>
#include <vector>

#include <QList>
#include <QString>

enum : int {
    okNumber = 1, ///< values are 32-bit integers
    okText = 2,   ///< values are texts
    okPrefix = 3, ///< values are texts matched as prefixes
};

/// One row of a static option table; a table ends with a row without text ({}).
/// Number is the value of okNumber lists, Value the value text of okText/okPrefix lists.
struct VtOptionEntry
{
    int Number = 0;
    const char *Text = nullptr;
    const char *Value = nullptr;
};

/// An entry as the list holds it. For okNumber, Value is Number in decimal.
struct VtOptionItem
{
    int Number = 0;
    QString Value;
    QString Text;
};

class VtOptionList
{
public:
    VtOptionList() = default;
    /// A static table's rows up to the row without text; like the list below, turned into
    /// entries when first used.
    explicit VtOptionList(
        const VtOptionEntry *table, int kind = okNumber, bool caseSensitive = false);
    /// {{0, "Disable"}, {1, "Enable"}}: an okNumber list, not case-sensitive. The texts must
    /// outlive the list (literals): they are turned into entries when the list is first used,
    /// so the many static lists of the pages cost the start-up nothing.
    VtOptionList(std::initializer_list<VtOptionEntry> entries, int kind = okNumber,
        bool caseSensitive = false);

    /// Adds the rows of a static table up to its row without text.
    void Append(const VtOptionEntry *table);
    void Append(std::initializer_list<VtOptionEntry> entries);
    void Append(int number, const QString &text);
    void Append(const QString &value, const QString &text);

    void Clear()
    {
        m_rows.clear();
        m_items.clear();
    }

    int Count() const { return int(items().size()); }

    /// Entry i; throws VtException (-12) outside 0 <= i < Count().
    const VtOptionItem &Entry(int i) const;

    /// First entry whose text equals text (okPrefix: whose text is a prefix of it); -1 if none.
    int IndexOfText(const QString &text) const;
    /// okNumber: -1 for "(NULL)" or a non-integer, else the first entry with that number;
    /// okText: equal value text; okPrefix: the first entry whose value is a prefix of value.
    int IndexOfValue(const QString &value) const;
    /// Raw value to display text; a value not in the list comes back unchanged.
    QString TextOf(const QString &value) const;
    /// Display text to raw value; a text not in the list comes back unchanged.
    QString ValueOf(const QString &text) const;

    int Kind = okNumber;
    bool CaseSensitive = false;

private:
    bool matches(const QString &entry, const QString &text, bool prefix) const;

    /// The entries, after turning the rows not yet turned into entries.
    const QList<VtOptionItem> &items() const;

    mutable std::vector<VtOptionEntry> m_rows; // given, not yet turned into entries
    mutable QList<VtOptionItem> m_items;
};
