// The pages the main window's menu can open. Each is registered under its menu entry's name (the
// entry's handler name without "Click", as "WLAN1") and its class name; the main window enables
// an entry once its page is here and creates the page from it when the entry is chosen.
#pragma once

#include "PageContext.h"
#include "TFM_Page.h"

#include <functional>
#include <memory>
#include <vector>

#include <QString>

class QDialog;
class QWidget;

class PageRegistry
{
public:
    using Factory = std::function<std::unique_ptr<TFM_Page>(QWidget *owner, const PageContext &)>;

    struct Entry
    {
        QString entry;     ///< "WLAN1"
        QString className; ///< "TFM_StatWLAN"
        Factory create;
    };

    /// Registers a page; a second registration for the same entry replaces the first. A page the
    /// menu does not open (a tab of another page, opened on its own by measurements) has an empty
    /// entry and is known by its class.
    void add(const QString &entry, const QString &className, Factory create);

    template <class Page>
    void add(const QString &entry, const QString &className)
    {
        add(entry, className, [](QWidget *owner, const PageContext &context) {
            return std::unique_ptr<TFM_Page>(new Page(owner, context));
        });
    }

    /// By entry name or class name; null when not registered.
    const Entry *find(const QString &entryOrClass) const;

    bool has(const QString &entryOrClass) const { return find(entryOrClass) != nullptr; }

    const std::vector<Entry> &entries() const { return m_entries; }

    /// Creates the page, runs it modally and destroys it; false when nothing is registered.
    bool open(const QString &entryOrClass, QWidget *owner, const PageContext &context) const;

    /// The registry the program fills at start and the main window consults.
    static PageRegistry &instance();

private:
    std::vector<Entry> m_entries;
};

/// Hands every page of `registry` to a main window's
/// `registerPage(entry, className, QDialog *(Window &))`, which enables the entry; each page gets
/// the window as owner and the window's settings and device state. At start-up:
///     registerModulePages(PageRegistry::instance());
///     registerPagesWith(form);
template <class Window>
void registerPagesWith(Window &window, const PageRegistry &registry = PageRegistry::instance())
{
    for (const PageRegistry::Entry &e : registry.entries()) {
        window.registerPage(e.entry.isEmpty() ? e.className : e.entry, e.className,
            [create = e.create](Window &owner) {
                return static_cast<QDialog *>(
                    create(&owner, PageContext{owner.settings(), &owner.state()}).release());
            });
    }
}
