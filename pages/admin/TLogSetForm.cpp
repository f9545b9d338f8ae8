#include "TLogSetForm.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "VtOptionList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

#define NTF(tail) AP_OID("5.4.11.1.1." tail)

const VtOptionList olEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList olRemoteLog{{0, "disabled"}, {1, "enabled"}};
const VtOptionList olMailServer{{1, "Internal"}, {2, "Gmail"}, {3, "Hotmail"}};

const UISnmpVar kLogVars[] = {
    {AP_OID("5.4.1.0"), "systemLogSystemLevel", synInteger, vfRead | vfWrite, &olEnable},
    {AP_OID("5.4.2.0"), "systemLogWirelessLevel", synInteger, vfRead | vfWrite, &olEnable},
    {AP_OID("5.4.3.0"), "systemLogNoticeLevel", synInteger, vfRead | vfWrite, &olEnable},
    {AP_OID("5.4.9.0"), "systemLogServerIPAddress", synIpAddress, vfRead | vfWrite},
    {AP_OID("5.4.8.0"), "systemLogRemoteLogState", synInteger, vfRead | vfWrite, &olRemoteLog},
    {nullptr},
};
const UISnmpVar kAccountVars[] = {
    {AP_OID("4.9.5.0"), "smtpAccountingName", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kScheduleVars[] = {
    {NTF("9.1"), "emailNtfOnSchedule", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kMailVars[] = {
    {NTF("12.1"), "emailNtfMailServerIndex", synInteger, vfRead | vfWrite, &olMailServer},
    {NTF("2.1"), "emailNtfStatus", synInteger, vfRead | vfWrite, &olEnable},
    {NTF("3.1"), "emailNtfFromIPAddress", synDisplayString, vfRead | vfWrite},
    {NTF("4.1"), "emailNtfToIPAddress", synDisplayString, vfRead | vfWrite},
    {NTF("5.1"), "emailNtfServerIPAddress", synIpAddress, vfRead | vfWrite},
    {NTF("7.1"), "emailNtfPassword", synDisplayString, vfRead | vfWrite},
    {NTF("10.1"), "emailNtfPort", synInteger, vfRead | vfWrite},
    {NTF("6.1"), "emailNtfAuthentication", synInteger, vfRead | vfWrite, &olEnable},
    {NTF("11.1"), "emailNtfSSL", synInteger, vfRead | vfWrite, &olEnable},
    {nullptr},
};
const UISnmpVar kServerIndexVars[] = {
    {NTF("12.1"), "emailNtfMailServerIndex", synInteger, vfRead | vfWrite, &olMailServer},
    {nullptr},
};

enum MailVar {
    mvIndex,
    mvStatus,
    mvFrom,
    mvTo,
    mvServer,
    mvPassword,
    mvPort,
    mvAuth,
    mvSsl
};

constexpr int kInternal = 0; // item index of the device's own mail server

bool isLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool validPort(const QString &text)
{
    bool ok = false;
    const int port = text.toInt(&ok);
    return ok && port >= 1 && port <= 65535;
}

} // namespace

bool CheckMailLabel(const QString &text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const char *pair : {"..", "--", ".-", "-."}) {
        if (text.contains(QLatin1String(pair))) {
            return false;
        }
    }
    for (QChar end : {text.front(), text.back()}) {
        if (end == u'.' || end == u'-') {
            return false;
        }
    }
    for (QChar c : text) {
        if (!isLetterOrDigit(c) && c != u'_' && c != u'-' && c != u'.') {
            return false;
        }
    }
    return true;
}

bool CheckMailAddress(const QString &text)
{
    for (QChar c : text) {
        if (!isLetterOrDigit(c) && c != u'@' && c != u'.' && c != u'_' && c != u'-') {
            return false;
        }
    }
    const qsizetype at = text.indexOf(u'@');
    if (at <= 0) {
        return false;
    }
    const QString domain = text.mid(at + 1);
    const qsizetype dot = domain.indexOf(u'.');
    if (dot < 0) {
        return false;
    }
    const qsizetype secondDot = domain.indexOf(u'.', dot + 1);
    const QString first = domain.left(dot);
    const QString second =
        secondDot < 0 ? domain.mid(dot + 1) : domain.mid(dot + 1, secondDot - dot - 1);
    return CheckMailLabel(text.left(at)) && CheckMailLabel(first) && CheckMailLabel(second);
}

TLogSetForm::TLogSetForm(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ Log \\  Log Settings"), context)
{
    form().beginGroup("GB_Log", QStringLiteral("Log"));
    CheckBox_System = form().addCheck("CheckBox_System", QStringLiteral("System Activity"));
    CheckBox_Wireless = form().addCheck("CheckBox_Wireless", QStringLiteral("Wireless Activity"));
    CheckBox_Notice = form().addCheck("CheckBox_Notice", QStringLiteral("Notice"));
    Ed_LogServerIp =
        form().addEdit("Ed_LogServerIp", QStringLiteral("Log Server / IP Address :"), 15);
    form().endGroup();
    form().beginGroup("GB_Mail", QStringLiteral("Email Notification"));
    CheckBox_EMNotifca = form().addCheck("CheckBox_EMNotifca", QStringLiteral("Enable"));
    CB_OutServer = form().addCombo("CB_OutServer", QStringLiteral("Outgoing mail server (SMTP)"));
    Edt_FEail = form().addEdit("Edt_FEail", QStringLiteral("From Email Address:"), 64);
    Ed_TMail = form().addEdit("Ed_TMail", QStringLiteral("To Email Address:"), 64);
    Ed_MailServerIp =
        form().addEdit("Ed_MailServerIp", QStringLiteral("Email Server address:"), 15);
    Ed_SntpPort = form().addEdit("Ed_SntpPort", QStringLiteral("SMTP Port"));
    Cbk_Auth = form().addCheck("Cbk_Auth", QStringLiteral("Authentication"));
    Cbk_SSL = form().addCheck("Cbk_SSL", QStringLiteral("SSL/TLS"));
    Ed_UserName = form().addEdit("Ed_UserName", QStringLiteral("User Name:"), 64);
    Ed_Password = form().addEdit("Ed_Password", QStringLiteral("Password:"), 12);
    Ed_Conpass = form().addEdit("Ed_Conpass", QStringLiteral("Confirm Password:"), 12);
    CB_Schedule = form().addCombo("CB_Schedule", QStringLiteral("Schedule"));
    form().endGroup();
    CB_RemoteLogState = form().addHiddenCombo("CB_RemoteLogState");
    CB_OutServerSet = form().addHiddenCombo("CB_OutServerSet");
    Ed_Schdule = form().addHiddenEdit("Ed_Schdule");
    Bt_Apply = addButton("Bt_Apply", QStringLiteral("Save"), &TLogSetForm::Bt_ApplyClick);
    Bt_Cancel = form().addButton("Bt_Cancel", QStringLiteral("Cancel"));
    Ed_Conpass->setEchoMode(QLineEdit::Password);
    for (int half = 0; half <= 48; ++half) {
        CB_Schedule->addItem(half % 2 == 0 ? QString::number(half / 2)
                                           : QString::number(half / 2) + QStringLiteral(".5"));
    }
    onChange(CheckBox_EMNotifca, &TLogSetForm::applyNotificationRule);
    onChange(CB_OutServer, &TLogSetForm::CB_OutServerChange);
    connect(Bt_Cancel, &QPushButton::clicked, this, &TLogSetForm::reject);
}

void TLogSetForm::FormCreate()
{
    m_log = makeRequest(kLogVars, itInstance, 10000);
    bindControls(m_log,
        {CheckBox_System, CheckBox_Wireless, CheckBox_Notice, Ed_LogServerIp, CB_RemoteLogState});
    m_account = makeRequest(kAccountVars, itInstance, 10000);
    bindControls(m_account, {Ed_UserName});
    m_schedule = makeRequest(kScheduleVars, itInstance, 50000);
    bindControls(m_schedule, {Ed_Schdule});
    m_mail = makeRequest(kMailVars, itInstance, 10000);
    bindControls(m_mail,
        {CB_OutServer, CheckBox_EMNotifca, Edt_FEail, Ed_TMail, Ed_MailServerIp, nullptr,
            Ed_SntpPort, Cbk_Auth, Cbk_SSL});
    m_mail->BindSecret(mvPassword, Ed_Password); // written only when the operator typed one
    m_serverIndex = makeRequest(kServerIndexVars, itInstance, 10000);
    bindControls(m_serverIndex, {CB_OutServerSet});

    // Read failures are left as they are: the page shows what it could read.
    m_log->Get();
    m_account->Get();
    m_schedule->Get();
    CB_Schedule->setCurrentText(Ed_Schdule->text());
    m_mail->Get();
    Ed_Conpass->setText(Ed_Password->text());
    m_serverIndex->Get();
    m_storedServerIndex = CB_OutServerSet->currentIndex();
    clearIfReads(Ed_MailServerIp, "0.0.0.0");
    clearIfReads(Ed_LogServerIp, "0.0.0.0");
    clearIfReads(Ed_UserName, "admin");
}

void TLogSetForm::applyRules()
{
    applyNotificationRule();
}

void TLogSetForm::clearIfReads(QLineEdit *edit, const char *text)
{
    if (edit->text() == QLatin1String(text)) {
        edit->clear();
    }
}

void TLogSetForm::applyNotificationRule()
{
    const bool on = CheckBox_EMNotifca->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{Ed_MailServerIp, Edt_FEail, Ed_TMail,
             Ed_UserName, Ed_Password, Ed_Conpass, Ed_SntpPort, CB_OutServer}) {
        w->setEnabled(on);
    }
    const bool internal = CB_OutServer->currentIndex() == kInternal;
    Cbk_Auth->setEnabled(on && internal);
    Cbk_SSL->setEnabled(on && internal);
}

void TLogSetForm::CB_OutServerChange()
{
    // The device offers the chosen provider's settings once it is told the choice; the stored
    // choice is put back afterwards, so only Save changes it.
    CB_OutServerSet->setCurrentIndex(CB_OutServer->currentIndex());
    const int chosen = CB_OutServer->currentIndex();
    if (m_serverIndex->Set(false)) {
        const bool wasChecked = CheckBox_EMNotifca->isChecked();
        {
            MemberSwitch read(m_mail);
            read.out(mvStatus); // the switch stays as the operator left it
            m_mail->Get();
        }
        m_account->Get();
        CheckBox_EMNotifca->setChecked(wasChecked);
        CB_OutServer->setCurrentIndex(chosen);
        Ed_Conpass->setText(Ed_Password->text());
        clearIfReads(Ed_MailServerIp, "0.0.0.0");
        clearIfReads(Ed_SntpPort, "0");
    }
    CB_OutServerSet->setCurrentIndex(m_storedServerIndex);
    m_serverIndex->Set(false);
}

void TLogSetForm::Bt_ApplyClick()
{
    if (Ed_LogServerIp->text().isEmpty()) {
        Ed_LogServerIp->setText(QStringLiteral("0.0.0.0"));
    }
    const bool remote = Ed_LogServerIp->text() != QLatin1String("0.0.0.0");
    if (remote && !CheckIPAddress(Ed_LogServerIp->text())) {
        refuse(Ed_LogServerIp, "Warning", "Please input valid IP Address.", faClearAndFocus);
        return;
    }
    CB_RemoteLogState->setCurrentIndex(remote ? 1 : 0);

    const bool notify = CheckBox_EMNotifca->isChecked();
    if (notify) {
        if (Ed_MailServerIp->text().isEmpty()) {
            Ed_MailServerIp->setText(QStringLiteral("0.0.0.0"));
        }
        const FieldCheck checks[] = {
            {Ed_MailServerIp,
                [](const QString &t) { return t == QLatin1String("0.0.0.0") || CheckIPAddress(t); },
                "Please input valid IP Address.", faClearAndFocus},
            {Ed_SntpPort, validPort, "Please input valid SMTP Port.", faClearAndFocus},
            {Edt_FEail, CheckMailAddress, "Wrong SMTP Sender format!", faClearAndFocus},
            {Ed_TMail, CheckMailAddress, "Wrong SMTP Recipient format!", faClearAndFocus},
            {Ed_UserName, notEmpty(), "The Name field can not be blank.", faFocus},
            {Ed_UserName, [](const QString &t) { return !t.startsWith(QLatin1Char(' ')); },
                "The first character can't be blank.", faFocus, "Error"},
        };
        if (!runChecks(checks, "Warning")) {
            return;
        }
        if (Ed_Password->text() != Ed_Conpass->text()) {
            refuse(Ed_Conpass, "Warning", "Please input the confirm new password correctly!");
            return;
        }
    }

    // The notification switch is always written; the rest of the e-mail settings and the account
    // only with notification on, and the password only when the operator typed one.
    MemberSwitch mail(m_mail);
    if (!notify) {
        mail.allOut().in(mvStatus);
    }
    Ed_Schdule->setText(CB_Schedule->currentText());

    WriteSequence save(*this);
    save.write(m_log);
    save.write(m_mail);
    if (notify) {
        save.write(m_account);
    }
    save.write(m_schedule);
    if (save.ok()) {
        setStatus(QStringLiteral("Set Success!"));
        Ed_Conpass->setText(Ed_Password->text());
    } else {
        setStatus(QStringLiteral("Set Error!"));
    }
    if (notify) {
        m_storedServerIndex = CB_OutServer->currentIndex();
    }
    if (save.ok()) {
        clearIfReads(Ed_LogServerIp, "0.0.0.0");
        clearIfReads(Ed_MailServerIp, "0.0.0.0");
    }
}
