// The two commands that finish a series of changes, and the waiting dialog's device operations.
#include "CommitWorkflow.h"

#include "DeviceState.h"
#include "ModuleSettings.h"
#include "TFM_Waiting.h"
#include "UISnmpVar.h"
#include "VtOptionList.h"
#include "VtSNMPRequest2Edits.h"
#include "VtUi.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTreeWidget>

namespace {

constexpr int kTimeoutCode = -405;

const VtOptionList olApply{{0, "nothing"}, {1, "apply"}};
const VtOptionList olRestart{{0, "nothing"}, {1, "reboot"}};
const VtOptionList olUpgradeCommand{{1, "Firmwareupdate"}, {2, "configSetting"}, {3, "Configsave"},
    {4, "Reboot"}, {6, "Nothing"}, {7, "certificateFileUpdate"}, {8, "keyFileUpdate"},
    {9, "getacl"}};

const UISnmpVar kCommitVars[] = {
    {"1.3.6.1.4.1.32473.7310.4.2.3", "deviceSettingApply", synInteger, vfRead | vfWrite, &olApply},
    {"1.3.6.1.4.1.32473.7310.4.2.4", "deviceSettingDiscard", synInteger, vfRead | vfWrite,
        &olApply},
    {"1.3.6.1.4.1.32473.7310.4.2.1", "deviceRestart", synInteger, vfRead | vfWrite, &olRestart},
    {nullptr},
};

const UISnmpVar kFirmwareVars[] = {
    {"1.3.6.1.4.1.32473.7310.5.1.1", "deviceInformationFirmwareVersion", synDisplayString, vfRead},
    {nullptr},
};

const UISnmpVar kRestartVars[] = {
    {"1.3.6.1.4.1.32473.7310.4.3.2.5", "tftpUpgradeSettingCommand", synInteger, vfRead | vfWrite,
        &olUpgradeCommand},
    {nullptr},
};

QComboBox *hiddenSelector(QWidget *owner, const char *name)
{
    auto *box = new QComboBox(owner);
    box->setObjectName(QString::fromLatin1(name));
    box->hide();
    return box;
}

std::unique_ptr<VtSNMPRequest2Edits> syncRequest(
    QWidget *owner, const UISnmpVar *vars, int timeout, const ModuleSettings &settings)
{
    auto request = std::make_unique<VtSNMPRequest2Edits>(owner);
    request->Async = false;
    request->Request.Vars = VtSNMPVarList(vars, itScalars);
    request->Request.Timeout = settings.scaledTimeout(timeout);
    return request;
}

} // namespace

const CommitWorkflow::Command CommitWorkflow::SaveAndActivate{
    1, 0, 0, 20, "The device is activate...", "Please DO NOT POWER OFF the device"};
const CommitWorkflow::Command CommitWorkflow::DiscardChanges{
    0, 1, 0, 50, "The device is rebooting...", "Please DO NOT POWER OFF the device"};

CommitWorkflow::CommitWorkflow(
    QWidget *owner, const DeviceState &state, const ModuleSettings &settings)
    : Cbox_SaveAct(hiddenSelector(owner, "Cbox_SaveAct")),
      Cbox_Discard(hiddenSelector(owner, "Cbox_Discard")),
      Cbox_Restart(hiddenSelector(owner, "Cbox_Restart")),
      m_owner(owner),
      m_state(state),
      m_settings(settings)
{ }

CommitWorkflow::~CommitWorkflow() = default;

void CommitWorkflow::ensureRequest()
{
    // Made on first use: a request copies the agent description as it stands when it is made,
    // and start-up fills that in after the window exists.
    if (m_request) {
        return;
    }
    m_request = syncRequest(m_owner, kCommitVars, 10000, m_settings);
    m_request->BindCombo(0, Cbox_SaveAct);
    m_request->BindCombo(1, Cbox_Discard);
    m_request->BindCombo(2, Cbox_Restart);
}

bool CommitWorkflow::Get()
{
    ensureRequest();
    return m_request->Get();
}

CommitWorkflow::Outcome CommitWorkflow::run(const Command &command)
{
    Outcome outcome;
    ensureRequest();
    Cbox_SaveAct->setCurrentIndex(command.apply);
    Cbox_Discard->setCurrentIndex(command.discard);
    Cbox_Restart->setCurrentIndex(command.restart);

    VtSNMPError failure;
    m_request->Request.OnError = [&failure](const VtSNMPError &e) {
        if (e.Code != 0) {
            failure = e;
        }
    };
    bool ok = false;
    try {
        ok = m_request->Set(true, true, QString(), nullptr);
    } catch (const VtException &e) {
        failure.Code = e.Code();
        failure.Message = e.Message();
    }
    m_request->Request.OnError = nullptr;
    outcome.result = failure;

    // The device may restart before it answers the commit write, so only a refusal stops here.
    if (!ok && failure.Code != 0 && failure.Code != kTimeoutCode) {
        outcome.refused = true;
        VtUi::current().messageOk(m_owner, QStringLiteral("Error"), failure.Message);
        return outcome;
    }

    QPointer<TFM_Waiting> dialog = new TFM_Waiting(m_owner, m_state, m_settings);
    installDeviceOperations(*dialog, m_settings);
    dialog->FormCreate();
    dialog->Countdown = command.countdown;
    dialog->Restart = false;
    dialog->Label2->setText(QString::fromUtf8(command.firstLine));
    dialog->Label3->setText(QString::fromUtf8(command.secondLine));
    dialog->exec();
    if (dialog) {
        outcome.waited = true;
        outcome.countdown = dialog->Countdown;
        outcome.stallCount = dialog->StallCount;
        delete dialog;
    }
    return outcome;
}

void CommitWorkflow::installDeviceOperations(TFM_Waiting &dialog, const ModuleSettings &settings)
{
    dialog.readFirmwareVersion = [&settings](TFM_Waiting &d) {
        auto request = syncRequest(&d, kFirmwareVars, 100, settings);
        request->BindControl(0, d.Ed_FwVer);
        request->Get();
    };
    QPointer<TFM_Waiting> owner(&dialog);
    dialog.sendRestart = [owner, &settings] {
        auto request = syncRequest(owner, kRestartVars, 100, settings);
        // The option texts are matched without regard to case: "reboot" is 4.
        request->Request.Vars.Var(0).Value = QStringLiteral("reboot");
        request->Set(false, false, QString(), nullptr);
    };
}
