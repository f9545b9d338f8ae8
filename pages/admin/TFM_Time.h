// Tools \ Time and Date: the device's clock, its time zone and daylight saving rules, and where its
// time comes from: an NTP server, or a date and time set by hand (or copied from this computer).
#pragma once

#include "TFM_Page.h"

#include <QDateTime>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ManualTime;

class TFM_Time : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Time(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    /// The NTP server offered as the page's default: its name and address.
    static const char *const kDefaultServerName;
    static const char *const kDefaultServerAddress;

    QLabel *LB_CurrentTime;
    QComboBox *CB_TimeZone;
    QGroupBox *GB_Manual;
    QComboBox *CB_Year;
    QComboBox *CB_Month;
    QComboBox *CB_Day;
    QComboBox *CB_Hour;
    QComboBox *CB_Minute;
    QComboBox *CB_Second;
    QPushButton *Btn_Copy;
    QCheckBox *CheckBox_NTP;
    QLineEdit *Ed_ServerIp;
    QPushButton *Btn_Convert;
    QComboBox *CB_ServerName;
    QCheckBox *CheckBox_Daylight;
    QComboBox *CB_InDays;
    QComboBox *CB_StartMonth;
    QComboBox *CB_StartWeek;
    QComboBox *CB_StartDay;
    QComboBox *CB_StartTime;
    QComboBox *CB_EndMonth;
    QComboBox *CB_EndWeek;
    QComboBox *CB_EndDay;
    QComboBox *CB_EndTime;
    QLineEdit *Ed_DateTime;
    QPushButton *Btn_Apply;
    QPushButton *Btn_Cancel;

protected:
    void applyRules() override;

private:
    void Btn_CopyClick();
    void Btn_ConvertClick();
    void Btn_ApplyClick();

    void selectComputerTime();
    ManualTime selectedTime() const;
    void clearUnsetServer();

    VtSNMPRequest2Edits *m_clock = nullptr;
    VtSNMPRequest2Edits *m_manual = nullptr;
};
