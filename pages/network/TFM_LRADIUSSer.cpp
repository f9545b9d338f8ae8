// Internal RADIUS server page.
#include "TFM_LRADIUSSer.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

#define RADIUS(tail) AP_OID("3.12." tail)

const VtOptionList olRadAction{{0, "Delete"}, {1, "Add"}};

// The status object's OID ends in 4, the action's in 3; the group is written in this order.
const UISnmpVar kCommandVars[] = {
    {RADIUS("1.1"), "dot11LocalRadiusUserName", synDisplayString, vfRead | vfWrite},
    {RADIUS("1.2"), "dot11LocalRadiusPassword", synDisplayString, vfRead | vfWrite},
    {RADIUS("1.4"), "dot11LocalRadiusNodeStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {RADIUS("1.3"), "dot11LocalRadiusAction", synInteger, vfRead | vfWrite, &olRadAction},
    {nullptr},
};
const UISnmpVar kAccountVars[] = {
    {RADIUS("2.1.1.1"), "dot11LocalRadiusnInfoIndex", synInteger, vfKey},
    {RADIUS("2.1.1.2"), "dot11LocalRadiusnInfoName", synDisplayString, vfRead},
    {RADIUS("2.1.1.3"), "dot11LocalRadiusInfoNodeStatus", synInteger, vfRead,
        &options::disableEnable},
    {RADIUS("2.1.1.4"), "dot11InternalRadiusInfoPasswd", synDisplayString, vfRead},
    {nullptr},
};

#undef RADIUS

constexpr int kCommandPassword = 1; // position in the command group

// Items of olRadAction.
constexpr int kDelete = 0;
constexpr int kAdd = 1;

// Columns of the hidden table: the variables in list order.
constexpr int kColName = 1;
constexpr int kColStatus = 2;
constexpr int kColPassword = 3;

// Columns of the visible list.
constexpr int kShownName = 0;
constexpr int kShownStatus = 1;

constexpr int kPanelWidth = 50;

} // namespace

