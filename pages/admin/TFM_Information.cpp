// System information page.
#include "TFM_Information.h"

#include "ApMib.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const UISnmpVar kSystemVars[] = {
    {mib::sysDescr, "systemDescr", synDisplayString, vfRead},
    {mib::sysObjectID, "systemObjectID", synOid, vfRead},
    {mib::sysUpTime, "systemUpTime", synTimeTicks, vfRead},
    {mib::sysContact, "systemContact", synDisplayString, vfRead | vfWrite},
    {mib::sysName, "systemName", synDisplayString, vfRead | vfWrite},
    {mib::sysLocation, "systemLocation", synDisplayString, vfRead | vfWrite},
    {nullptr},
};

constexpr int kContactMax = 255;
constexpr int kNameMax = 32;
constexpr int kLocationMax = 32;

} // namespace

TFM_Information::TFM_Information(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Home \\ Information"), context)
{
    Ed_SD = form().addReadOnly("Ed_SD", QStringLiteral("System Description:"));
    Ed_SO = form().addReadOnly("Ed_SO", QStringLiteral("System Object ID:"));
    Ed_SU = form().addReadOnly("Ed_SU", QStringLiteral("System Uptime:"));
    Ed_SC = form().addEdit("Ed_SC", QStringLiteral("System Contact:"), kContactMax);
    Ed_SN = form().addEdit("Ed_SN", QStringLiteral("System Name:"), kNameMax);
    Ed_SL = form().addEdit("Ed_SL", QStringLiteral("System Location:"), kLocationMax);
    Bt_Refresh =
        addButton("Bt_Refresh", QStringLiteral("Refresh"), &TFM_Information::Bt_RefreshClick);
    Bt_Save = addButton("Bt_Save", QStringLiteral("Save"), &TFM_Information::Bt_SaveClick);
}

void TFM_Information::FormCreate()
{
    m_system = makeRequest(kSystemVars, itScalars, 3000, statusTarget());
    bindControls(m_system, {Ed_SD, Ed_SO, Ed_SU, Ed_SC, Ed_SN, Ed_SL});
    // a refused or unanswered write must not leave an earlier "Save OK!" standing
    m_system->Request.OnError = [r = m_system](const VtSNMPError &result) {
        if (result.Code != 0 && r->MessageKind == 1) {
            r->ShowMessage(result.Message);
        }
    };
    m_system->Get();
}

void TFM_Information::Bt_RefreshClick()
{
    if (m_system->Get()) {
        setStatus(QStringLiteral("Get OK!"));
    }
}

void TFM_Information::Bt_SaveClick()
{
    const FieldCheck checks[] = {
        {Ed_SN, notEmpty(), "The System Name field can not be blank!", faFocus, "Warning"},
        {Ed_SC, atMost(kContactMax), "The Max Lengh of the SystemContact is 255.",
            faWarnOnly}, // shipped text
        {Ed_SN, atMost(kNameMax), "The Max Lengh of the SystemName is 32.", faWarnOnly},
        {Ed_SL, atMost(kLocationMax), "The Max Lengh of the SystemLocation is 32.", faWarnOnly},
    };
    if (!runChecks(checks, "Error")) {
        return;
    }
    if (m_system->Set()) {
        setStatus(QStringLiteral("Save OK!"));
    }
}
