// Advanced \ Web Redirection: the switch and the device's list of up to 256 accounts, added and
// deleted through the account command group, changed by a write of their row in place.
#pragma once

#include "TFM_Page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class ReportListView;

class TFM_WebRedirection : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_WebRedirection(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QCheckBox *Ckb_Status;
    QLineEdit *Ed_Username;
    QLineEdit *Ed_Password;
    QComboBox *CB_AccountStatus;
    QPushButton *Btn_Clear;
    ReportListView *LV_AccountToUser;
    QPushButton *Btn_Edit;
    QPushButton *Btn_Add;
    QPushButton *Btn_Del;
    QPushButton *Btn_Save;
    QComboBox *CB_Action;
    QLineEdit *Ed_Index;
    QComboBox *CB_ApMode;
    ReportListView *LV_AccountGet; ///< the device's rows as read; visible row i is row i here

protected:
    void applyRules() override;

private:
    enum class Mode {
        Add,  // the next Add creates an account
        Edit, // the next Add changes the account chosen with Edit
    };

    void Btn_ClearClick();
    void Btn_EditClick();
    void Btn_AddClick();
    void Btn_DelClick();
    void Btn_SaveClick();
    void LV_AccountToUserClick();
    void accountsRead(const VtSNMPError &result);
    void commandWritten(const VtSNMPError &result);

    void addAccount();
    void changeAccount();
    /// Selects row `row` of the hidden table, which fills the bound controls with its account;
    /// false (nothing selected) when the table has no such row.
    bool selectAccount(int row);
    /// The first row of the hidden table, other than `except`, named `name` (with case); -1.
    int accountNamed(const QString &name, int except) const;

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_status = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_accounts = nullptr;
    Mode m_mode = Mode::Add;
    bool m_rememberedStatus = false; // the switch as read at opening and written by Save
    bool m_rowButtons = false;       // Edit and Delete, as the last click on the list left them
    bool m_keepOutcome = false;      // the next read leaves the outcome of a write on screen
};
