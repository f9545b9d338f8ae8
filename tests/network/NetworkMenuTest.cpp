// The main window's menu with the network pages registered: each entry opens its page, the hidden
// "Internal RADIUS Server" and "Traffic Control" entries included (an invisible entry reports
// itself disabled, so it is tried by triggering it).
#include "CaseName.h"
#include "NetworkPages.h"
#include "PageHarness.h"
#include "PageRegistry.h"
#include "QtPrinters.h"
#include "TFM_LRADIUSSer.h"
#include "TMainForm.h"

#include <memory>
#include <ostream>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct EntryCase
{
    const char *name;
    const char *entry;
    const char *className;
    bool visible;
};

void PrintTo(const EntryCase &c, std::ostream *out)
{
    *out << c.name;
}

const EntryCase kEntries[] = {
    {"WebRedirection", "WebRedirection1", "TFM_WebRedirection", true},
    {"ARPSpoofing", "ARPSpoofingPreventionSettings1", "TFM_ARPSpoofing", true},
    {"InternalRadiusServer", "mniLocalRADIUSServer1", "TFM_LRADIUSSer", false},
    {"Vlan", "VlanSetting1", "TFM_VlanSetting", true},
    {"Qos", "QosSetting1", "TFM_QosSetting", true},
    {"TrafficControl", "mniTrafficControl1", "TFM_TrafficCtrl", false},
};

class NetworkMenu : public testing::TestWithParam<EntryCase>
{ };

TEST_P(NetworkMenu, TheEntryUnderAdvancedOpensItsPage)
{
    const EntryCase &c = GetParam();
    kvatest::PageOptions later;
    later.openNow = false;
    kvatest::PageHarness<TFM_LRADIUSSer> device(
        later); // the simulated device, the agent aimed at it
    ModuleSettings settings;
    settings.timeoutScale = 0.01;
    TMainForm form(settings);
    PageRegistry registry;
    registerNetworkPages(registry);
    registerPagesWith(form, registry);

    QAction *action = form.menuEntry(QLatin1String(c.entry));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->isVisible(), c.visible);
    bool underAdvanced = false;
    for (QObject *o : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(o)) {
            underAdvanced = underAdvanced || menu->title() == QLatin1String("Advanced");
        }
    }
    EXPECT_TRUE(underAdvanced);

    // the page runs modally: once it has read what it shows, the operator closes it
    QString opened;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto *page = qobject_cast<TFM_Page *>(QApplication::activeModalWidget());
        if (page != nullptr && page->formReady() && page->requestsIdle()) {
            opened = QLatin1String(page->metaObject()->className());
            page->reject();
        }
    });
    closer.start(10);
    action->trigger(); // returns when the page has closed
    closer.stop();
    EXPECT_EQ(opened, c.className);
    EXPECT_TRUE(QApplication::activeModalWidget() == nullptr);

    // found by class as well, as the screenshot run finds it
    const std::unique_ptr<QDialog> byClass(form.createPage(QLatin1String(c.className)));
    ASSERT_NE(byClass, nullptr);
    EXPECT_STREQ(byClass->metaObject()->className(), c.className);
}

INSTANTIATE_TEST_SUITE_P(Entries, NetworkMenu, testing::ValuesIn(kEntries), kvatest::caseName);

} // namespace
