// The pages the main window's menu can open, by menu path. A menu entry is enabled when its page
// is registered here; choosing it creates the page, shows it modally and destroys it on close.
#pragma once

#include "PageContext.h"

#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;
class TFM_Page;

class PageRegistry
{
public:
    using Factory = std::function<std::unique_ptr<TFM_Page>(QWidget *owner, const PageContext &)>;

    struct Entry
    {
        QString menuPath;  ///< "Status \\ Stats \\ WLAN"
        QString className; ///< "TFM_StatWLAN"
        Factory create;
    };

    /// Registers a page; a second entry for the same menu path replaces the first.
    void add(const QString &menuPath, const QString &className, Factory create);

    template <class Page>
    void add(const QString &menuPath, const QString &className)
    {
        add(menuPath, className, [](QWidget *owner, const PageContext &context) {
            return std::unique_ptr<TFM_Page>(new Page(owner, context));
        });
    }

    const Entry *find(const QString &menuPathOrClass) const;

    bool has(const QString &menuPath) const { return find(menuPath) != nullptr; }

    QStringList menuPaths() const;

    /// Creates the page, runs it modally and destroys it; false when nothing is registered.
    bool open(const QString &menuPath, QWidget *owner, const PageContext &context) const;

    /// The registry the main window consults.
    static PageRegistry &instance();

private:
    std::vector<Entry> m_entries;
};

/// Joins menu captions the way the registry keys them: "Status", "Stats", "WLAN" ->
/// "Status \\ Stats \\ WLAN".
QString menuPath(const QStringList &captions);
