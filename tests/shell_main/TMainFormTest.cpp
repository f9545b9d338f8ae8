// The main window against the simulator: the lights follow the device, and the two commit
// commands write, wait while the device restarts, and stop on a refusal.
#include "AdminPages.h"
#include "CaseName.h"
#include "DevicePicture.h"
#include "ModuleRun.h"
#include "PageRegistry.h"
#include "RecordingUi.h"
#include "SimulatorProcess.h"
#include "StatusLine.h"
#include "TFM_Page.h"
#include "TFM_Waiting.h"
#include "TMainForm.h"
#include "VtUi.h"
#include "WaitUntil.h"

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Colour = DeviceState::Colour;
using Light = DeviceState::Light;

/// Periods short enough that a restart, a silent device and a whole countdown cost seconds.
ModuleSettings fastSettings()
{
    ModuleSettings s;
    s.pollMs = 100;
    s.blinkMs = 40;
    s.addressPollMs = 100;
    s.waitingTickMs = 90;
    s.timeoutScale = 0.01; // agent poll 300 ms, commit write 1 s per attempt
    return s;
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

class TMainFormTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
        ASSERT_TRUE(dir.isValid());
        const QString settings = dir.filePath(QStringLiteral("settings"));
        QDir().mkpath(settings);
        writeFile(dir.filePath(QStringLiteral("platform.ini")),
            "[MibFile]\nPath=" + settings.toUtf8() + "/\n");
        writeFile(settings + QStringLiteral("/127.0.0.1.cfg"),
            "[Program Information]\nAgentPort=" + QByteArray::number(device.port())
                + "\nVersion=1\nSecurityModel=2\nSecurityLevel=0\nAuthProtocol=0\n"
                  "PrivProtocol=0\n");
        qputenv("KVA7310_PLATFORM_INI", dir.filePath(QStringLiteral("platform.ini")).toUtf8());
        qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toUtf8());
        qputenv("KVA7310_LOCK_DIR", dir.filePath(QStringLiteral("lock")).toUtf8());
        qputenv("SNMP_PERSISTENT_DIR", dir.filePath(QStringLiteral("snmp")).toUtf8());
    }

    void start(const QStringList &arguments = {QStringLiteral("/I127.0.0.1"),
                   QStringLiteral("/Rmirtal"), QStringLiteral("/Wsolvane"), QStringLiteral("/v1")})
    {
        form = std::make_unique<TMainForm>(fastSettings());
        ASSERT_EQ(form->FormCreate(arguments), -1) << ui.lastMessage().text.toStdString();
        form->show();
    }

    DeviceState &state() { return form->state(); }

    /// Reachable, power and status green, and the 2.4 GHz light seen green.
    bool deviceUp()
    {
        return state().reachable() && state().look(Light::Power).colour == Colour::Green
            && state().look(Light::ApStatus).colour == Colour::Green && state().wlan24GGreen();
    }

    bool allBlack()
    {
        for (const Light l : {Light::Power, Light::ApStatus, Light::Wlan24G, Light::Wlan5G}) {
            if (state().look(l) != DeviceState::Look{Colour::Black, true}) {
                return false;
            }
        }
        return true;
    }

    /// SET requests that carried `binding`; a retry of a slow answer (the same request-id) is the
    /// same request.
    int setsOf(const QString &binding)
    {
        QSet<QString> requestIds;
        for (const QString &line : device.log()) {
            if (line.section(QLatin1Char(' '), 1, 1) == QLatin1String("set")
                && line.contains(binding)) {
                requestIds.insert(line.section(QLatin1Char(' '), 3, 3));
            }
        }
        return static_cast<int>(requestIds.size());
    }

    kvatest::SimulatorProcess device;
    QTemporaryDir dir;
    kvatest::RecordingUi ui;
    std::unique_ptr<TMainForm> form;
};

