// The log settings page against the simulated device, and the notification address rule.
#include "CaseName.h"
#include "PageHarness.h"
#include "TLogSetForm.h"
#include "TypingLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using kvatest::PageHarness;

namespace {

struct AddressCase
{
    const char *text;
    bool accepted;
};

class MailAddress : public testing::TestWithParam<AddressCase>
{ };

TEST_P(MailAddress, FollowsTheAddressRule)
{
    EXPECT_EQ(CheckMailAddress(QString::fromUtf8(GetParam().text)), GetParam().accepted)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Addresses, MailAddress,
    testing::Values(AddressCase{"ops@example.com", true},
        AddressCase{"jane.doe@mail.example.org", true}, // one dot before, three labels after
        AddressCase{"jane..doe@example.com", false}, AddressCase{"ops@localhost", false},
        AddressCase{"@example.com", false}, AddressCase{"ops@.example.com", false},
        AddressCase{"ops@example.", false}, AddressCase{"-ops@example.com", false},
        AddressCase{"o-.ps@example.com", false}, AddressCase{"ops@exa--mple.com", false},
        AddressCase{"ops @example.com", false}, AddressCase{"ops@example.com.-x", true},
        AddressCase{"ops@ex+ample.com", false}, AddressCase{"", false}));

/// The objects the device received in SET requests, as "name=value".
QStringList written(kvatest::SimulatorProcess &device)
{
    QStringList out;
    for (const QString &line : device.log()) {
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() > 4 && parts[1] == QLatin1String("set")) {
            out += parts.mid(4);
        }
    }
    out.removeDuplicates();
    return out;
}

void seedNotification(kvatest::SimulatorProcess &d)
{
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfStatus"), QStringLiteral("1")));
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfMailServerIndex"), QStringLiteral("1")));
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfFromIPAddress"), QStringLiteral("ap@example.com")));
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfToIPAddress"), QStringLiteral("ops@example.com")));
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfServerIPAddress"), QStringLiteral("10.1.1.25")));
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfPassword"), QStringLiteral("s3cret")));
    EXPECT_TRUE(d.set(QStringLiteral("smtpAccountingName"), QStringLiteral("mailer")));
    EXPECT_TRUE(d.set(QStringLiteral("emailNtfOnSchedule"), QStringLiteral("6.5")));
}

