// Every registered page's controls against the pages' control lists: names, kinds, captions,
// typing limits and order. Each page's list is a file of its own, tests/pages/inventory/
// <Class>.controls, one line per control: name, kind, typing limit (0 for none), then the caption
// in double quotes or * where the page's documentation gives none (a list's column captions are
// joined by "|"). A registered page without its file fails, so no page goes unlisted.
#include "ModulePages.h"
#include "PageRegistry.h"
#include "QtPrinters.h"
#include "TFM_Page.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

struct ControlRow
{
    QString name;
    QString kind; // as the form builder declares it: "Edit", "HiddenCombo", "List", ...
    int limit = 0;
    std::optional<QString> caption; // none: any caption passes
    int line = 0;
};

QString inventoryFile(const QString &className)
{
    return QDir(qEnvironmentVariable("KVA7310_SOURCE_DIR"))
        .filePath(
            QStringLiteral("tests/pages/inventory/") + className + QStringLiteral(".controls"));
}

// The rows of a page's file; a line that does not parse fails the test where it stands.
std::vector<ControlRow> readRows(const QString &path)
{
    std::vector<ControlRow> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return rows;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList words = line.split(QLatin1Char(' '));
        ControlRow row;
        row.line = number;
        bool ok = words.size() >= 4;
        if (ok) {
            row.name = words[0];
            row.kind = words[1];
            row.limit = words[2].toInt(&ok);
        }
        const QString caption = line.section(QLatin1Char(' '), 3);
        if (caption == QLatin1String("*")) {
            row.caption.reset();
        } else if (caption.size() >= 2 && caption.startsWith(QLatin1Char('"'))
            && caption.endsWith(QLatin1Char('"'))) {
            row.caption = caption.mid(1, caption.size() - 2);
        } else {
            ok = false;
        }
        EXPECT_TRUE(ok) << path.toStdString() << ":" << number << ": cannot read \""
                        << line.toStdString() << "\"";
        if (ok) {
            rows.push_back(row);
        }
    }
    return rows;
}

std::string describe(const PageControl &c)
{
    return c.name.toStdString() + " " + c.kind.toStdString() + " " + std::to_string(c.limit) + " \""
        + c.caption.toStdString() + "\"";
}

std::string describe(const ControlRow &r)
{
    return "line " + std::to_string(r.line) + ": " + r.name.toStdString() + " "
        + r.kind.toStdString() + " " + std::to_string(r.limit) + " "
        + (r.caption ? "\"" + r.caption->toStdString() + "\"" : std::string("*"));
}

std::vector<QString> registeredPages()
{
    PageRegistry registry;
    registerModulePages(registry);
    std::vector<QString> pages;
    for (const PageRegistry::Entry &e : registry.entries()) {
        pages.push_back(e.className);
    }
    return pages;
}

class ControlInventory : public testing::TestWithParam<QString>
{ };

TEST_P(ControlInventory, MatchesThePagesControlList)
{
    const QString className = GetParam();
    PageRegistry registry;
    registerModulePages(registry);
    const PageRegistry::Entry *entry = registry.find(className);
    ASSERT_NE(entry, nullptr);
    const std::unique_ptr<TFM_Page> page = entry->create(nullptr, PageContext{});
    const std::vector<PageControl> &controls = page->inventory();
    const QString path = inventoryFile(className);
    const std::vector<ControlRow> rows = readRows(path);
    ASSERT_FALSE(rows.empty()) << "no control list " << path.toStdString();
    const std::size_t n = std::max(controls.size(), rows.size());
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_LT(i, controls.size()) << "missing control, " << describe(rows[i]);
        ASSERT_LT(i, rows.size()) << "control not in the list: " << describe(controls[i]);
        const PageControl &c = controls[i];
        const ControlRow &r = rows[i];
        SCOPED_TRACE(describe(r));
        EXPECT_EQ(c.name, r.name);
        EXPECT_EQ(c.kind, r.kind);
        if (r.caption) {
            EXPECT_EQ(c.caption, *r.caption);
        }
        EXPECT_EQ(c.limit, r.limit);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ControlInventory, testing::ValuesIn(registeredPages()),
    [](const auto &row) { return row.param.toStdString(); });

} // namespace
