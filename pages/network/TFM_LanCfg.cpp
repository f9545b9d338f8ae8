// LAN page: how the access point gets its own address, and the static address itself.
#include "TFM_LanCfg.h"

#include "ApMib.h"
#include "Checks.h"
#include "VtOptionList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr char hGetIPFrom[] = AP_OID("2.1.1.1.1.1.1");
const VtOptionList olGetIPFrom{{1, "Static (Manual)"}, {2, "Dynamic (DHCP)"}};

const UISnmpVar kIpSourceVars[] = {
    {hGetIPFrom, "hGetIPFrom", synInteger, vfRead | vfWrite, &olGetIPFrom},
    {nullptr},
};
const UISnmpVar kLanAddressVars[] = {
    {mib::hIPAddress, "hIPAddress", synIpAddress, vfRead | vfWrite},
    {mib::hSubnetMask, "hSubnetMask", synIpAddress, vfRead | vfWrite},
    {mib::hDefaultGateway, "hDefaultGateway", synIpAddress, vfRead | vfWrite},
    {nullptr},
};

// Item indexes of olGetIPFrom.
constexpr int kStatic = 0;
constexpr int kDynamic = 1;

} // namespace

TFM_LanCfg::TFM_LanCfg(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Home \\ LAN"), context)
{
    CB_IPFrom = form().addCombo("CB_IPFrom", QStringLiteral("Get IP From"));
    ED_IpAddr = form().addEdit("ED_IpAddr", QStringLiteral("IP Address"), 15, "LA_IPAddress");
    ED_SubMask = form().addEdit("ED_SubMask", QStringLiteral("Subnet Mask"), 15, "LA_SubnetMask");
    ED_DefGw = form().addEdit("ED_DefGw", QStringLiteral("Default Gateway"), 15, "LA_DefGW");
    ED_SubMask->setText(QStringLiteral("255.255.255.0"));
    BT_LanCfgOk = addButton("BT_LanCfgOk", QStringLiteral("Save"), &TFM_LanCfg::BT_LanCfgOkClick);
    BT_LanCfgCancel = form().addButton("BT_LanCfgCancel", QStringLiteral("Cancel"));
    connect(BT_LanCfgCancel, &QPushButton::clicked, this, &TFM_LanCfg::reject);
    onChange(CB_IPFrom, &TFM_LanCfg::CB_IPFromChange);
}

void TFM_LanCfg::FormCreate()
{
    guarded([&] {
        m_ipSource = makeRequest(kIpSourceVars, itInstance, 1000); // hundredths: 10 s
        m_ipSource->BindCombo(0, CB_IPFrom);
        m_lanAddress = makeRequest(kLanAddressVars, itInstance, 1000, statusTarget());
        m_lanAddress->BindFormat(0, QStringLiteral("%s"), ED_IpAddr);
        m_lanAddress->BindFormat(1, QStringLiteral("%s"), ED_SubMask);
        m_lanAddress->BindFormat(2, QStringLiteral("%s"), ED_DefGw);
        if (m_ipSource->Get()) {
            m_deviceMode = CB_IPFrom->currentIndex();
        }
        if (m_lanAddress->Get()) {
            applyVisibilityRule();
        }
    });
    clearIfZeroAddress(ED_DefGw); // the device reports "no gateway" as 0.0.0.0
}

void TFM_LanCfg::applyVisibilityRule()
{
    const bool shown = CB_IPFrom->currentIndex() != kDynamic;
    for (QLineEdit *field : {ED_IpAddr, ED_SubMask, ED_DefGw}) {
        showRow(field, shown);
    }
}

void TFM_LanCfg::CB_IPFromChange()
{
    applyVisibilityRule();
}

bool TFM_LanCfg::writeIpSource()
{
    const int chosen = CB_IPFrom->currentIndex();
    if (!m_ipSource->Set()) {
        return false;
    }
    m_deviceMode = chosen;
    return true;
}

void TFM_LanCfg::BT_LanCfgOkClick()
{
    const int chosen = CB_IPFrom->currentIndex();
    if (chosen == kStatic) {
        const FieldCheck checks[] = {
            {ED_IpAddr, CheckIPAddress, "Please input valid IP Address.", faClearAndFocus},
            {ED_SubMask, CheckSubnetMask, "Please input valid Subnet Mask.", faClearAndFocus},
            {ED_DefGw, optional(CheckIPAddress), "Invalid gateway address !", // shipped text
                faClearAndFocus},
        };
        if (!runChecks(checks, "Warning")) {
            return;
        }
        setIfEmpty(ED_DefGw, QStringLiteral("0.0.0.0"));
        bool ok = true;
        if (m_deviceMode != kStatic) {
            // leave DHCP first (also when the device's mode is not known); the address is
            // written either way
            ok = writeIpSource();
        }
        ok = m_lanAddress->Set() && ok;
        reportSet(ok);
    } else if (chosen == kDynamic && m_deviceMode != kDynamic) {
        reportSet(writeIpSource());
    }
    clearIfZeroAddress(ED_DefGw);
}
