#include "TFM_Sytem.h"

#include "ApMib.h"
#include "DeviceState.h"
#include "ErrorMapping.h"
#include "TransferFlow.h"
#include "VtOptionList.h"
#include "VtUi.h"

#include <QComboBox>
#include <QPushButton>

namespace {

constexpr char deviceFactoryDefault[] = AP_OID("4.2.2");
constexpr char languagePackClear[] = AP_OID("4.2.5");

const VtOptionList olRestart{{0, "nothing"}, {1, "reboot"}};
const VtOptionList olFactoryDefault{{0, "nothing"}, {1, "reset"}};
const VtOptionList olLanguageClear{{0, "nothing"}, {1, "clear"}};

const UISnmpVar kCommandVars[] = {
    {mib::deviceRestart, "deviceRestart", synInteger, vfRead | vfWrite, &olRestart},
    {deviceFactoryDefault, "deviceFactoryDefault", synInteger, vfRead | vfWrite, &olFactoryDefault},
    {languagePackClear, "languagePackClear", synInteger, vfRead | vfWrite, &olLanguageClear},
    {nullptr},
};

enum {
    kRestart = 0,
    kFactoryDefault = 1,
    kLanguageClear = 2
};

bool confirm(QWidget *owner, const char *text)
{
    return VtUi::current().messageOkCancel(
        owner, QStringLiteral("Warning"), QString::fromUtf8(text));
}

} // namespace

TFM_Sytem::TFM_Sytem(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ System Settings"), context)
{
    form().addLine("Label1", QStringLiteral("Restart the Device"));
    form().addLine("Label2", QStringLiteral("Restore to Factory Default Settings"));
    form().addLine("Label3", QStringLiteral("Clear Language Pack"));
    CB_Restart = form().addHiddenCombo("CB_Restart");
    CB_Restore = form().addHiddenCombo("CB_Restore");
    Cbox_LanguagePack = form().addHiddenCombo("Cbox_LanguagePack");
    Button1 = form().addButton("Button1", QStringLiteral("Restart"));
    Button2 = form().addButton("Button2", QStringLiteral("Restore"));
    Bt_LanguageClear = form().addButton("Bt_LanguageClear", QStringLiteral("Clear"));
    connect(Button1, &QPushButton::clicked, this, &TFM_Sytem::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFM_Sytem::Button2Click);
    connect(Bt_LanguageClear, &QPushButton::clicked, this, &TFM_Sytem::Bt_LanguageClearClick);
}

void TFM_Sytem::FormCreate()
{
    // The commands are written only; nothing is read as the page opens.
    guarded([&] {
        m_commands = makeRequest(kCommandVars, itScalars, 10000);
        m_commands->BindCombo(kRestart, CB_Restart);
        m_commands->BindCombo(kFactoryDefault, CB_Restore);
        m_commands->BindCombo(kLanguageClear, Cbox_LanguagePack);
        m_commands->SetMessageTarget(statusTarget());
        m_commands->Request.OnError = [this](const VtSNMPError &e) { m_lastError = e; };
    });
}

bool TFM_Sytem::writeOnly(int index)
{
    if (!m_commands) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        m_commands->Request.Vars.Var(i).Flags = i == index ? vfRead | vfWrite : vfSkip;
    }
    m_lastError = VtSNMPError{};
    bool ok = false;
    guarded([&] { ok = m_commands->Set(); });
    if (ok) {
        return true;
    }
    if (m_lastError.Code != 0) {
        m_commands->MessageKind = 1;
        m_commands->ShowMessage(m_lastError.Message);
    }
    // A device that restarts at once may never answer: that counts as done. A refusal does not.
    return m_lastError.Code == ErrorFromStatus(snmpstatus::kTimeout).Code;
}

void TFM_Sytem::Button1Click()
{
    CB_Restart->setCurrentIndex(1);
    if (!confirm(this, "Device will reboot, continue?")) {
        return;
    }
    if (!writeOnly(kRestart)) {
        return;
    }
    transfer::runWaitingDialog(
        *this, 60, QString(), QStringLiteral("System is rebooting, please waiting....."));
    if (context().device) {
        context().device->setKeyRestartState(DeviceState::KeyRestartDone);
    }
}

void TFM_Sytem::Button2Click()
{
    CB_Restore->setCurrentIndex(1);
    if (!confirm(this, "Restore to Factory Default Settings?")) {
        return;
    }
    if (!writeOnly(kFactoryDefault)) {
        return;
    }
    transfer::runWaitingDialog(*this, 60, QStringLiteral("The system IP will be 192.168.0.50 !"),
        QStringLiteral("System is rebooting, please waiting.....!"));
}

void TFM_Sytem::Bt_LanguageClearClick()
{
    Cbox_LanguagePack->setCurrentIndex(1);
    if (confirm(this, "Clear the language pack ?")) {
        writeOnly(kLanguageClear);
    }
}
