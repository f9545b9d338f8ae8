// The registry of pages the menu opens.
#include "PageRegistry.h"

#include "TFM_Page.h"

void PageRegistry::add(const QString &entry, const QString &className, Factory create)
{
    for (Entry &e : m_entries) {
        // a page without a menu entry is told apart by its class
        if (entry.isEmpty() ? e.entry.isEmpty() && e.className == className : e.entry == entry) {
            e = Entry{entry, className, std::move(create)};
            return;
        }
    }
    m_entries.push_back(Entry{entry, className, std::move(create)});
}

const PageRegistry::Entry *PageRegistry::find(const QString &entryOrClass) const
{
    for (const Entry &e : m_entries) {
        if ((!e.entry.isEmpty() && e.entry == entryOrClass) || e.className == entryOrClass) {
            return &e;
        }
    }
    return nullptr;
}

bool PageRegistry::open(
    const QString &entryOrClass, QWidget *owner, const PageContext &context) const
{
    const Entry *entry = find(entryOrClass);
    if (entry == nullptr || !entry->create) {
        return false;
    }
    std::unique_ptr<TFM_Page> page = entry->create(owner, context);
    page->openModal();
    return true;
}

PageRegistry &PageRegistry::instance()
{
    static PageRegistry registry;
    return registry;
}
