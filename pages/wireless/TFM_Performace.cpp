// Advanced \ Performance.
#include "TFM_Performace.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "OptionListControls.h"
#include "SecurityTables.h"
#include "SharedOptions.h"
#include "TFM_PerformaceRules.h"
#include "WirelessTables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>

using namespace performancerules;

namespace {

#define RADIO(tail) AP_OID("2.1.3.3.1.1.1." tail)

const VtOptionList olTransmitPower{{1, "100%"}, {2, "50%"}, {3, "25%"}, {4, "12.5%"}};
const VtOptionList olRadioWave{{0, "Off"}, {1, "On"}};

const UISnmpVar kPerformanceVars[] = {
    {RADIO("17.1"), "dot11BeaconInterval", synInteger, vfRead | vfWrite},
    {RADIO("18.1"), "dot11Dtim", synInteger, vfRead | vfWrite},
    {RADIO("21.1"), "dot11TransmitPower", synInteger, vfRead | vfWrite, &olTransmitPower},
    {RADIO("25.1"), "dot11Wmm", synInteger, vfRead | vfWrite, &options::disableEnable},
    {RADIO("32.1"), "dot11ShortGI", synInteger, vfRead | vfWrite, &options::disableEnable},
    {RADIO("33.1"), "dot11Igmpsnooping", synInteger, vfRead | vfWrite, &options::disableEnable},
    {RADIO("23.1"), "dot11RadioWave", synInteger, vfRead | vfWrite, &olRadioWave},
    {RADIO("11.1"), "dot11DataRate", synDisplayString, vfRead | vfWrite},
    {AP_OID("3.2.1.1.1.1"), "dot11LoadBalance", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {mib::dot11UserLimit, "dot11UserLimit", synInteger, vfRead | vfWrite},
    {mib::dot11LinkIntegrate, "dot11LinkIntegrate", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {RADIO("31.1"), "dot11AckTimeout", synInteger, vfRead | vfWrite},
    {RADIO("30.1"), "dot11Band2dot4GHzDataRateList", synDisplayString, vfRead},
    {RADIO("35.1"), "dot11Band5GHzDataRateList", synDisplayString, vfRead},
    {RADIO("42.1"), "dot11MulticastRateABandList", synDisplayString, vfRead},
    {RADIO("43.1"), "dot11MulticastRateGBandList", synDisplayString, vfRead},
    {RADIO("44.1"), "dot11MulticastRateABand", synDisplayString, vfRead | vfWrite},
    {RADIO("45.1"), "dot11MulticastRateGBand", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kMulticastVars[] = {
    {RADIO("42.1"), "dot11MulticastRateABandList", synDisplayString, vfRead},
    {RADIO("43.1"), "dot11MulticastRateGBandList", synDisplayString, vfRead},
    {RADIO("44.1"), "dot11MulticastRateABand", synDisplayString, vfRead | vfWrite},
    {RADIO("45.1"), "dot11MulticastRateGBand", synDisplayString, vfRead | vfWrite},
    {nullptr},
};

#undef RADIO

const UISnmpVar kBandVars[] = {
    {mib::dot11Band, "dot11Band", synInteger, vfRead | vfWrite, &options::dot11Band},
    {nullptr},
};
const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApModeAdvanced},
    {nullptr},
};
const UISnmpVar kChannelWidthVars[] = {
    {mib::dot11ChannelWidth, "dot11ChannelWidth", synInteger, vfRead | vfWrite,
        &options::dot11ChannelWidth},
    {nullptr},
};

constexpr int kTimeout = 10000;
constexpr int kSecurityTimeout = 5000;
constexpr int kCipherTimeout = 1000;
constexpr int kRateItemsShown = 15;

const char kDisable[] = "Disable";

// Puts the full list back into a wireless mode selector, keeping the item it shows.
void refillModes(QComboBox *selector, const VtOptionList &modes)
{
    const QString shown = selector->currentText();
    FillItems(selector, modes);
    selector->setCurrentIndex(selector->findText(shown));
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items.append(combo->itemText(i));
    }
    return items;
}

} // namespace

TFM_Performace::TFM_Performace(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Performance"), context)
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    form().beginTabs("PageControl1");
    form().beginTab("TabSheet1", QStringLiteral("Advanced Wireless Settings"));
    form().beginGroup("GB_Advance", QStringLiteral("Advance Wireless Settings"));
    CB_WMode1 = form().addCombo("CB_WMode1", QStringLiteral("Wireless Mode"));
    CB_WMode2 = form().addCombo("CB_WMode2", QStringLiteral("Wireless Mode"));
    CB_DRate = form().addCombo("CB_DRate", QStringLiteral("Data Rate"));
    CB_ShortGI = form().addCombo("CB_ShortGI", QStringLiteral("Short GI"));
    Ed_BeInta = form().addEdit("Ed_BeInta", QStringLiteral("Beacon Interval (25-500)"), 3);
    Ed_DTIMa = form().addEdit("Ed_DTIMa", QStringLiteral("DTIM interval (1-15)"), 2);
    CB_TranPa = form().addCombo("CB_TranPa", QStringLiteral("Transmit Power"));
    CB_WMM = form().addCombo("CB_WMM", QStringLiteral("WMM(Wi-Fi Multimedia )"));
    CB_Radio = form().addCombo("CB_Radio", QStringLiteral("Wireless "));
    CB_Grouping = form().addCombo("CB_Grouping", QStringLiteral("Connection Limit "));
    Ed_ULimit = form().addEdit("Ed_ULimit", QStringLiteral("User Limit(0-64)"), 2);
    Ed_AckTimeOut = form().addEdit(
        "Ed_AckTimeOut", QStringLiteral("Ack Time Out (2.4GHz, 64~200)"), 3, "Label_Ack");
    CB_RateBand =
        form().addCombo("CB_RateBand", QStringLiteral("Multicast Rate for g band"), "LB_RateBand");
    CB_RateBand->setMaxVisibleItems(kRateItemsShown);
    CB_IGMPSnooping = form().addCombo("CB_IGMPSnooping", QStringLiteral("IGMP Snooping"));
    form().endGroup();
    form().endTab();
    form().endTabs();
    Label_Ack = findChild<QLabel *>(QStringLiteral("Label_Ack"));
    LB_RateBand = findChild<QLabel *>(QStringLiteral("LB_RateBand"));

    CB_Wireless = form().addHiddenCombo("CB_Wireless");
    CB_ApMode = form().addHiddenCombo("CB_ApMode");
    CB_ChanWidth = form().addHiddenCombo("CB_ChanWidth");
    CB_dot11Authentication = form().addHiddenCombo("CB_dot11Authentication");
    CB_dot11Encryption = form().addHiddenCombo("CB_dot11Encryption");
    CB_Clipher = form().addHiddenCombo("CB_Clipher");
    Ed_TRate = form().addHiddenEdit("Ed_TRate");
    CB_Link = form().addHiddenCombo("CB_Link");
    Ed_24GDataRateList = form().addHiddenEdit("Ed_24GDataRateList");
    Ed_5GDataRateList = form().addHiddenEdit("Ed_5GDataRateList");
    Ed_RateABandList = form().addHiddenEdit("Ed_RateABandList");
    Ed_RateGBandList = form().addHiddenEdit("Ed_RateGBandList");
    Ed_RateABand = form().addHiddenEdit("Ed_RateABand");
    Ed_RateGBand = form().addHiddenEdit("Ed_RateGBand");
    // hidden fields carry device values: what was not read is empty, not the field's name
    for (QLineEdit *carrier : {Ed_TRate, Ed_24GDataRateList, Ed_5GDataRateList, Ed_RateABandList,
             Ed_RateGBandList, Ed_RateABand, Ed_RateGBand}) {
        carrier->clear();
    }

    Bt_Apply_a = addButton("Bt_Apply_a", QStringLiteral("Save"), &TFM_Performace::Bt_Apply_aClick);
    Bt_Refresh_a =
        addButton("Bt_Refresh_a", QStringLiteral("Refresh"), &TFM_Performace::Bt_Refresh_aClick);

    onChange(CB_WMode1, &TFM_Performace::CB_WMode1Change);
    onChange(CB_WMode2, &TFM_Performace::CB_WMode2Change);
    onChange(CB_Grouping, &TFM_Performace::CB_GroupingChange);
    onChange(CB_IGMPSnooping, &TFM_Performace::CB_IGMPSnoopingChange);
    onChange(CB_RateBand, &TFM_Performace::CB_RateBandChange);
}

void TFM_Performace::noteFailures(VtSNMPRequest2Edits *request)
{
    request->Request.OnError = [this, request](const VtSNMPError &result) {
        if (result.Code == 0) {
            return;
        }
        if (m_collecting) {
            if (m_failedRead == nullptr) {
                m_failedRead = request;
                m_failure = result.Message;
            }
        } else {
            request->ShowMessage(result.Message);
        }
    };
}

void TFM_Performace::FormCreate()
{
    m_performance = makeRequest(kPerformanceVars, itInstance, kTimeout);
    bindControls(m_performance,
        {{Ed_BeInta, "%u"}, {Ed_DTIMa, "%u"}, CB_TranPa, CB_WMM, CB_ShortGI, CB_IGMPSnooping,
            CB_Radio, {Ed_TRate, "%s"}, CB_Grouping, {Ed_ULimit, "%u"}, CB_Link,
            {Ed_AckTimeOut, "%u"}, {Ed_24GDataRateList, "%s"}, {Ed_5GDataRateList, "%s"},
            {Ed_RateABandList, "%s"}, {Ed_RateGBandList, "%s"}, {Ed_RateABand, "%s"},
            {Ed_RateGBand, "%s"}});
    m_multicast = makeRequest(kMulticastVars, itInstance, kTimeout);
    bindControls(m_multicast,
        {{Ed_RateABandList, "%s"}, {Ed_RateGBandList, "%s"}, {Ed_RateABand, "%s"},
            {Ed_RateGBand, "%s"}});
    m_band = makeRequest(kBandVars, itInstance, kTimeout, statusTarget());
    bindControls(m_band, {CB_Wireless});
    m_apMode = makeRequest(kApModeVars, itInstance, kTimeout, statusTarget());
    bindControls(m_apMode, {CB_ApMode});
    m_channelWidth = makeRequest(kChannelWidthVars, itInstance, kTimeout);
    bindControls(m_channelWidth, {CB_ChanWidth});
    m_security = makeRequest(security::kAuthenticationVars, itInstance, kSecurityTimeout);
    m_security->Request.Vars.Var(security::avKeyIndex).Flags = vfSkip;
    bindControls(m_security, {CB_dot11Authentication, nullptr, CB_dot11Encryption});
    m_cipher = makeRequest(security::kPassphraseVars, itInstance, kCipherTimeout);
    VtSNMPVarList &cipherVars = m_cipher->Request.Vars;
    for (int i = 0; i < cipherVars.Count(); ++i) {
        if (i != security::pvCipherType) {
            cipherVars.Var(i).Flags = vfSkip; // the passphrase and rekeying are not this page's
        }
    }
    bindControls(m_cipher, {nullptr, CB_Clipher});
    for (VtSNMPRequest2Edits *request :
        {m_performance, m_multicast, m_band, m_apMode, m_channelWidth, m_security, m_cipher}) {
        noteFailures(request);
    }

    // The band read at opening decides which list the wireless mode is read with and which
    // selector shows it; the other selector gets its band's texts all the same.
    guarded([&] { m_band->Get(); });
    const bool fiveGHz = currentBand() == options::kBand5GHz;
    m_wifiMode = makeRequest(
        fiveGHz ? wireless::kWifiMode5Vars : wireless::kWifiMode24Vars, itInstance, kTimeout);
    bindControls(m_wifiMode, {fiveGHz ? CB_WMode2 : CB_WMode1});
    noteFailures(m_wifiMode);
    FillItems(fiveGHz ? CB_WMode1 : CB_WMode2,
        fiveGHz ? options::dot11WifiMode24 : options::dot11WifiMode5);
    guarded([&] { refresh(); });
}

int TFM_Performace::currentBand() const
{
    return CB_Wireless->currentIndex() == options::kBand5GHz ? options::kBand5GHz
                                                             : options::kBand24GHz;
}

int TFM_Performace::apMode() const
{
    return CB_ApMode->currentIndex();
}

QComboBox *TFM_Performace::modeSelector(int band) const
{
    return band == options::kBand5GHz ? CB_WMode2 : CB_WMode1;
}

bool TFM_Performace::weakSecurity() const
{
    return performancerules::weakSecurity(CB_dot11Authentication->currentText(),
        CB_dot11Encryption->currentText(), CB_Clipher->currentText());
}

void TFM_Performace::refresh()
{
    // a refresh may find security strong again: both selectors offer their whole lists
    refillModes(CB_WMode1, options::dot11WifiMode24);
    refillModes(CB_WMode2, options::dot11WifiMode5);
    m_failedRead = nullptr;
    m_failure.clear();
    bool ok = true;
    {
        m_collecting = true;
        const auto done = qScopeGuard([this] { m_collecting = false; });
        for (VtSNMPRequest2Edits *request : {m_security, m_cipher, m_performance, m_apMode,
                 m_channelWidth, m_band, m_multicast, m_wifiMode}) {
            ok = request->Get() && ok;
        }
    }

    const bool fiveGHz = currentBand() == options::kBand5GHz;
    Label_Ack->setText(fiveGHz ? QStringLiteral("Ack Time Out (5GHz, 50~200)")
                               : QStringLiteral("Ack Time Out (2.4GHz, 64~200)"));
    showRow(CB_WMode1, !fiveGHz);
    showRow(CB_WMode2, fiveGHz);
    wirelessModeChange(currentBand());
    LB_RateBand->setText(fiveGHz ? QStringLiteral("Multicast Rate for a band")
                                 : QStringLiteral("Multicast Rate for g band"));
    bandAndModeRule();

    if (ok) {
        setStatus(QStringLiteral("Get OK!"));
    } else if (m_failedRead != nullptr) {
        // the first failure is the word that stays; a request without a message target gives
        // its text alone
        if (m_failedRead->MessageTarget) {
            m_failedRead->MessageKind = 0;
            m_failedRead->ShowMessage(m_failure);
        } else {
            setStatus(m_failure);
        }
    }
}

void TFM_Performace::fillDataRates(int band, bool n80211)
{
    const DataRateChoice choice = dataRates(band, n80211, Ed_TRate->text());
    CB_DRate->clear();
    CB_DRate->addItems(choice.items);
    CB_DRate->setCurrentIndex(choice.selected);
    CB_DRate->setEnabled(choice.selectable);
}

void TFM_Performace::fillMulticastRates(int band, bool n80211)
{
    const bool fiveGHz = band == options::kBand5GHz;
    const MulticastChoice choice =
        multicastRates((fiveGHz ? Ed_RateABandList : Ed_RateGBandList)->text(),
            (fiveGHz ? Ed_RateABand : Ed_RateGBand)->text(),
            restrictedMulticast(weakSecurity(), CB_dot11Authentication->currentText(), n80211));
    CB_RateBand->clear();
    CB_RateBand->addItems(choice.items);
    CB_RateBand->setCurrentIndex(choice.selected);
}

void TFM_Performace::wirelessModeChange(int band)
{
    QComboBox *selector = modeSelector(band);
    if (selector->currentIndex() < 0 && selector->count() > 0) {
        selector->setCurrentIndex(0);
    }
    const bool legacy = legacyMode(selector->currentIndex());
    fillDataRates(band, !legacy);
    if (legacy) {
        pin(CB_ShortGI, options::kDisable);
    } else {
        CB_ShortGI->setEnabled(true);
    }
    fillMulticastRates(band, !legacy);
    if (band != currentBand()) {
        return;
    }
    if (apMode() == options::kApModeWirelessClient) {
        selector->setEnabled(false);
        selector->setCurrentIndex(0);
    } else if (legacy) {
        CB_DRate->setEnabled(true);
    } else {
        pin(CB_DRate, 0);
    }
}

void TFM_Performace::CB_WMode1Change()
{
    wirelessModeChange(options::kBand24GHz);
}

void TFM_Performace::CB_WMode2Change()
{
    wirelessModeChange(options::kBand5GHz);
}

void TFM_Performace::bandAndModeRule()
{
    const int current = currentBand();
    QComboBox *selector = modeSelector(current);
    enable({selector, CB_DRate, Ed_BeInta, Ed_DTIMa, CB_IGMPSnooping}, true);
    CB_RateBand->setEnabled(false);
    switch (apMode()) {
    case options::kApModeAccessPoint:
        CB_Grouping->setEnabled(true);
        CB_GroupingChange();
        wirelessModeChange(current);
        enable({CB_IGMPSnooping, CB_RateBand}, true);
        break;
    case options::kApModeWdsWithAp:
        enable({CB_Grouping, Ed_ULimit}, false);
        wirelessModeChange(current);
        enable({CB_IGMPSnooping, CB_RateBand}, true);
        break;
    case options::kApModeWds:
        enable({CB_Grouping, Ed_ULimit}, false);
        wirelessModeChange(current);
        CB_IGMPSnooping->setEnabled(false);
        break;
    case options::kApModeWirelessClient:
        enable({selector, CB_DRate, Ed_BeInta, Ed_DTIMa, CB_IGMPSnooping, CB_Grouping, Ed_ULimit},
            false);
        wirelessModeChange(current);
        // a client takes the guard interval from its channel width; its data rate is not its own
        enable({CB_DRate, CB_ShortGI}, false);
        CB_ShortGI->setCurrentIndex(
            CB_ChanWidth->currentIndex() > 0 ? options::kEnable : options::kDisable);
        break;
    default:
        break;
    }
    if (weakSecurity()) {
        // WEP and TKIP carry no 802.11n rates
        for (QComboBox *modes : {CB_WMode1, CB_WMode2}) {
            const ModeItems kept = withoutNOnly(itemsOf(modes), modes->currentText());
            modes->clear();
            modes->addItems(kept.items);
            modes->setCurrentIndex(kept.selected);
        }
    }
}

void TFM_Performace::CB_GroupingChange()
{
    Ed_ULimit->setEnabled(CB_Grouping->currentIndex() == options::kEnable);
}

void TFM_Performace::CB_IGMPSnoopingChange()
{
    if (CB_IGMPSnooping->currentIndex() == options::kEnable) {
        CB_RateBand->setCurrentIndex(CB_RateBand->findText(QLatin1String(kDisable)));
    }
}

void TFM_Performace::CB_RateBandChange()
{
    if (CB_RateBand->currentText() != QLatin1String(kDisable)) {
        CB_IGMPSnooping->setCurrentIndex(options::kDisable);
    }
}

void TFM_Performace::Bt_Refresh_aClick()
{
    refresh();
}

void TFM_Performace::Bt_Apply_aClick()
{
    const int current = currentBand();
    const int mode = apMode();
    const bool fiveGHz = current == options::kBand5GHz;
    const bool client = mode == options::kApModeWirelessClient;
    const bool limitOn = CB_Grouping->currentIndex() == options::kEnable;
    PerformanceInput input;
    input.band = current;
    input.apMode = mode;
    input.userLimitWritten = writesUserLimit(mode, limitOn);
    input.beacon = Ed_BeInta->text();
    input.dtim = Ed_DTIMa->text();
    input.userLimit = Ed_ULimit->text();
    input.ackTimeout = Ed_AckTimeOut->text();
    const InputFault fault = checkInput(input);
    if (fault.field != InputField::None) {
        QLineEdit *const fields[] = {nullptr, Ed_BeInta, Ed_DTIMa, Ed_ULimit, Ed_AckTimeOut};
        refuse(fields[int(fault.field)], "Error", fault.message, faClearAndFocus);
        return;
    }

    if (!client) {
        if (!legacyMode(modeSelector(current)->currentIndex())) {
            Ed_TRate->setText(QStringLiteral("Auto"));
        } else if (CB_DRate->currentIndex() >= 0) {
            Ed_TRate->setText(CB_DRate->currentText().trimmed());
        } // no rate chosen: the device's goes back as read
    }
    if (CB_RateBand->currentIndex() >= 0) {
        (fiveGHz ? Ed_RateABand : Ed_RateGBand)->setText(CB_RateBand->currentText());
    }

    // Every write is attempted whatever the device made of the one before; each index list
    // holds for its write alone.
    WriteSequence save(*this);
    if (!client) {
        save.write(m_wifiMode);
    }
    const QString members = performanceMembers(mode, limitOn, current);
    save.step([&] { return m_performance->Set(true, true, members); });
    const QString rate = QString::number(fiveGHz ? mcRateA : mcRateG);
    save.step([&] { return m_multicast->Set(false, true, rate); });
    if (save.ok()) {
        setStatus(QStringLiteral("Save OK!"));
    } else {
        reportFailure(QStringLiteral("Set Error!"));
    }
}
