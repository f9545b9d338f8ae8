// WLAN statistics page.
#include "TFM_StatWLAN.h"

#include "ApMib.h"
#include "CounterFields.h"
#include "VtOptionList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

namespace {

const UISnmpVar kCounterVars[] = {
    {AP_OID("5.2.2.1.1.1.19.1"), "dot11TransmittedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.20.1"), "dot11TransmittedBytesCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.21.1"), "dot11TransmittedDroppedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.22.1"), "dot11TransmittedRetryCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.23.1"), "dot11ReceivedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.24.1"), "dot11ReceivedBytesCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.25.1"), "dot11ReceivedDroppedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.26.1"), "dot11ReceivedCRCCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.27.1"), "dot11ReceivedDecryptionErrorCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.28.1"), "dot11ReceivedMICErrorCount", synInteger, vfRead},
    {AP_OID("5.2.2.1.1.1.29.1"), "dot11ReceivedPHYErrorCount", synInteger, vfRead},
    {nullptr},
};

const UISnmpVar kClearVars[] = {
    {AP_OID("5.2.2.1.1.1.30.1"), "dot11Clear", synInteger, vfRead | vfWrite,
        &counterClearOptions()},
    {nullptr},
};

} // namespace

TFM_StatWLAN::TFM_StatWLAN(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ Stats \\ WLAN "), context) // shipped text
{
    usePanelStatus();
    form().beginGroup("GB_Transmitted", QStringLiteral("Transmitted Count"));
    Ed_TranPCount =
        form().addReadOnly("Ed_TranPCount", QStringLiteral("Transmitted Packet Count"), true);
    Edt_TransBCount =
        form().addReadOnly("Edt_TransBCount", QStringLiteral("Trasmitted Bytes Count"), true);
    Edt_DropPCount =
        form().addReadOnly("Edt_DropPCount", QStringLiteral("Dropped Packet Count"), true);
    Ed_TranReCount =
        form().addReadOnly("Ed_TranReCount", QStringLiteral("Transmition Retry Count"), true);
    form().beginGroup("GB_Received", QStringLiteral("Recieved Count"));
    Edt_RecPacCount =
        form().addReadOnly("Edt_RecPacCount", QStringLiteral("Received Packet Count "), true);
    Edt_RecByCount =
        form().addReadOnly("Edt_RecByCount", QStringLiteral("Received Bytes Count "), true);
    Edt_DropPacCount =
        form().addReadOnly("Edt_DropPacCount", QStringLiteral("Dropped Packet Count"), true);
    Edt_RecCRCCount =
        form().addReadOnly("Edt_RecCRCCount", QStringLiteral("Received CRC Count"), true);
    Edt_RecDecErrCount = form().addReadOnly(
        "Edt_RecDecErrCount", QStringLiteral("Received Decryption Error Count"), true);
    Edt_RecMICErrCount =
        form().addReadOnly("Edt_RecMICErrCount", QStringLiteral("Received MIC Error Count"), true);
    Edt_RecPHYErrCount =
        form().addReadOnly("Edt_RecPHYErrCount", QStringLiteral("Received PHY Error Count"), true);
    form().endGroup();
    CB_Clear = form().addHiddenCombo("CB_Clear");
    Bt_Refresh = addButton("Bt_Refresh", QStringLiteral("Refresh"), &TFM_StatWLAN::Bt_RefreshClick);
    Bt_Clear = addButton("Bt_Clear", QStringLiteral("Clear"), &TFM_StatWLAN::Bt_ClearClick);
}

QList<QLineEdit *> TFM_StatWLAN::counterFields() const
{
    return {Ed_TranPCount, Edt_TransBCount, Edt_DropPCount, Ed_TranReCount, Edt_RecPacCount,
        Edt_RecByCount, Edt_DropPacCount, Edt_RecCRCCount, Edt_RecDecErrCount, Edt_RecMICErrCount,
        Edt_RecPHYErrCount};
}

void TFM_StatWLAN::FormCreate()
{
    m_counters = makeRequest(kCounterVars, itInstance, 10000);
    bindCounterFields(*m_counters, counterFields());
    m_clear = makeRequest(kClearVars, itInstance, 10000);
    bindControls(m_clear, {CB_Clear});
    setStatus(getKeepingFields(m_counters) ? QStringLiteral("Wlan Info Get OK!")
                                           : QStringLiteral("Wlan Info Get Error!"));
}

void TFM_StatWLAN::Bt_RefreshClick()
{
    setStatus(QStringLiteral("Wlan Info Refresh..."));
    enable({Bt_Refresh, Bt_Clear}, false);
    const bool ok = getKeepingFields(m_counters);
    // the device needs this long to gather fresh radio counters; the page holds still meanwhile
    QThread::msleep(static_cast<unsigned long>(qMax(0, context().settings.wlanStatisticsWaitMs)));
    setStatus(
        ok ? QStringLiteral("Refresh Wlan Info OK!") : QStringLiteral("Refresh Wlan Info Error!"));
    enable({Bt_Refresh, Bt_Clear}, true);
}

// The counters are zeroed on screen only once the device took the clear.
void TFM_StatWLAN::Bt_ClearClick()
{
    setStatus(clearCounters(*m_clear, CB_Clear, counterFields())
            ? QStringLiteral("Clear Wlan Info OK!")
            : QStringLiteral("Clear Wlan Info Error!"));
}