TEST_F(TMainFormTest, LightsFollowTheDeviceThroughASilence)
{
    start();
    ASSERT_TRUE(kvatest::waitUntil([&] { return deviceUp(); }));
    EXPECT_TRUE(form->MainStatusBar->currentMessage().startsWith(QLatin1String("Get: ")))
        << form->MainStatusBar->currentMessage().toStdString();
    // The start-up reads and the address poll filled what pages read.
    EXPECT_EQ(state().SysIpAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(state().IPAddressEdit(), device.get(QStringLiteral("hSubnetMask")));
    EXPECT_EQ(form->CB_Band->currentIndex(), 0);

    ASSERT_TRUE(device.fault(QStringLiteral("silent 60")));
    ASSERT_TRUE(kvatest::waitUntil([&] { return !state().reachable(); }));
    EXPECT_TRUE(allBlack());
    EXPECT_FALSE(form->LED_24GLan->isHidden());
    EXPECT_FALSE(form->MainStatusBar->currentMessage().startsWith(QLatin1String("Get: ")));
    // No message box for a failing poll: the lights and the status bar say it all.
    EXPECT_TRUE(ui.messages.isEmpty());

    ASSERT_TRUE(device.fault(QStringLiteral("clear")));
    EXPECT_TRUE(kvatest::waitUntil([&] { return deviceUp(); }));
}

TEST_F(TMainFormTest, ReachableOverSnmpV3FromTheSettingsFile)
{
    kvatest::SimulatorProcess::Options options;
    options.extraArgs = {QStringLiteral("--user"), QStringLiteral("operator"),
        QStringLiteral("--auth-proto"), QStringLiteral("SHA"), QStringLiteral("--auth-pass"),
        QStringLiteral("auth-secret-1"), QStringLiteral("--priv-proto"), QStringLiteral("AES-128"),
        QStringLiteral("--priv-pass"), QStringLiteral("priv-secret-1")};
    kvatest::SimulatorProcess v3(options);
    ASSERT_TRUE(v3.isRunning()) << v3.errorText().toStdString();
    // authPriv (code 2), HMAC-SHA (code 2), AES-128 (code 2).
    writeFile(dir.filePath(QStringLiteral("settings/127.0.0.1.cfg")),
        "[Program Information]\r\nAgentPort=" + QByteArray::number(v3.port())
            + "\r\nVersion=3\r\nSecurityModel=3\r\nSecurityLevel=2\r\nSecurityName=operator\r\n"
              "AuthProtocol=2\r\nPrivProtocol=2\r\nAuthPassword=auth-secret-1\r\n"
              "PrivPassword=priv-secret-1\r\n");
    start({QStringLiteral("/I127.0.0.1"), QStringLiteral("/v3")});
    ASSERT_TRUE(kvatest::waitUntil([&] { return deviceUp(); }));
    const QStringList log = v3.log();
    ASSERT_FALSE(log.isEmpty());
    for (const QString &line : log) {
        EXPECT_EQ(line.section(QLatin1Char(' '), 2, 2), QStringLiteral("v3")) << line.toStdString();
    }
}

TEST_F(TMainFormTest, AddressThatIsNoAddressFailsLikeAPoll)
{
    start({QStringLiteral("/I300.1.2.3"), QStringLiteral("/v1")});
    ASSERT_TRUE(kvatest::waitUntil([&] { return allBlack(); }));
    EXPECT_FALSE(state().reachable());
    EXPECT_TRUE(form->MainStatusBar->currentMessage().contains(QLatin1String("Invalid IP Address")))
        << form->MainStatusBar->currentMessage().toStdString();
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(form->LedStatus->isActive()); // the agent poll keeps trying
}

TEST_F(TMainFormTest, WlanLightOfADisabledBandStaysHidden)
{
    ASSERT_TRUE(device.set(QStringLiteral("wirelessLed5G"), QStringLiteral("0")));
    start();
    bool seenBlack = false;
    bool fiveShown = false;
    ASSERT_TRUE(kvatest::waitUntil([&] {
        if (state().reachable() && !state().IPAddressEdit().isEmpty()) {
            seenBlack |= state().look(Light::Wlan24G) == DeviceState::Look{Colour::Black, true};
            fiveShown |= !form->LED_5GLan->isHidden();
        }
        return seenBlack && state().wlan24GGreen();
    }));
    EXPECT_FALSE(fiveShown);
    EXPECT_TRUE(form->LED_5GLan->isHidden());
}

TEST_F(TMainFormTest, MenuEntriesOpenOnlyRegisteredPages)
{
    start();
    QAction *vlan = form->menuEntry(QStringLiteral("VlanSetting1"));
    ASSERT_NE(vlan, nullptr);
    EXPECT_FALSE(vlan->isEnabled());
    EXPECT_TRUE(form->menuEntry(QStringLiteral("SaveandActivate1"))->isEnabled());
    EXPECT_FALSE(form->menuEntry(QStringLiteral("mniLocalRADIUSServer1"))->isVisible());
    EXPECT_FALSE(form->menuEntry(QStringLiteral("mniTrafficControl1"))->isVisible());
    EXPECT_TRUE(form->menuEntry(QStringLiteral("Information1"))->isVisible());

    // A page is made when its entry is chosen, runs modally and is gone when it closes.
    int made = 0;
    QPointer<QDialog> last;
    const auto factory = [&](TMainForm &owner) {
        ++made;
        auto *page = new QDialog(&owner);
        QTimer::singleShot(0, page, &QDialog::accept);
        last = page;
        return page;
    };
    form->registerPage(QStringLiteral("VlanSetting1"), QStringLiteral("TFM_VlanSetting"), factory);
    form->registerPage(QStringLiteral("hWirelessBand1"), QStringLiteral("TFM_Wirless"), factory);
    EXPECT_TRUE(vlan->isEnabled());
    vlan->trigger();
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(last.isNull());

    // The Wireless page may change the band: it is read again when the page closes.
    device.clearLog();
    form->menuEntry(QStringLiteral("hWirelessBand1"))->trigger();
    EXPECT_EQ(made, 2);
    bool bandRead = false;
    for (const QString &line : device.log()) {
        bandRead |=
            line.contains(QLatin1String(" get ")) && line.contains(QLatin1String("dot11Band"));
    }
    EXPECT_TRUE(bandRead);
}

TEST_F(TMainFormTest, ScreenshotWaitsForTheDeviceAndNamesWhatWentWrong)
{
    start();
    const QString picture = dir.filePath(QStringLiteral("main.png"));
    ASSERT_EQ(takeScreenshot(*form, picture, QString(), 10000), 0);
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), form->width());

    const QString page = dir.filePath(QStringLiteral("page.png"));
    EXPECT_NE(takeScreenshot(*form, page, QStringLiteral("TFM_NoSuchPage"), 10000), 0);
    EXPECT_FALSE(QFile::exists(page));

    ASSERT_TRUE(device.fault(QStringLiteral("silent 60")));
    ASSERT_TRUE(kvatest::waitUntil([&] { return !state().reachable(); }));
    const QString silent = dir.filePath(QStringLiteral("silent.png"));
    EXPECT_NE(takeScreenshot(*form, silent, QString(), 500), 0);
    EXPECT_FALSE(QFile::exists(silent));
}

