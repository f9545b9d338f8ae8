// The main window's menu with the administration pages registered: their entries are enabled and
// create the right page, owned by the window and given its settings.
#include "AdminPages.h"
#include "PageRegistry.h"
#include "QtPrinters.h"
#include "TFM_DevInfo.h"
#include "TMainForm.h"

#include <memory>

#include <QAction>

#include <gtest/gtest.h>

namespace {

TEST(MenuPages, AdminEntriesAreEnabledAndCreateTheirPages)
{
    ModuleSettings settings;
    settings.wlanStatisticsWaitMs = 123;
    TMainForm form(settings);
    PageRegistry registry;
    registerAdminPages(registry);
    registerPagesWith(form, registry);
    const char *const entries[][2] = {{"Information1", "TFM_Information"},
        {"stEthernet1", "TFM_DevInfo"}, {"Ethernet1", "TFM_Static"}, {"WLAN1", "TFM_StatWLAN"},
        {"tAdmin1", "TFM_Admin2"}, {"Time", "TFM_Time"}, {"About1", "TAboutForm"}};
    for (const auto &[entry, className] : entries) {
        QAction *action = form.menuEntry(QLatin1String(entry));
        ASSERT_NE(action, nullptr) << entry;
        EXPECT_TRUE(action->isEnabled()) << entry;
        std::unique_ptr<QDialog> page(form.createPage(QLatin1String(className)));
        ASSERT_NE(page, nullptr) << className;
        EXPECT_STREQ(page->metaObject()->className(), className);
        EXPECT_EQ(page->parentWidget(), &form);
        EXPECT_EQ(
            static_cast<TFM_Page *>(page.get())->context().settings.wlanStatisticsWaitMs, 123);
    }
    EXPECT_FALSE(form.menuEntry(QStringLiteral("VlanSetting1"))->isEnabled());
}

} // namespace
