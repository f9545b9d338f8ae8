// Web redirection page.
#include "TFM_WebRedirection.h"

#include "ApMib.h"
#include "Checks.h"
#include "ReportListView.h"
#include "SharedOptions.h"

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace {

#define WEB(tail) AP_OID("3.14." tail)

const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApModeAdvanced},
    {nullptr},
};
const UISnmpVar kStatusVars[] = {
    {WEB("1.1"), "dot11WebRedirectionStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};
const UISnmpVar kCommandVars[] = {
    {WEB("2.1"), "dot11WebRedirectionAccountName", synDisplayString, vfRead | vfWrite},
    {WEB("2.2"), "dot11WebRedirectionAccountPasswd", synDisplayString, vfRead | vfWrite},
    {WEB("2.3"), "dot11WebRedirectionAccountStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {WEB("2.4"), "dot11WebRedirectionAccountAction", synInteger, vfRead | vfWrite,
        &options::delAdd},
    {nullptr},
};
const UISnmpVar kAccountVars[] = {
    {WEB("2.5.1.1"), "dot11WebRedirectionIndex", synInteger, vfKey},
    {WEB("2.5.1.2"), "dot11WebRedirectionListAccountName", synDisplayString, vfRead | vfWrite},
    {WEB("2.5.1.3"), "dot11WebRedirectionListAccountPasswd", synDisplayString, vfRead | vfWrite},
    {WEB("2.5.1.4"), "dot11WebRedirectionListAccountStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};

#undef WEB

constexpr int kCommandPassword = 1; // position in the command group

// Columns of the hidden table: the variables in list order.
constexpr int kColName = 1;
constexpr int kColPassword = 2;
constexpr int kColStatus = 3;

constexpr int kMaxAccounts = 256;

const char kEnableText[] = "Enable";
const char kOneEnabled[] = "When Web Redirection enable,at least 1 account must be enable!";

} // namespace

TFM_WebRedirection::TFM_WebRedirection(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Web Redirection"), context)
{
    Ckb_Status = form().addCheck("Ckb_Status", QStringLiteral("Enable Web Redirection"));
    form().beginGroup("GB_AddAccount", QStringLiteral("Add Web Redirection Account"));
    Ed_Username = form().addEdit("Ed_Username", QStringLiteral("User Name"), 64);
    Ed_Password = form().addEdit("Ed_Password", QStringLiteral("Password"), 64);
    CB_AccountStatus = form().addCombo("CB_AccountStatus", QStringLiteral("Status"));
    Btn_Clear =
        addGroupButton("Btn_Clear", QStringLiteral("Clear"), &TFM_WebRedirection::Btn_ClearClick);
    form().beginGroup("GB_AccountList", QStringLiteral("Web Redirection Account List"));
    LV_AccountToUser = form().addListView("LV_AccountToUser",
        {{QStringLiteral("Status"), 100}, {QStringLiteral("User Name"), 200}}, true);
    Btn_Edit =
        addGroupButton("Btn_Edit", QStringLiteral("Edit"), &TFM_WebRedirection::Btn_EditClick);
    form().endGroup();
    Btn_Add = addButton("Btn_Add", QStringLiteral("Add"), &TFM_WebRedirection::Btn_AddClick);
    Btn_Del = addButton("Btn_Del", QStringLiteral("Delete"), &TFM_WebRedirection::Btn_DelClick);
    Btn_Save = addButton("Btn_Save", QStringLiteral("Save"), &TFM_WebRedirection::Btn_SaveClick);
    CB_Action = form().addHiddenCombo("CB_Action");
    Ed_Index = form().addHiddenEdit("Ed_Index");
    CB_ApMode = form().addHiddenCombo("CB_ApMode");
    LV_AccountGet = form().addHiddenList("LV_AccountGet");
    Ed_Password->setEchoMode(QLineEdit::Password);
    onChange(LV_AccountToUser, &TFM_WebRedirection::LV_AccountToUserClick);
    setStatus(QStringLiteral("OK!"));
}

void TFM_WebRedirection::FormCreate()
{
    m_apMode = makeRequest(kApModeVars, itInstance, 10000);
    bindControls(m_apMode, {CB_ApMode});
    m_status = makeRequest(kStatusVars, itScalars, 10000);
    bindControls(m_status, {Ckb_Status});
    m_command =
        makeRequest(kCommandVars, itScalars, 10000, onSetDone(&TFM_WebRedirection::commandWritten));
    bindControls(
        m_command, {{Ed_Username, "%s"}, {Ed_Password, "%s"}, CB_AccountStatus, CB_Action});
    m_accounts =
        makeRequest(kAccountVars, itTable, 10000, onGetDone(&TFM_WebRedirection::accountsRead));
    m_accounts->Request.Vars.KeyCount = 1;
    m_accounts->BindListView(LV_AccountGet, true);
    bindControls(
        m_accounts, {{Ed_Index, "%s"}, {Ed_Username, "%s"}, {Ed_Password, "%s"}, CB_AccountStatus});

    // Read failures are not reported: the controls show what the failed read left in them.
    m_apMode->Get();
    m_status->Get();
    m_rememberedStatus = Ckb_Status->isChecked();
    m_accounts->Get();
    CB_AccountStatus->setCurrentIndex(options::kEnable);
    m_rowButtons = false;
    const int mode = CB_ApMode->currentIndex();
    if (mode == options::kApModeWds || mode == options::kApModeWirelessClient) {
        // no redirection in these modes: Save writes the switch off
        Ckb_Status->setChecked(false);
        Ckb_Status->setEnabled(false);
    } else {
        Ckb_Status->setEnabled(true);
    }
}

void TFM_WebRedirection::applyRules()
{
    if (m_command == nullptr) {
        return;
    }
    // A write is never queued behind one still under way.
    Btn_Edit->setEnabled(m_rowButtons);
    Btn_Del->setEnabled(m_rowButtons && !m_command->Busy);
    Btn_Add->setEnabled(!(m_mode == Mode::Edit ? m_accounts->Busy : m_command->Busy));
    Btn_Save->setEnabled(!m_status->Busy && !m_accounts->Busy);
}

bool TFM_WebRedirection::selectAccount(int row)
{
    // cleared first: selecting the row already selected would not fill the controls again
    LV_AccountGet->selectRow(-1);
    if (row < 0 || row >= LV_AccountGet->topLevelItemCount()) {
        return false;
    }
    LV_AccountGet->selectRow(row);
    return true;
}

int TFM_WebRedirection::accountNamed(const QString &name, int except) const
{
    for (int row = 0; row < LV_AccountGet->topLevelItemCount(); ++row) {
        if (row != except && LV_AccountGet->cell(row, kColName) == name) {
            return row;
        }
    }
    return -1;
}

void TFM_WebRedirection::accountsRead(const VtSNMPError &result)
{
    m_mode = Mode::Add;
    Btn_ClearClick();
    // The device keeps its accounts in the first rows of its table: visible row i is row i of the
    // hidden table. The "Status" column always reads "Enable"; the check box carries the state.
    LV_AccountToUser->clear();
    for (int row = 0; row < LV_AccountGet->topLevelItemCount(); ++row) {
        const QString name = LV_AccountGet->cell(row, kColName);
        if (name.isEmpty()) {
            continue;
        }
        QTreeWidgetItem *item = LV_AccountToUser->addRow({QLatin1String(kEnableText), name});
        const bool enabled = LV_AccountGet->cell(row, kColStatus) == QLatin1String(kEnableText);
        item->setCheckState(0, enabled ? Qt::Checked : Qt::Unchecked);
    }
    // After Save or a refused change the read leaves the outcome of the write on screen.
    const bool keep = std::exchange(m_keepOutcome, false);
    if (result.Code == 0) {
        if (!keep) {
            setStatus(QStringLiteral("Get OK!"));
        }
    } else if (isSilence(result)) {
        // not even asked: what the list shows is what was read last
        if (!keep) {
            setStatus(result.Message);
        }
    } else {
        setStatus(QStringLiteral("Get Error!"));
    }
}

void TFM_WebRedirection::commandWritten(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(QStringLiteral("Error!"));
        return;
    }
    setStatus(result.Message);
    m_accounts->Get();
}

void TFM_WebRedirection::LV_AccountToUserClick()
{
    // a click selects no account of the hidden table and changes no field
    m_rowButtons = LV_AccountToUser->selectedRow() >= 0;
    if (!m_rowButtons) {
        m_mode = Mode::Add;
    }
}

void TFM_WebRedirection::Btn_ClearClick()
{
    Ed_Username->clear();
    Ed_Password->clear();
}

void TFM_WebRedirection::Btn_EditClick()
{
    const int row = LV_AccountToUser->selectedRow();
    if (row < 0) {
        return;
    }
    m_mode = Mode::Edit;
    selectAccount(row); // fills the index, name, password and status fields
}

void TFM_WebRedirection::Btn_AddClick()
{
    const FieldCheck checks[] = {
        {Ed_Username, notEmpty(), "The User Name can not be blank!"},
        {Ed_Password, optional(CheckBlankEdges),
            "The first character and last character can't be blank.!"}, // shipped text
    };
    if (!runChecks(checks, "Warning")) {
        return;
    }
    if (m_mode == Mode::Add) {
        addAccount();
    } else {
        changeAccount();
    }
}

void TFM_WebRedirection::addAccount()
{
    if (m_command->Busy) {
        return;
    }
    if (LV_AccountGet->topLevelItemCount() >= kMaxAccounts) {
        inform(QStringLiteral("Warning"), QStringLiteral("The max number is 256,is full now!"));
        return;
    }
    if (accountNamed(Ed_Username->text(), -1) >= 0) {
        refuse(Ed_Username, "Warning", "Can not use the same name!");
        return;
    }
    // The password goes with an add only when there is one, and stays in or out for the commands
    // after it, deletes included.
    m_command->Request.Vars.Var(kCommandPassword).Flags =
        Ed_Password->text().isEmpty() ? vfRead : vfRead | vfWrite;
    CB_Action->setCurrentIndex(options::kActionAdd);
    m_command->Set();
}

void TFM_WebRedirection::changeAccount()
{
    if (m_accounts->Busy) {
        return;
    }
    const int row = LV_AccountGet->selectedRow();
    if (row >= 0) {
        if (accountNamed(Ed_Username->text(), row) >= 0) {
            refuse(Ed_Username, "Warning", "Can not use the same name!");
            return;
        }
        QTreeWidgetItem *account = LV_AccountGet->topLevelItem(row);
        account->setText(kColName, Ed_Username->text());
        account->setText(kColPassword, Ed_Password->text());
        account->setText(kColStatus, CB_AccountStatus->currentText());
        m_accounts->Async = false;
        const auto async = qScopeGuard([this] { m_accounts->Async = true; });
        if (!m_accounts->Set(false)) {
            setStatus(QStringLiteral("Error!"));
            m_keepOutcome = true;
        }
    }
    m_accounts->Get(); // its completion sets the mode back to add
}

void TFM_WebRedirection::Btn_DelClick()
{
    const int row = LV_AccountToUser->selectedRow();
    if (row < 0 || m_command->Busy) {
        return;
    }
    // the switch as last read or saved decides, whatever the check box shows now
    if (LV_AccountToUser->topLevelItemCount() <= 1 && m_rememberedStatus) {
        inform(QStringLiteral("Warning"), QLatin1String(kOneEnabled));
        return;
    }
    if (!selectAccount(row)) {
        return; // no account of the device behind the row
    }
    CB_Action->setCurrentIndex(options::kActionDel);
    m_command->Set();
}

void TFM_WebRedirection::Btn_SaveClick()
{
    if (m_accounts->Busy) {
        return;
    }
    const int rows = LV_AccountToUser->topLevelItemCount();
    bool anyChecked = false;
    for (int row = 0; row < rows; ++row) {
        anyChecked =
            anyChecked || LV_AccountToUser->topLevelItem(row)->checkState(0) == Qt::Checked;
    }
    if (Ckb_Status->isChecked() && !anyChecked) {
        inform(QStringLiteral("Warning"), QLatin1String(kOneEnabled));
        return;
    }
    bool ok = m_status->Set();
    {
        m_accounts->Async = false;
        const auto async = qScopeGuard([this] { m_accounts->Async = true; });
        // every listed account's state, row by row, until the device refuses one
        for (int row = 0; ok && row < rows; ++row) {
            QTreeWidgetItem *account = LV_AccountGet->topLevelItem(row);
            if (account == nullptr) {
                ok = false; // a row the device's table did not deliver
                break;
            }
            const bool checked = LV_AccountToUser->topLevelItem(row)->checkState(0) == Qt::Checked;
            account->setText(kColStatus,
                options::disableEnable.Entry(checked ? options::kEnable : options::kDisable).Text);
            selectAccount(row);
            ok = m_accounts->Set(false);
        }
    }
    setStatus(ok ? QStringLiteral("Save Ok!") : QStringLiteral("Save Error!")); // shipped text
    if (!ok) {
        failureTold();
    }
    m_keepOutcome = true;
    m_accounts->Get();
    m_rememberedStatus = Ckb_Status->isChecked();
}
