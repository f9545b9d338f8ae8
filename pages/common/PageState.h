// What pages remember beyond their own lifetime, for the run of the module: a page closes and is
// destroyed, the next one opened reads what an earlier one left (the security chosen per mode,
// the key restart pending). Keys are the pages' own; one state per module, a fresh one per test.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

class PageState
{
public:
    QVariant value(const QString &key, const QVariant &fallback = {}) const
    {
        return m_values.value(key, fallback);
    }

    void setValue(const QString &key, const QVariant &value) { m_values.insert(key, value); }

    bool contains(const QString &key) const { return m_values.contains(key); }

    void remove(const QString &key) { m_values.remove(key); }

    bool flag(const QString &key) const { return m_values.value(key).toBool(); }

    void setFlag(const QString &key, bool on) { m_values.insert(key, on); }

    /// The state of this module's run.
    static PageState &module();

private:
    QHash<QString, QVariant> m_values;
};