TFM_LRADIUSSer::TFM_LRADIUSSer(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Internal RADIUS Server"), context)
{
    usePanelStatus();
    statusTarget()->setMinimumWidth(kPanelWidth); // and wider as the text needs
    form().beginOuterGroup("GB_RadiusServer", QStringLiteral("Internal RADIUS Server"));
    form().beginGroup("GB_AddAccount", QStringLiteral("Add RADIUS Account ")); // shipped text
    Ed_Name = form().addEdit("Ed_Name", QStringLiteral("Name"), 64);
    Ed_PWD = form().addEdit("Ed_PWD", QStringLiteral("Password"));
    Cbox_Status = form().addCombo("Cbox_Status", QStringLiteral("Status"));
    Bt_RadiusAdd =
        addGroupButton("Bt_RadiusAdd", QStringLiteral("Save"), &TFM_LRADIUSSer::Bt_RadiusAddClick);
    form().beginGroup("GB_AccountList", QStringLiteral("RADIUS Account list ")); // shipped text
    LV_RadiusAccountListUser = form().addListView("LV_RadiusAccountListUser",
        {{QStringLiteral("Name "), 100}, {QStringLiteral("Status"), 100}});
    Bt_RadiusDel = addGroupButton(
        "Bt_RadiusDel", QStringLiteral("Delete"), &TFM_LRADIUSSer::Bt_RadiusDelClick);
    form().endGroup();
    form().endOuterGroup();
    Cbox_RadAction = form().addHiddenCombo("Cbox_RadAction");
    LV_RadiusAccountList = form().addHiddenList("LV_RadiusAccountList");
    Ed_PWD->setEchoMode(QLineEdit::Password);
    onChange(LV_RadiusAccountListUser, &TFM_LRADIUSSer::LV_RadiusAccountListUserClick);
}

void TFM_LRADIUSSer::FormCreate()
{
    m_command =
        makeRequest(kCommandVars, itScalars, 10000, onSetDone(&TFM_LRADIUSSer::commandWritten));
    bindControls(m_command, {{Ed_Name, "%s"}, {Ed_PWD, "%s"}, Cbox_Status, Cbox_RadAction});
    m_accounts =
        makeRequest(kAccountVars, itTable, 10000, onGetDone(&TFM_LRADIUSSer::accountsRead));
    m_accounts->Request.Vars.KeyCount = 1;
    m_accounts->BindListView(LV_RadiusAccountList, true); // no fields: the page copies an account
    m_accounts->Get();
    Cbox_Status->setCurrentIndex(options::kEnable);
}

void TFM_LRADIUSSer::applyRules()
{
    if (m_command == nullptr) {
        return;
    }
    // a command is never queued behind one still under way, nor a change's halves split
    Bt_RadiusAdd->setEnabled(!m_command->Busy);
    Bt_RadiusDel->setEnabled(!m_command->Busy);
}

int TFM_LRADIUSSer::listedNamed(const QString &name, Qt::CaseSensitivity cs, int except) const
{
    for (int row = 0; row < LV_RadiusAccountListUser->topLevelItemCount(); ++row) {
        if (row != except
            && QString::compare(LV_RadiusAccountListUser->cell(row, kShownName), name, cs) == 0) {
            return row;
        }
    }
    return -1;
}

void TFM_LRADIUSSer::showEntry(const Entry &entry)
{
    Ed_Name->setText(entry.name);
    Ed_PWD->setText(entry.password);
    Cbox_Status->setCurrentIndex(entry.status);
}

void TFM_LRADIUSSer::send(int action)
{
    MemberSwitch write(m_command);
    write.allIn();
    Cbox_RadAction->setCurrentIndex(action);
    sendPrepared();
}

void TFM_LRADIUSSer::sendPrepared()
{
    try {
        m_command->Set();
    } catch (...) {
        m_replace.reset(); // never sent: no completion will come to take the next step
        throw;
    }
}

void TFM_LRADIUSSer::accountsRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        // the list keeps its rows; a device that did not answer is said so
        if (isSilence(result)) {
            setStatus(result.Message);
        }
        return;
    }
    // The device keeps its accounts in the first rows of its table: visible row i is row i of
    // the hidden table.
    LV_RadiusAccountListUser->clear();
    for (int row = 0; row < LV_RadiusAccountList->topLevelItemCount(); ++row) {
        const QString name = LV_RadiusAccountList->cell(row, kColName);
        if (!name.isEmpty()) {
            LV_RadiusAccountListUser->addRow({name, LV_RadiusAccountList->cell(row, kColStatus)});
        }
    }
}

void TFM_LRADIUSSer::LV_RadiusAccountListUserClick()
{
    const int row = LV_RadiusAccountListUser->selectedRow();
    if (row < 0) {
        return;
    }
    LV_RadiusAccountList->selectRow(-1);
    if (row >= LV_RadiusAccountList->topLevelItemCount()) {
        // no account of the device behind the row (a read failed on the way): nothing to change
        LV_RadiusAccountListUser->selectRow(-1);
        return;
    }
    LV_RadiusAccountList->selectRow(row);
    Ed_Name->setText(LV_RadiusAccountList->cell(row, kColName));
    Cbox_Status->setCurrentIndex(
        Cbox_Status->findText(LV_RadiusAccountList->cell(row, kColStatus)));
    Ed_PWD->setText(LV_RadiusAccountList->cell(row, kColPassword));
    m_loadedPassword = Ed_PWD->text();
}

