#include "TFM_Sytem.h"

#include "ApMib.h"
#include "DeviceState.h"
#include "MemberSwitch.h"
#include "VtOptionList.h"

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
    Button1 = addButton("Button1", QStringLiteral("Restart"), &TFM_Sytem::Button1Click);
    Button2 = addButton("Button2", QStringLiteral("Restore"), &TFM_Sytem::Button2Click);
    Bt_LanguageClear =
        addButton("Bt_LanguageClear", QStringLiteral("Clear"), &TFM_Sytem::Bt_LanguageClearClick);
}

void TFM_Sytem::FormCreate()
{
    // The commands are written only; nothing is read as the page opens.
    m_commands = makeRequest(kCommandVars, itScalars, 10000, statusTarget());
    bindControls(m_commands, {CB_Restart, CB_Restore, Cbox_LanguagePack});
    m_commands->Request.OnError = [this](const VtSNMPError &e) { m_lastError = e; };
}

bool TFM_Sytem::writeOnly(int index)
{
    MemberSwitch write(m_commands);
    write.allOut().in(index);
    m_lastError = VtSNMPError{};
    if (write.set()) {
        return true;
    }
    if (m_lastError.Code != 0) {
        m_commands->MessageKind = 1;
        m_commands->ShowMessage(m_lastError.Message);
    }
    if (isSilence(m_lastError)) {
        // A device that restarts at once may never answer: that counts as done. A refusal does
        // not.
        expectedSilence();
        return true;
    }
    return false;
}

void TFM_Sytem::Button1Click()
{
    CB_Restart->setCurrentIndex(1);
    if (!confirm(QStringLiteral("Device will reboot, continue?"))) {
        return;
    }
    if (!writeOnly(kRestart)) {
        return;
    }
    runWaiting(60, QString(), QStringLiteral("System is rebooting, please waiting....."));
    if (context().device) {
        context().device->setKeyRestartState(DeviceState::KeyRestartDone);
    }
}

void TFM_Sytem::Button2Click()
{
    CB_Restore->setCurrentIndex(1);
    if (!confirm(QStringLiteral("Restore to Factory Default Settings?"))) {
        return;
    }
    if (!writeOnly(kFactoryDefault)) {
        return;
    }
    runWaiting(60, QStringLiteral("The system IP will be 192.168.0.50 !"),
        QStringLiteral("System is rebooting, please waiting.....!"));
}

void TFM_Sytem::Bt_LanguageClearClick()
{
    Cbox_LanguagePack->setCurrentIndex(1);
    if (confirm(QStringLiteral("Clear the language pack ?"))) {
        writeOnly(kLanguageClear);
    }
}
