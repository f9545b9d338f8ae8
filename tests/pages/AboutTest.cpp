// The About page: name, release version of this build, and the build label on its key.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TAboutForm.h"

#include <ostream>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct KeyCase
{
    const char *name;
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    bool onOk; // pressed while OK has the focus
    bool shown;
};

void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << c.name;
}

const KeyCase kKeys[] = {
    {"ShiftAltF3OnOkShowsTheLabel", Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F3, true, true},
    {"F3AloneDoesNot", Qt::NoModifier, Qt::Key_F3, true, false},
    {"ShiftF3DoesNot", Qt::ShiftModifier, Qt::Key_F3, true, false},
    {"CtrlShiftAltF3DoesNot", Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier, Qt::Key_F3,
        true, false},
    {"ShiftAltF4DoesNot", Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F4, true, false},
    {"ShiftAltF3ElsewhereDoesNot", Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F3, false, false},
};

class AboutBuildLabel : public testing::TestWithParam<KeyCase>
{ };

TEST_P(AboutBuildLabel, ShowsOnlyOnItsKey)
{
    const KeyCase &c = GetParam();
    TAboutForm page(nullptr);
    page.showPage();
    EXPECT_FALSE(page.Lab_Build->isVisible());
    QWidget *target = c.onOk ? static_cast<QWidget *>(page.Bt_OK) : page.Lab_Name;
    QTest::keyClick(target, c.key, c.modifiers);
    EXPECT_EQ(page.Lab_Build->isVisible(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutBuildLabel, testing::ValuesIn(kKeys), kvatest::caseName);

TEST(AboutPage, ShowsTheModuleAndThisBuildsVersion)
{
    TAboutForm page(nullptr);
    page.showPage();
    EXPECT_EQ(page.windowTitle(), "Help\\About");
    EXPECT_EQ(page.Lab_Name->text(), "Vantrel KVA-7310 Management Module");
    EXPECT_TRUE(page.Lab_Version->text().startsWith(QLatin1String("Release Version:")));
    EXPECT_TRUE(page.Lab_Version->text().endsWith(QLatin1String(KVA_EXPECTED_VERSION)));
    EXPECT_TRUE(page.Lab_Build->text().contains(QLatin1String(KVA_EXPECTED_VERSION)));
    EXPECT_FALSE(page.Image1->pixmap().isNull());
    EXPECT_EQ(page.focusWidget(), page.Bt_OK);
    page.Bt_OK->click();
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(page.result(), QDialog::Accepted);
}

} // namespace