/// A page with one asynchronous read; when it lands, a message box goes to `messageOwner` (the
/// page itself when null).
class LateMessagePage : public TFM_Page
{
public:
    LateMessagePage(QWidget *owner, QWidget *messageOwner)
        : TFM_Page(owner, QStringLiteral("Late"), PageContext{}), m_messageOwner(messageOwner)
    { }

    void FormCreate() override
    {
        static const UISnmpVar vars[] = {
            {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead},
            {nullptr},
        };
        VtSNMPRequest2Edits *name = makeRequest(vars, itScalars, 10000, noHandlers());
        name->BindControl(0, form().addEdit("Ed_Name", QStringLiteral("Name")));
        name->OnGetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &) {
            QWidget *owner = m_messageOwner != nullptr ? m_messageOwner.data() : this;
            VtUi::current().messageOk(owner, QStringLiteral("Late"), QStringLiteral("read done"));
        };
        name->Get();
    }

private:
    QPointer<QWidget> m_messageOwner;
};

// A page is pictured once all its reads, the asynchronous ones included, have ended; a message
// box from the page fails the run, one from the main window (its polls go on) does not.
TEST_F(TMainFormTest, ScreenshotOfAPageWaitsForItsReads)
{
    start();
    registerAdminPages(PageRegistry::instance());
    registerPagesWith(*form);
    const QString devInfo = dir.filePath(QStringLiteral("devinfo.png"));
    ASSERT_EQ(takeScreenshot(*form, devInfo, QStringLiteral("TFM_DevInfo"), 10000), 0)
        << ui.lastMessage().text.toStdString();
    EXPECT_FALSE(QImage(devInfo).isNull());

    form->registerPage(QStringLiteral("VlanSetting1"), QStringLiteral("WindowMessage"),
        [](TMainForm &owner) { return new LateMessagePage(&owner, &owner); });
    form->registerPage(QStringLiteral("mniTrafficControl1"), QStringLiteral("PageMessage"),
        [](TMainForm &owner) { return new LateMessagePage(&owner, nullptr); });

    const qsizetype before = ui.messages.size();
    const QString window = dir.filePath(QStringLiteral("window.png"));
    EXPECT_EQ(takeScreenshot(*form, window, QStringLiteral("WindowMessage"), 10000), 0);
    ASSERT_EQ(ui.messages.size(), before + 1) << "the screenshot waited for the read to land";
    EXPECT_EQ(ui.lastMessage().text, "read done");
    EXPECT_TRUE(QFile::exists(window));

    const QString page = dir.filePath(QStringLiteral("page.png"));
    EXPECT_EQ(takeScreenshot(*form, page, QStringLiteral("PageMessage"), 10000), 3);
    EXPECT_EQ(ui.messages.size(), before + 2);
    EXPECT_FALSE(QFile::exists(page));
}

