// Advanced \ Intrusion: the device's survey of the access points around it, their classification
// as valid, neighbourhood, rogue or new, and whether newly seen access points count as valid or as
// rogue.
#pragma once

#include "TFM_Page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ReportListView;

class TFM_RogueAP : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_RogueAP(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QTabWidget *PageControl1;
    QPushButton *Btn_Detect;
    QComboBox *CB_OperatorType;
    QCheckBox *CheckBox_SelectAll;
    ReportListView *AP_UserListView;
    QPushButton *Btn_SetValid;
    QPushButton *Btn_SetNeigh;
    QPushButton *Btn_SetRogue;
    QPushButton *Btn_SetNew;
    QRadioButton *RB_MarkAllValid;
    QRadioButton *RB_MarkAllRogue;
    QPushButton *Btn_Apply;
    // Values carried between the device and the rules.
    QComboBox *CB_Refresh;
    ReportListView *AP_ListView; ///< the survey as the device holds it
    QLineEdit *Ed_Valid;
    QLineEdit *Ed_Neigh;
    QLineEdit *Ed_Rogue;
    QLineEdit *Ed_New;
    QCheckBox *CheckBox_MarkAllValid;
    QCheckBox *CheckBox_MarkAllRogue;

protected:
    void applyRules() override;

private:
    void Btn_DetectClick();
    void CB_OperatorTypeChange();
    void CheckBox_SelectAllClick();
    void Btn_SetValidClick();
    void Btn_SetNeighClick();
    void Btn_SetRogueClick();
    void Btn_SetNewClick();
    void Btn_ApplyClick();

    void surveyRefreshed(const VtSNMPError &result);
    void surveyRead(const VtSNMPError &result);

    /// Writes the survey index of every checked access point to `request` (through `edit`), then
    /// scans again.
    void classify(VtSNMPRequest2Edits *request, QLineEdit *edit);
    /// The survey refresh write; the scan cycle lasts until the survey read ends.
    void startScan(const QString &secondLine);
    void endScan();
    /// The visible list from the hidden one: every row whose type is `filter` ("all": every row).
    void rebuild(const QString &filter);

    VtSNMPRequest2Edits *m_refresh = nullptr;
    VtSNMPRequest2Edits *m_survey = nullptr;
    VtSNMPRequest2Edits *m_valid = nullptr;
    VtSNMPRequest2Edits *m_neighbour = nullptr;
    VtSNMPRequest2Edits *m_rogue = nullptr;
    VtSNMPRequest2Edits *m_new = nullptr;
    VtSNMPRequest2Edits *m_mark = nullptr;

    bool m_scanning = false;         // from the refresh write to the end of the survey read
    bool m_selectAllAllowed = false; // the last survey read listed access points
};
