// Advanced \ Filter \ WLAN Partition.
#include "TFM_WLANPart.h"

#include "ApMib.h"
#include "SharedOptions.h"
#include "VtRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>

namespace {

#define PARTITION(tail) AP_OID("2.1.3.3.2.3.1.1." tail)

// The primary SSID and SSIDs 1 to 4 speak of "Disabled", SSIDs 5 to 7 of "Disable": the device's.
const VtOptionList olStationConnection{{0, "Disabled"}, {1, "Enabled"}, {2, "Guestmode"}};
const VtOptionList olStationConnectionLater{{0, "Disable"}, {1, "Enable"}, {2, "Guestmode"}};

const UISnmpVar kBandVars[] = {
    {mib::dot11Band, "dot11Band", synInteger, vfRead | vfWrite, &options::dot11Band},
    {nullptr},
};
const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApModeAdvanced},
    {nullptr},
};
const UISnmpVar kMultiSsidVars[] = {
    {mib::dot11MssidState, "dot11MssidState", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};
const UISnmpVar kPartitionVars[] = {
    {PARTITION("2.1"), "dot11EthernetToWlanAccess", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {PARTITION("4.1"), "dot11InternalStationConnectionPrimarySSID", synInteger, vfRead | vfWrite,
        &olStationConnection},
    {PARTITION("5.1"), "dot11InternalStationConnectionMultiSSID1", synInteger, vfRead | vfWrite,
        &olStationConnection},
    {PARTITION("6.1"), "dot11InternalStationConnectionMultiSSID2", synInteger, vfRead | vfWrite,
        &olStationConnection},
    {PARTITION("7.1"), "dot11InternalStationConnectionMultiSSID3", synInteger, vfRead | vfWrite,
        &olStationConnection},
    {PARTITION("8.1"), "dot11InternalStationConnectionMultiSSID4", synInteger, vfRead | vfWrite,
        &olStationConnection},
    {PARTITION("9.1"), "dot11InternalStationConnectionMultiSSID5", synInteger, vfRead | vfWrite,
        &olStationConnectionLater},
    {PARTITION("10.1"), "dot11InternalStationConnectionMultiSSID6", synInteger, vfRead | vfWrite,
        &olStationConnectionLater},
    {PARTITION("11.1"), "dot11InternalStationConnectionMultiSSID7", synInteger, vfRead | vfWrite,
        &olStationConnectionLater},
    {mib::dot11LinkIntegrate, "dot11LinkIntegrate", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};

#undef PARTITION

// Members of kPartitionVars.
constexpr int kFirstSkipped = 5; // SSID 4: the device's SSIDs 4 to 7 are not this page's
constexpr int kLastSkipped = 8;

constexpr int kTimeout = 10000;
// The rows that show: the primary SSID and SSIDs 1 to 3.
constexpr std::size_t kShownRows = 4;

} // namespace

TFM_WLANPart::TFM_WLANPart(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\WLAN Partition"), context)
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    CB_WBand = form().addCombo("CB_WBand", QStringLiteral("Wireless Band"));
    Cbox_LinkInte = form().addCombo("Cbox_LinkInte", QStringLiteral("Link Integrity"));
    CB_WLANAccess = form().addCombo("CB_WLANAccess", QStringLiteral("Ethernet to WLAN Access"));
    form().beginGroup("GB_StationConnection", QStringLiteral("Internal Station Connection"));
    // the items stand for the device's values by position: "Enable" is 0, which it calls
    // "Disabled"
    const QStringList items{
        QStringLiteral("Enable"), QStringLiteral("Disable "), QStringLiteral("GuestMode")};
    const char *const captions[] = {"Primary SSID", "Multi-SSID 1 ", "Multi-SSID 2 ",
        "Multi-SSID 3 ", "Multi-SSID 4", "Multi-SSID 5 ", "Multi-SSID 6 ", "Multi-SSID 7 "};
    for (std::size_t k = 0; k < RadioGroup.size(); ++k) {
        const QByteArray name = "RadioGroup" + QByteArray::number(int(k + 1));
        RadioGroup[k] =
            form().addRadioGroup(name.constData(), QString::fromLatin1(captions[k]), items);
    }
    form().endGroup();
    for (std::size_t k = kShownRows; k < RadioGroup.size(); ++k) {
        showRow(RadioGroup[k], false);
    }
    Btn_Apply = addButton("Btn_Apply", QStringLiteral("Save"), &TFM_WLANPart::Btn_ApplyClick);
    Btn_Refresh =
        addButton("Btn_Refresh", QStringLiteral("Refresh"), &TFM_WLANPart::Btn_RefreshClick);
    Btn_Close = addButton("Btn_Close", QStringLiteral("Close"), &TFM_WLANPart::Btn_CloseClick);
    Btn_Refresh->hide();
    Btn_Close->hide();
    Cbox_PriSSID = form().addHiddenCombo("Cbox_PriSSID");
    for (std::size_t k = 0; k < Cbox_MultiSSID.size(); ++k) {
        const QByteArray name = "Cbox_MultiSSID" + QByteArray::number(int(k + 1));
        Cbox_MultiSSID[k] = form().addHiddenCombo(name.constData());
    }
    CB_ApMode = form().addHiddenCombo("CB_ApMode");
    Chkbox_MulssidStatus = form().addHiddenCheck("Chkbox_MulssidStatus");

    onChange(CB_WLANAccess, &TFM_WLANPart::CB_WLANAccessChange);
}

QComboBox *TFM_WLANPart::selector(std::size_t k) const
{
    return k == 0 ? Cbox_PriSSID : Cbox_MultiSSID[k - 1];
}

void TFM_WLANPart::FormCreate()
{
    guarded([&] {
        m_band = makeRequest(kBandVars, itInstance, kTimeout);
        bindControls(m_band, {CB_WBand});
        m_apMode = makeRequest(kApModeVars, itInstance, kTimeout, statusTarget());
        bindControls(m_apMode, {CB_ApMode});
        reportFailures(m_apMode);
        m_multiSsid = makeRequest(kMultiSsidVars, itInstance, kTimeout);
        bindControls(m_multiSsid, {Chkbox_MulssidStatus});
        m_partition = makeRequest(kPartitionVars, itInstance, kTimeout, statusTarget());
        bindControls(m_partition,
            {CB_WLANAccess, Cbox_PriSSID, Cbox_MultiSSID[0], Cbox_MultiSSID[1], Cbox_MultiSSID[2],
                Cbox_MultiSSID[3], Cbox_MultiSSID[4], Cbox_MultiSSID[5], Cbox_MultiSSID[6],
                Cbox_LinkInte});
        reportFailures(m_partition);
        // never read, never written
        for (int i = kFirstSkipped; i <= kLastSkipped; ++i) {
            m_partition->Request.Vars.Var(i).Flags = vfSkip;
        }

        m_band->Get();
        CB_WBand->setEnabled(false);
        m_apMode->Get();
        m_multiSsid->Get();
        m_partition->Get();
        selectorsToRadioGroups();
    });
    Chkbox_MulssidStatusClick();
    modeRule();
}

void TFM_WLANPart::selectorsToRadioGroups()
{
    for (std::size_t k = 0; k < kShownRows; ++k) {
        const int index = selector(k)->currentIndex();
        if (index >= 0 && index < RadioGroup[k]->count()) {
            RadioGroup[k]->setItemIndex(index);
        }
    }
}

void TFM_WLANPart::radioGroupsToSelectors()
{
    for (std::size_t k = 0; k < kShownRows; ++k) {
        const int index = RadioGroup[k]->itemIndex();
        if (index >= 0 && index < selector(k)->count()) {
            selector(k)->setCurrentIndex(index);
        }
    }
}

void TFM_WLANPart::Chkbox_MulssidStatusClick()
{
    const bool multiSsid = Chkbox_MulssidStatus->isChecked();
    RadioGroup[0]->setEnabled(true);
    for (std::size_t k = 1; k < RadioGroup.size(); ++k) {
        RadioGroup[k]->setEnabled(multiSsid);
    }
}

void TFM_WLANPart::modeRule()
{
    const bool client = CB_ApMode->currentIndex() == options::kApModeWirelessClient;
    enable({Cbox_LinkInte, CB_WLANAccess}, !client);
    if (client) {
        for (VtRadioGroup *group : RadioGroup) {
            group->setEnabled(false);
        }
    } else {
        Chkbox_MulssidStatusClick();
    }
}

void TFM_WLANPart::CB_WLANAccessChange()
{
    if (CB_WLANAccess->currentIndex() == options::kDisable) {
        inform(QStringLiteral("Waring"), // shipped text
            QStringLiteral("AP will block all multicast/broadcast packets from Ethernet to "
                           "wireless,except DHCP'S !"));
    }
}

void TFM_WLANPart::Btn_ApplyClick()
{
    radioGroupsToSelectors();
    if (m_partition->Set()) {
        setStatus(QStringLiteral("Setting Success!"));
    } else {
        reportFailure(QStringLiteral("Setting Error!"));
    }
}

void TFM_WLANPart::Btn_RefreshClick()
{
    if (m_partition->Get()) {
        selectorsToRadioGroups();
    }
}

void TFM_WLANPart::Btn_CloseClick()
{
    close();
}
