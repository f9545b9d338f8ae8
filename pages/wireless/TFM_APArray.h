// Advanced \ AP Array: the array this access point belongs to (its name, password and this
// device's role), the arrays found on the network and the array's members, and the groups of
// settings the array keeps in step.
#pragma once

#include "TFM_Page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class ReportListView;
class VtRadioGroup;

class TFM_APArray : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_APArray(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    /// How many settings groups the array can keep in step.
    static constexpr std::size_t kSyncFlags = 33;

    QCheckBox *Chk_APArray;
    QLineEdit *Ed_APArrayName;
    QLineEdit *Ed_APArrayPW;
    VtRadioGroup *RadioGroup1;
    QPushButton *Bt_ArraySave;
    QLabel *Lb_ConnectStatus;
    QPushButton *Bt_Scan;
    ReportListView *LV_ApArrayListUser;
    ReportListView *LV_CurrentMem;
    QPushButton *Btn_Clearall;
    QTabWidget *PC_ParameterSet;
    /// The check box of each synchronisation flag, in the device's order (CheckBox1 … chk_Band).
    std::array<QCheckBox *, kSyncFlags> SyncBox{};
    // Values carried between the device and the rules.
    QComboBox *Cbox_apmode;
    QComboBox *Cbox_ArrayMode;
    QComboBox *CB_ScanStatus;
    QComboBox *Cbox_Scan;
    ReportListView *LV_ApArrayList; ///< the scan list as the device holds it

protected:
    void applyRules() override;

private:
    void Chk_APArrayClick();
    void Bt_ScanClick();
    void Btn_ClearallClick();
    void Bt_ArraySaveClick();

    void scanWritten(const VtSNMPError &result);
    void scanListRead(const VtSNMPError &result);
    void membersRead(const VtSNMPError &result);

    void readMembers();
    /// The blocking write of the scan list, which holds no writable object: the device answers
    /// it, and its read brings the hidden list up to date.
    bool writeScanList();

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_array = nullptr;
    VtSNMPRequest2Edits *m_scanStatus = nullptr;
    VtSNMPRequest2Edits *m_scan = nullptr;
    VtSNMPRequest2Edits *m_scanList = nullptr;
    New_req2Edit *m_members = nullptr;
    VtSNMPRequest2Edits *m_sync = nullptr;

    bool m_arrayAllowed = true; // the access point's mode lets it join an array
};
