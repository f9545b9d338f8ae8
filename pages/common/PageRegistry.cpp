// The registry of pages the menu opens.
#include "PageRegistry.h"

#include "TFM_Page.h"

void PageRegistry::add(const QString &menuPath, const QString &className, Factory create)
{
    for (Entry &e : m_entries) {
        if (e.menuPath == menuPath) {
            e = Entry{menuPath, className, std::move(create)};
            return;
        }
    }
    m_entries.push_back(Entry{menuPath, className, std::move(create)});
}

const PageRegistry::Entry *PageRegistry::find(const QString &menuPathOrClass) const
{
    for (const Entry &e : m_entries) {
        if (e.menuPath == menuPathOrClass || e.className == menuPathOrClass) {
            return &e;
        }
    }
    return nullptr;
}

QStringList PageRegistry::menuPaths() const
{
    QStringList paths;
    for (const Entry &e : m_entries) {
        paths.append(e.menuPath);
    }
    return paths;
}

bool PageRegistry::open(const QString &menuPath, QWidget *owner, const PageContext &context) const
{
    const Entry *entry = find(menuPath);
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

QString menuPath(const QStringList &captions)
{
    return captions.join(QStringLiteral(" \\ "));
}
