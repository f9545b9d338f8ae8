// What the device logs, where it sends its log (a remote syslog server), and e-mail notification of
// the log through a chosen mail provider.
#pragma once

#include "TFM_Page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

/// The sender and recipient rule of the notification addresses.
bool CheckMailAddress(const QString &text);
/// One part of an address: letters, digits, "_", "-" and "."; no doubled or mixed separators, and
/// none at either end.
bool CheckMailLabel(const QString &text);

class TLogSetForm : public TFM_Page
{
    Q_OBJECT

public:
    TLogSetForm(QWidget *owner, const PageContext &context);

    void FormCreate() override;

    QCheckBox *CheckBox_System;
    QCheckBox *CheckBox_Wireless;
    QCheckBox *CheckBox_Notice;
    QLineEdit *Ed_LogServerIp;
    QComboBox *CB_RemoteLogState;
    QCheckBox *CheckBox_EMNotifca;
    QComboBox *CB_OutServer;
    QComboBox *CB_OutServerSet;
    QLineEdit *Edt_FEail;
    QLineEdit *Ed_TMail;
    QLineEdit *Ed_MailServerIp;
    QLineEdit *Ed_UserName;
    QLineEdit *Ed_Password;
    QLineEdit *Ed_Conpass;
    QLineEdit *Ed_SntpPort;
    QCheckBox *Cbk_Auth;
    QCheckBox *Cbk_SSL;
    QComboBox *CB_Schedule;
    QLineEdit *Ed_Schdule;
    QPushButton *Bt_Apply;
    QPushButton *Bt_Cancel;

protected:
    void applyRules() override;

private:
    void applyNotificationRule();
    void CB_OutServerChange();
    void Bt_ApplyClick();
    void clearIfReads(QLineEdit *edit, const char *text);

    VtSNMPRequest2Edits *m_log = nullptr;
    VtSNMPRequest2Edits *m_account = nullptr;
    VtSNMPRequest2Edits *m_schedule = nullptr;
    VtSNMPRequest2Edits *m_mail = nullptr;
    VtSNMPRequest2Edits *m_serverIndex = nullptr;
    int m_storedServerIndex = 0;
};