TEST_F(TMainFormTest, WaitingDialogReadsTheFirmwareAndSendsOneRestart)
{
    start();
    ASSERT_TRUE(kvatest::waitUntil([&] { return deviceUp(); }));
    device.clearLog();
    TFM_Waiting dialog(form.get(), state(), form->settings());
    CommitWorkflow::installDeviceOperations(dialog, form->settings());
    dialog.FormCreate();
    EXPECT_EQ(
        dialog.Ed_FwVer->text(), device.get(QStringLiteral("deviceInformationFirmwareVersion")));
    dialog.Countdown = 5;
    dialog.exec();
    EXPECT_EQ(setsOf(QStringLiteral("tftpUpgradeSettingCommand.0=4")), 1);
    EXPECT_EQ(setsOf(QStringLiteral("tftpUpgradeSettingCommand")), 1);
}

struct CommitCase
{
    const char *name;
    bool discard;
    const char *written; // the binding the commit write carries
};

void PrintTo(const CommitCase &c, std::ostream *out)
{
    *out << c.name;
}

class CommitCommand : public TMainFormTest, public testing::WithParamInterface<CommitCase>
{
protected:
    void run()
    {
        if (GetParam().discard) {
            form->DiscardChanges1Click();
        } else {
            form->SaveandActivate1Click();
        }
    }
};

TEST_P(CommitCommand, WritesAndWaitsUntilTheDeviceIsBack)
{
    start();
    ASSERT_TRUE(kvatest::waitUntil([&] { return deviceUp(); }));
    device.clearLog();
    run();
    const CommitWorkflow::Outcome outcome = form->lastCommit();
    EXPECT_EQ(setsOf(QString::fromLatin1(GetParam().written)), 1);
    EXPECT_FALSE(outcome.refused);
    EXPECT_TRUE(outcome.waited);
    // Ended by the device coming back, not by running out of patience.
    EXPECT_LE(outcome.countdown, 0);
    EXPECT_LE(outcome.stallCount, 5);
    EXPECT_EQ(setsOf(QStringLiteral("tftpUpgradeSettingCommand")), 0);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_P(CommitCommand, RefusedWriteShowsTheErrorAndDoesNotWait)
{
    start();
    ASSERT_TRUE(device.fault(QStringLiteral("seterror deviceSettingApply noAccess")));
    run();
    const CommitWorkflow::Outcome outcome = form->lastCommit();
    EXPECT_TRUE(outcome.refused);
    EXPECT_FALSE(outcome.waited);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.lastMessage().caption, QStringLiteral("Error"));
    EXPECT_EQ(ui.lastMessage().text, outcome.result.Message);
    EXPECT_FALSE(ui.lastMessage().text.isEmpty());
}

TEST_P(CommitCommand, DeviceThatNeverComesBackEndsThroughTheStallCount)
{
    start();
    ASSERT_TRUE(kvatest::waitUntil([&] { return deviceUp(); }));
    ASSERT_TRUE(device.fault(QStringLiteral("silent 120")));
    run();
    const CommitWorkflow::Outcome outcome = form->lastCommit();
    // The write timed out: the device may be restarting already, so the dialog still runs.
    EXPECT_EQ(outcome.result.Code, -405);
    EXPECT_FALSE(outcome.refused);
    EXPECT_TRUE(outcome.waited);
    EXPECT_EQ(outcome.stallCount, 6);
    EXPECT_TRUE(ui.messages.isEmpty());
}

const CommitCase kCommitCases[] = {
    {"SaveAndActivate", false, "deviceSettingApply.0=1"},
    {"DiscardChanges", true, "deviceSettingDiscard.0=1"},
};

INSTANTIATE_TEST_SUITE_P(
    Commands, CommitCommand, testing::ValuesIn(kCommitCases), kvatest::caseName);

} // namespace
