// Advanced \ VLAN: the VLAN switch, the device's table of VLAN groups written in place (a new VLAN
// into the first empty row, an edited one into its own, a delete through the row's delete column),
// the per-port summary the device computes, and the port VLAN IDs.
#pragma once

#include "TFM_Page.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class ReportListView;
class VtRadioGroup;

class TFM_VlanSetting : public TFM_Page
{
    Q_OBJECT

public:
    /// The device's internal ports, in the order of the membership columns and the PVID objects.
    static constexpr int kPortCount = 18;
    /// The ports the lists show and the PVID tab edits: Mgmt to S-3 and W-1 to W-4.
    static constexpr int kShownPortCount = 10;

    explicit TFM_VlanSetting(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    // Header.
    QComboBox *CB_VlanStatus;
    QLabel *LB_VlanMode;
    QPushButton *Btn_Save;
    QTabWidget *PageControl1;
    // VLAN List.
    ReportListView *LV_VlanListUser;
    QPushButton *Btn_VlanEdit;
    QPushButton *Btn_VlanDelete;
    // Port List.
    ReportListView *LV_PortListUser;
    // Add/Edit VLAN.
    QLineEdit *Ed_VlanID;
    QLineEdit *Ed_VlanName;
    std::array<VtRadioGroup *, kPortCount> RG_Port; ///< Untag, Tag, Not Member per port
    QPushButton *Btn_VlanPortUntagAll;
    QPushButton *Btn_VlanPortTagAll;
    QPushButton *Btn_VlanPortNotAll;
    QPushButton *Btn_VlanMssidUntagAll;
    QPushButton *Btn_VlanMssidTagAll;
    QPushButton *Btn_VlanMssidNotAll;
    QPushButton *Btn_VlanWdsUntagAll;
    QPushButton *Btn_VlanWdsTagAll;
    QPushButton *Btn_VlanWdsNotAll;
    QPushButton *AddButton;
    // PVID Setting.
    QComboBox *CB_PvidAutoStatus;
    std::array<QLineEdit *, kShownPortCount> Ed_Pvid; ///< Ed_PvidMgmt … Ed_PvidWdsW4
    QPushButton *Btn_PvidApply;
    // Values for the rules, never shown.
    QComboBox *CB_APMode;
    QComboBox *CB_LimitVidStatus;
    QComboBox *CB_VlanMode;
    QComboBox *CB_PortListRefresh;
    ReportListView *LV_PortList; ///< the device's port summary as read
    ReportListView *LV_VlanList; ///< the device's VLAN rows as read; visible row i is row i here
    QLabel *LB_Index;
    QComboBox *CB_VlanItemDel;
    std::array<QComboBox *, kPortCount> CB_Member; ///< each port's membership of the edited VLAN

protected:
    void applyRules() override;

private:
    enum class EditMode {
        NewEntry,       // after opening and every tab change
        Editing,        // a listed VLAN loaded or clicked
        EmptyRowChosen, // a new VLAN goes into the hidden row selected
        NoEmptyRow,     // every row the rules may choose holds a VLAN
    };

    void CB_VlanStatusChange();
    void CB_PvidAutoStatusChange();
    void PageControl1Change();
    void LV_VlanListUserClick();
    void Btn_VlanEditClick();
    void Btn_VlanDeleteClick();
    void AddButtonClick();
    void Btn_SaveClick();
    void Btn_PvidApplyClick();
    void Btn_VlanPortUntagAllClick();
    void Btn_VlanPortTagAllClick();
    void Btn_VlanPortNotAllClick();
    void Btn_VlanMssidUntagAllClick();
    void Btn_VlanMssidTagAllClick();
    void Btn_VlanMssidNotAllClick();
    void Btn_VlanWdsUntagAllClick();
    void Btn_VlanWdsTagAllClick();
    void Btn_VlanWdsNotAllClick();

    void portListRead(const VtSNMPError &result);
    void vlanListRead(const VtSNMPError &result);
    void vlanListWritten(const VtSNMPError &result);

    void makeRequests();
    void readPortList();
    /// The status-change rules: the target of a new VLAN (the hidden row at the count of listed
    /// VLANs, below `bound`), then what may be edited.
    void statusChangeRules(int bound = 18);
    void chooseTarget(int bound);
    void pvidRule();
    /// Selects row `row` of the hidden VLAN table (its values fill the bound controls); false when
    /// the table has no such row.
    bool selectVlanRow(int row);
    /// Sets ports [first, last] to item `item` of their triples (0 Untag, 1 Tag, 2 Not Member).
    void setPorts(int first, int last, int item);
    void clearVlanEdits();
    void fillPvidColumn();
    bool vlanEnabled() const;
    bool dynamicMode() const;

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_managerStatus = nullptr;
    VtSNMPRequest2Edits *m_vlanStatus = nullptr;
    VtSNMPRequest2Edits *m_pvidAuto = nullptr;
    VtSNMPRequest2Edits *m_pvid = nullptr;
    VtSNMPRequest2Edits *m_portRefresh = nullptr;
    VtSNMPRequest2Edits *m_ports = nullptr;
    VtSNMPRequest2Edits *m_vlans = nullptr;

    EditMode m_mode = EditMode::NewEntry;
    bool m_editing = false;    // a listed VLAN is loaded into the edit tab
    bool m_addEnabled = false; // AddButton as the status-change rules leave it
    bool m_rowButtons = false; // Edit and Delete, as the last click on the list left them
    int m_count = 0;           // VLANs listed
};