void TFM_LRADIUSSer::Bt_RadiusAddClick()
{
    if (m_command->Busy) {
        return;
    }
    const int selected = LV_RadiusAccountListUser->selectedRow();
    const QString name = Ed_Name->text();
    if (name.isEmpty()) {
        refuse(Ed_Name, "Waring", "Please input user name !", faClearAndFocus); // shipped text
        return;
    }
    if (selected < 0 && listedNamed(name, Qt::CaseInsensitive, -1) >= 0) {
        refuse(Ed_Name, "Waring", "Can't use the same name !", faClearAndFocus);
        return;
    }
    const qsizetype length = Ed_PWD->text().size();
    if (length < 8 || length > 64) {
        refuse(Ed_PWD, "Waring", "The length of password should be 8~64 !", faClearAndFocus);
        return;
    }
    if (selected >= 0 && listedNamed(name, Qt::CaseSensitive, selected) >= 0) {
        // Another account has the name: the delete half would go through and the add be refused,
        // so nothing is sent and the fields stay for another try.
        inform(QStringLiteral("Waring"),
            QStringLiteral("The name has exist, please input username again!"));
        return;
    }
    m_saved = {name, Ed_PWD->text(), Cbox_Status->currentIndex()};
    if (selected >= 0) {
        // A change: the old account is deleted first; its completion adds the new one.
        m_old = {LV_RadiusAccountListUser->cell(selected, kShownName), m_loadedPassword,
            Cbox_Status->findText(LV_RadiusAccountListUser->cell(selected, kShownStatus))};
        MemberSwitch write(m_command);
        write.allIn().include(kCommandPassword, Ed_PWD->text() != m_loadedPassword);
        Ed_Name->setText(m_old.name);
        Cbox_RadAction->setCurrentIndex(kDelete);
        m_replace.begin();
        sendPrepared();
    } else {
        m_lastCommand = Command::Add;
        send(kAdd);
    }
    Ed_Name->clear();
    Ed_PWD->clear();
}

void TFM_LRADIUSSer::Bt_RadiusDelClick()
{
    if (m_command->Busy) {
        return;
    }
    if (LV_RadiusAccountListUser->selectedRow() >= 0
        && confirm(QStringLiteral("Are you sure that you want to delete this entry?"))) {
        m_lastCommand = Command::Delete;
        send(kDelete); // the account as the fields hold it, normally the clicked one
    }
    Ed_Name->clear();
    Ed_PWD->clear();
}

void TFM_LRADIUSSer::commandWritten(const VtSNMPError &result)
{
    const bool ok = result.Code == 0;
    switch (m_replace.completed(ok)) {
    case ReplaceCommand::Then::Plain:
        if (!ok) {
            setStatus(result.Message);
            return;
        }
        setStatus(m_lastCommand == Command::Add ? QStringLiteral("Save OK!")
                                                : QStringLiteral("Delete OK!"));
        m_accounts->Get();
        return;
    case ReplaceCommand::Then::DeleteRefused:
        setStatus(result.Message);
        return;
    case ReplaceCommand::Then::SendNew:
        sendNewEntry();
        return;
    case ReplaceCommand::Then::Replaced:
        setStatus(QStringLiteral("Save OK!"));
        m_accounts->Get();
        return;
    case ReplaceCommand::Then::RestoreOld:
        setStatus(result.Message);
        putOldEntryBack();
        return;
    case ReplaceCommand::Then::Restored:
        m_accounts->Get(); // the add's failure stays shown
        return;
    }
}

void TFM_LRADIUSSer::sendNewEntry()
{
    const int selected = LV_RadiusAccountListUser->selectedRow();
    if (selected >= 0) {
        delete LV_RadiusAccountListUser->takeTopLevelItem(selected);
    }
    LV_RadiusAccountListUser->selectRow(-1);
    showEntry(m_saved);
    if (listedNamed(m_saved.name, Qt::CaseSensitive, -1) >= 0) {
        inform(QStringLiteral("Waring"),
            QStringLiteral("The name has exist, please input username again!"));
        m_replace.newRefused();
        putOldEntryBack();
        return;
    }
    send(kAdd); // its completion reads the list again
}

void TFM_LRADIUSSer::putOldEntryBack()
{
    showEntry(m_old);
    send(kAdd);
    showEntry(m_saved); // the fields keep what the operator entered, for another try
}
