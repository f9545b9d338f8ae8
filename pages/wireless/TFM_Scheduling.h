// Advanced \ Schedule: the wireless schedule switched on or off, and its rules (one per SSID, the
// days and the time frame it is on air), added and deleted through the rule command group; a
// changed rule is a delete of the old one followed by an add of the new one.
#pragma once

#include "ReplaceCommand.h"
#include "TFM_Page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ReportListView;

class TFM_Scheduling : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Scheduling(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QTabWidget *PageControl1;
    QComboBox *CBox_ScheduleStatus;
    QLineEdit *Ed_ScheduleName;
    QComboBox *Cbox_SchIndex;
    QLineEdit *Ed_SchSsid;
    QRadioButton *RB_Week;
    QRadioButton *RB_Day;
    std::array<QCheckBox *, 7> CheckBox_Day; ///< CheckBox_Sun .. CheckBox_Sat
    QCheckBox *CheckBox_AllDay;
    QLineEdit *Ed_StartHour;
    QLineEdit *Ed_StartMinute;
    QLineEdit *Ed_EndHour;
    QLineEdit *Ed_EndMinute;
    QPushButton *Btn_Add;
    QPushButton *Btn_Clear;
    ReportListView *User_ListView;
    QPushButton *Btn_Del;
    QPushButton *Btn_Apply;
    // Values carried between the device and the rules.
    QComboBox *CB_APMode;
    ReportListView *LV_SSID;
    QLineEdit *Ed_day;
    QLineEdit *Ed_StartTime;
    QLineEdit *Ed_EndTime;
    QLineEdit *Ed_ScheduleNodeStatus;
    QComboBox *CB_ScheduleAction;
    ReportListView *Schedule_ListView; ///< the rule list as the device holds it
    QLabel *LB_Index;
    std::array<QComboBox *, 4> CB_NoteStatus; ///< CB_NoteStatus1 .. CB_NoteStatus4
    QLineEdit *Ed_DeleteName;
    QLineEdit *Ed_ScheduleSSIDIndex;

protected:
    void applyRules() override;

private:
    /// A rule as the rule command group takes it.
    struct Rule
    {
        QString name;
        int days = 0;
        bool allDay = false;
        QString start; ///< "hh:mm"
        QString end;
        int ssid = 0;                             ///< item of Cbox_SchIndex
        QString nodeStatus = QStringLiteral("1"); ///< the device's number
    };

    enum class Command {
        Add,
        Delete
    };

    void CBox_ScheduleStatusChange();
    void Cbox_SchIndexChange();
    void LV_SSIDClick();
    void RB_WeekClick();
    void RB_DayClick();
    void CheckBox_AllDayClick();
    void User_ListViewClick();
    void Btn_AddClick();
    void Btn_ClearClick();
    void Btn_DelClick();
    void Btn_ApplyClick();

    void ruleWritten(const VtSNMPError &result);
    void listRead(const VtSNMPError &result);

    bool scheduleOn() const;
    /// Whether a listed rule other than row `except` is for SSID item `ssid`.
    bool ssidHeld(int ssid, int except) const;
    /// The SSID name of item `ssid` into Ed_SchSsid.
    void showSsid(int ssid);
    /// The rule the fields hold; the times as the edits give them.
    Rule ruleOfFields() const;
    /// The days the day controls give.
    int daysOfFields() const;
    /// Sends the rule with `action` (an item of the action list) through the command group: the
    /// all-day choice or the times, as the rule has them. Blocking when the request is.
    bool sendRule(const Rule &rule, int action);
    /// The delete of a replaced rule: its name as typed, its SSID and the action alone.
    bool deleteReplaced();
    void clear();

    VtSNMPRequest2Edits *m_mode = nullptr;
    VtSNMPRequest2Edits *m_ssids = nullptr;
    VtSNMPRequest2Edits *m_status = nullptr;
    VtSNMPRequest2Edits *m_rule = nullptr;
    VtSNMPRequest2Edits *m_ruleList = nullptr;
    VtSNMPRequest2Edits *m_nodeStatus = nullptr;

    int m_ruleCount = 0;
    int m_editMode = 0; // 0 a new rule, 1 a listed rule is selected
    int m_selectedRow = -1;
    Rule m_selected; // the selected rule as listed
    Rule m_replaced; // the rule a change replaces, put back if the new one is refused
    Command m_lastCommand = Command::Add;
    ReplaceCommand m_replace;
    bool m_clientMode = false;   // the access point is a wireless client
    bool m_failureStays = false; // the next list read keeps the failure shown
};
