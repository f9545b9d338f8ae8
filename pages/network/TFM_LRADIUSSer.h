// Advanced \ Internal RADIUS Server: the accounts of the device's own RADIUS server, added and
// deleted through the account command group; a change is a delete of the old account followed by
// an add of the new one.
#pragma once

#include "ReplaceCommand.h"
#include "TFM_Page.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class ReportListView;

class TFM_LRADIUSSer : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_LRADIUSSer(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QLineEdit *Ed_Name;
    QLineEdit *Ed_PWD;
    QComboBox *Cbox_Status;
    QPushButton *Bt_RadiusAdd;
    ReportListView *LV_RadiusAccountListUser;
    QPushButton *Bt_RadiusDel;
    QComboBox *Cbox_RadAction;
    ReportListView *LV_RadiusAccountList; ///< the device's rows as read; visible row i is row i

protected:
    void applyRules() override;

private:
    /// An account as the fields hold it.
    struct Entry
    {
        QString name;
        QString password;
        int status = -1; // item of Cbox_Status
    };

    enum class Command {
        Add,
        Delete
    };

    void Bt_RadiusAddClick();
    void Bt_RadiusDelClick();
    void LV_RadiusAccountListUserClick();
    void accountsRead(const VtSNMPError &result);
    void commandWritten(const VtSNMPError &result);

    /// The first listed account, other than row `except`, named `name`; -1 for none.
    int listedNamed(const QString &name, Qt::CaseSensitivity cs, int except) const;
    void showEntry(const Entry &entry);
    /// The command group with every member, as the fields hold them.
    void send(int action);
    /// Set() of the command group as it stands.
    void sendPrepared();
    void sendNewEntry();
    void putOldEntryBack();

    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_accounts = nullptr;
    QString m_loadedPassword; // of the account clicked last
    Entry m_saved;            // what Save was pressed with: the new account of a change
    Entry m_old;              // the account a change replaces, put back if the add is refused
    Command m_lastCommand = Command::Add;
    ReplaceCommand m_replace;
};
