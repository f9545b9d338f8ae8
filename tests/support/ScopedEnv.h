// Environment variables and settings set for one test and put back afterwards.
#pragma once

#include <utility>

#include <QByteArray>
#include <QList>

class ScopedEnv
{
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

    ~ScopedEnv()
    {
        for (qsizetype i = m_saved.size(); i-- > 0;) { // the last change is undone first
            const Saved &saved = m_saved.at(i);
            if (saved.wasSet) {
                qputenv(saved.name.constData(), saved.value);
            } else {
                qunsetenv(saved.name.constData());
            }
        }
    }

    void set(const char *name, const QByteArray &value)
    {
        save(name);
        qputenv(name, value);
    }

    void unset(const char *name)
    {
        save(name);
        qunsetenv(name);
    }

private:
    struct Saved
    {
        QByteArray name;
        QByteArray value;
        bool wasSet;
    };

    void save(const char *name)
    {
        m_saved.append(Saved{name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    }

    QList<Saved> m_saved;
};

/// A setting (a static, a member of a settings struct) changed for one test and put back, whatever
/// way the test leaves.
template <class T>
class ScopedValue
{
public:
    ScopedValue(T &setting, T value) : m_setting(setting), m_saved(std::move(setting))
    {
        m_setting = std::move(value);
    }

    ~ScopedValue() { m_setting = std::move(m_saved); }

    ScopedValue(const ScopedValue &) = delete;
    ScopedValue &operator=(const ScopedValue &) = delete;

private:
    T &m_setting;
    T m_saved;
};