TEST(LogSettings, OpensWithTheDevicesSettings)
{
    PageHarness<TLogSetForm> h(kvatest::filePage());
    seedNotification(h.device);
    h.open();
    EXPECT_TRUE(h.page->CheckBox_EMNotifca->isChecked());
    EXPECT_EQ(h.page->Ed_MailServerIp->text(), QStringLiteral("10.1.1.25"));
    EXPECT_EQ(h.page->Ed_Conpass->text(), QStringLiteral("s3cret"));
    EXPECT_EQ(h.page->CB_Schedule->currentText(), QStringLiteral("6.5"));
    EXPECT_TRUE(h.page->Ed_LogServerIp->text().isEmpty()); // 0.0.0.0 shows as empty
    EXPECT_TRUE(h.page->Cbk_Auth->isEnabled());            // the internal server
    EXPECT_EQ(h.page->Ed_Password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(TypingLimit::of(h.page->Edt_FEail), 64);
    EXPECT_EQ(TypingLimit::of(h.page->Ed_Conpass), 12);
}

TEST(LogSettings, ChoosingAProviderShowsItsSettingsAndKeepsTheStoredChoice)
{
    PageHarness<TLogSetForm> h(kvatest::filePage());
    seedNotification(h.device);
    h.open();
    h.page->CB_OutServer->setCurrentIndex(1); // Gmail
    emit h.page->CB_OutServer->activated(1);
    h.waitIdle();
    EXPECT_EQ(h.page->CB_OutServer->currentIndex(), 1);
    EXPECT_FALSE(h.page->Cbk_Auth->isEnabled());
    EXPECT_FALSE(h.page->Cbk_SSL->isEnabled());
    EXPECT_TRUE(h.page->CheckBox_EMNotifca->isChecked());
    EXPECT_EQ(h.device.get(QStringLiteral("emailNtfMailServerIndex")), "1");
    EXPECT_EQ(h.device.get(QStringLiteral("emailNtfStatus")), "1");
}

TEST(LogSettings, SavesTheRemoteServerAndTheNotification)
{
    PageHarness<TLogSetForm> h(kvatest::filePage());
    seedNotification(h.device);
    h.open();
    h.page->Ed_LogServerIp->setText(QStringLiteral("10.0.0.5"));
    h.page->CheckBox_System->setChecked(false);
    h.page->Ed_TMail->setText(QStringLiteral("noc@example.net"));
    h.page->CB_Schedule->setCurrentText(QStringLiteral("12"));
    h.click("Bt_Apply");
    EXPECT_EQ(h.page->statusText(), QStringLiteral("Set Success!"));
    EXPECT_EQ(h.device.get(QStringLiteral("systemLogServerIPAddress")), "10.0.0.5");
    EXPECT_EQ(h.device.get(QStringLiteral("systemLogRemoteLogState")), "1");
    EXPECT_EQ(h.device.get(QStringLiteral("systemLogSystemLevel")), "0");
    EXPECT_EQ(h.device.get(QStringLiteral("emailNtfToIPAddress")), "noc@example.net");
    EXPECT_EQ(h.device.get(QStringLiteral("emailNtfOnSchedule")), "12");
    // the password was not typed: it is not sent again
    EXPECT_FALSE(
        written(h.device).join(QLatin1Char(' ')).contains(QStringLiteral("emailNtfPassword")));
}

TEST(LogSettings, WithNotificationOffOnlyTheSwitchOfTheMailSettingsIsWritten)
{
    PageHarness<TLogSetForm> h(kvatest::filePage());
    seedNotification(h.device);
    h.open();
    h.page->CheckBox_EMNotifca->click();
    EXPECT_FALSE(h.page->Ed_TMail->isEnabled());
    h.click("Bt_Apply");
    EXPECT_EQ(h.page->statusText(), QStringLiteral("Set Success!"));
    QStringList mail;
    for (const QString &w : written(h.device)) {
        if (w.startsWith(QLatin1String("emailNtf"))
            && !w.startsWith(QLatin1String("emailNtfOnSchedule"))) {
            mail += w;
        }
        EXPECT_FALSE(w.startsWith(QLatin1String("smtpAccountingName"))) << w.toStdString();
    }
    EXPECT_EQ(mail, QStringList{QStringLiteral("emailNtfStatus.1=0")});
    EXPECT_EQ(h.device.get(QStringLiteral("emailNtfToIPAddress")), "ops@example.com");
}

struct SaveCheck
{
    const char *name;
    const char *field;
    const char *value;
    const char *message;
    const char *caption;
    bool cleared;
};

class LogSettingsCheck : public testing::TestWithParam<SaveCheck>
{ };

TEST_P(LogSettingsCheck, RefusesWithItsMessageAndWritesNothing)
{
    const SaveCheck &c = GetParam();
    PageHarness<TLogSetForm> h(kvatest::filePage());
    seedNotification(h.device);
    h.open();
    h.find<QLineEdit>(c.field)->setText(QString::fromUtf8(c.value));
    h.click("Bt_Apply");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, QLatin1String(c.caption));
    EXPECT_EQ(h.find<QLineEdit>(c.field)->text().isEmpty(), c.cleared);
    EXPECT_TRUE(written(h.device).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Save, LogSettingsCheck,
    testing::Values(SaveCheck{"LogServer", "Ed_LogServerIp", "10.0.0",
                        "Please input valid IP Address.", "Warning", true},
        SaveCheck{"MailServer", "Ed_MailServerIp", "300.1.1.1", "Please input valid IP Address.",
            "Warning", true},
        SaveCheck{"PortZero", "Ed_SntpPort", "0", "Please input valid SMTP Port.", "Warning", true},
        SaveCheck{
            "PortText", "Ed_SntpPort", "smtp", "Please input valid SMTP Port.", "Warning", true},
        SaveCheck{
            "Sender", "Edt_FEail", "ap@localhost", "Wrong SMTP Sender format!", "Warning", true},
        SaveCheck{"Recipient", "Ed_TMail", "ops..x@example.com", "Wrong SMTP Recipient format!",
            "Warning", true},
        SaveCheck{
            "NameBlank", "Ed_UserName", "", "The Name field can not be blank.", "Warning", true},
        SaveCheck{"NameLeadingBlank", "Ed_UserName", " mailer",
            "The first character can't be blank.", "Error", false},
        SaveCheck{"Confirmation", "Ed_Conpass", "other",
            "Please input the confirm new password correctly!", "Warning", false}),
    kvatest::caseName);

} // namespace
