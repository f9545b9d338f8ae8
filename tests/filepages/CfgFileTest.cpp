// The configuration file page against the simulated device.
#include "CaseName.h"
#include "PageHarness.h"
#include "TFM_CfgFile.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using kvatest::PageHarness;

namespace {

TEST(CfgFile, ASavedFileRestoresTheDeviceAfterAChange)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    ASSERT_TRUE(h.device.command(QStringLiteral("fault clear")).ok);
    h.open();
    const QString saved = h.files.filePath(QStringLiteral("backup"));
    h.ui.fileNames = {saved};
    h.click("Bt_SavBrw");
    h.click("Bt_Upload");
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The configuration file saved successfully!")));
    QFile file(saved + QStringLiteral(".dcf")); // a name without extension gets ".dcf"
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("rack 4"));

    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 9")));
    h.ui.clear();
    h.page->Ed_UpgFile->setText(saved + QStringLiteral(".dcf"));
    h.click("Bt_OK");
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The configuration file update successfully!")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
    EXPECT_EQ(h.page->Ed_UpgFile->text(), saved + QStringLiteral(".dcf"));
}

TEST(CfgFile, ACorruptFileIsRefusedAndTheDeviceKeepsItsSettings)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    h.page->Ed_UpgFile->setText(h.file(QStringLiteral("broken.dcf"), "sysLocation=elsewhere\n"));
    h.click("Bt_OK");
    EXPECT_EQ(h.ui.lastMessage().text, QStringLiteral("Fail to update the configuration file!"));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("ERROR"));
    EXPECT_FALSE(h.sawMessage(QStringLiteral("The configuration file update successfully!")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
    EXPECT_TRUE(h.page->isEnabled());
}

struct BrokenTransfer
{
    const char *name;
    bool restore;
    const char *message;
};

class CfgFileBrokenTransfer : public testing::TestWithParam<BrokenTransfer>
{ };

TEST_P(CfgFileBrokenTransfer, IsReportedAndLeavesThePageUsable)
{
    const BrokenTransfer &c = GetParam();
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    QByteArray big = "KVA7310-CONFIG 1\n";
    while (big.size() < 3000) {
        big += "# padding line to make the file span several blocks\n";
    }
    const QString restoreFrom = h.file(QStringLiteral("big.dcf"), big);
    ASSERT_TRUE(h.device.fault(QStringLiteral("failtransfer")));
    if (c.restore) {
        h.page->Ed_UpgFile->setText(restoreFrom);
        h.click("Bt_OK");
    } else {
        h.ui.fileNames = {h.files.filePath(QStringLiteral("saved.dcf"))};
        h.click("Bt_SavBrw");
        h.click("Bt_Upload");
    }
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("ERROR"));
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
}

INSTANTIATE_TEST_SUITE_P(Directions, CfgFileBrokenTransfer,
    testing::Values(BrokenTransfer{"Restore", true, "Fail to update the configuration file!"},
        BrokenTransfer{"Save", false, "Fail to save the configuration file!"}),
    kvatest::caseName);

struct CfgCheck
{
    const char *name;
    const char *path; // "@" stands for the test's directory
    const char *message;
};

class CfgFileCheck : public testing::TestWithParam<CfgCheck>
{ };

TEST_P(CfgFileCheck, RefusesWithItsMessageAndSendsNothing)
{
    const CfgCheck &c = GetParam();
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    h.open();
    h.file(QStringLiteral("settings.txt"), "x");
    QString path = QString::fromUtf8(c.path);
    path.replace(QLatin1Char('@'), h.files.path());
    h.page->Ed_UpgFile->setText(path);
    h.click("Bt_OK");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("Warning"));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(Restore, CfgFileCheck,
    testing::Values(CfgCheck{"Empty", "", "Empty file is not accepted."},
        CfgCheck{"Missing", "@/none.dcf", "File format error! Please try again!"},
        CfgCheck{"NotDcf", "@/settings.txt", "File format error! Please try again!"}),
    kvatest::caseName);

TEST(CfgFile, AFileWithoutExtensionInADcfDirectoryIsRestored)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    ASSERT_TRUE(QDir(h.files.path()).mkdir(QStringLiteral("saved.dcf")));
    const QString saved = h.files.filePath(QStringLiteral("saved.dcf/settings.dcf"));
    h.ui.fileNames = {saved};
    h.click("Bt_SavBrw");
    h.click("Bt_Upload");
    const QString plain = h.files.filePath(QStringLiteral("saved.dcf/settings"));
    ASSERT_TRUE(QFile::rename(saved, plain));

    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 9")));
    h.page->Ed_UpgFile->setText(plain);
    h.click("Bt_OK");
    EXPECT_EQ(
        h.ui.lastMessage().text, QStringLiteral("The configuration file update successfully!"));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
}

TEST(CfgFile, SavingWithoutAFileIsRefused)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    h.open();
    h.click("Bt_Upload");
    EXPECT_EQ(h.ui.lastMessage().text, QStringLiteral("Empty file is not accepted."));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

} // namespace
