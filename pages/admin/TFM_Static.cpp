// Ethernet statistics page.
#include "TFM_Static.h"

#include "ApMib.h"
#include "CounterFields.h"
#include "VtOptionList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const UISnmpVar kCounterVars[] = {
    {AP_OID("5.2.1.1.1.1.1.1"), "dot3TransmittedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.1.1.1.1.2.1"), "dot3TransmittedBytesCount", synInteger, vfRead},
    {AP_OID("5.2.1.1.1.1.3.1"), "dot3TransmittedDroppedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.1.1.1.1.4.1"), "dot3ReceivedPacketCount", synInteger, vfRead},
    {AP_OID("5.2.1.1.1.1.5.1"), "dot3ReceivedBytesCount", synInteger, vfRead},
    {AP_OID("5.2.1.1.1.1.6.1"), "dot3ReceivedDroppedPacketCount", synInteger, vfRead},
    {nullptr},
};

const UISnmpVar kClearVars[] = {
    {AP_OID("5.2.1.1.1.1.16.1"), "dot3Clear", synInteger, vfRead | vfWrite, &counterClearOptions()},
    {nullptr},
};

} // namespace

TFM_Static::TFM_Static(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ Stats \\ Ethernet"), context)
{
    usePanelStatus();
    form().beginGroup("GB_Transmitted", QStringLiteral("Transmitted Count"));
    Ed_TranPCount =
        form().addReadOnly("Ed_TranPCount", QStringLiteral("Transmitted Packet Count"), true);
    Edt_TransBCount =
        form().addReadOnly("Edt_TransBCount", QStringLiteral("Trasmitted Bytes Count"), true);
    Edt_DropPCount =
        form().addReadOnly("Edt_DropPCount", QStringLiteral("Dropped Packet Count "), true);
    form().beginGroup("GB_Received", QStringLiteral("Recieved Count"));
    Edt_RecPacCount =
        form().addReadOnly("Edt_RecPacCount", QStringLiteral("Received Packet Count "), true);
    Edt_RecByCount =
        form().addReadOnly("Edt_RecByCount", QStringLiteral("Received Bytes Count "), true);
    Edt_DropPacCount =
        form().addReadOnly("Edt_DropPacCount", QStringLiteral("Dropped Packet Count"), true);
    // the device offers no objects for these; the fields stay as designed
    form()
        .addReadOnly("Edt_RecBroadCount", QStringLiteral("Received Broadcast Packet Count"), true)
        ->clear();
    form().addReadOnly("Edt_Len64Count", QStringLiteral("Len 64 Packet Count"), true)->clear();
    form().addReadOnly("Edt_Len65Count", QStringLiteral("Len 65~127 Packet Count"), true)->clear();
    form()
        .addReadOnly("Edt_Len128Count", QStringLiteral("Len 128~255 Packet Count"), true)
        ->clear();
    form()
        .addReadOnly("Edt_Len256Count", QStringLiteral("Len 256~1511 Packet Count"), true)
        ->clear();
    form()
        .addReadOnly("Edt_Len512Count", QStringLiteral("Len 512~1023 Packet Count "), true)
        ->clear();
    form()
        .addReadOnly("Edt_Len1024Count", QStringLiteral("Len 1024~1518 Packet Count "), true)
        ->clear();
    form()
        .addReadOnly("Edt_Len1519Count", QStringLiteral("Len 1519~MAX Packet Count"), true)
        ->clear();
    form().endGroup();
    CB_Clear = form().addHiddenCombo("CB_Clear");
    Bt_Refresh = addButton("Bt_Refresh", QStringLiteral("Refresh"), &TFM_Static::Bt_RefreshClick);
    Bt_Clear = addButton("Bt_Clear", QStringLiteral("Clear"), &TFM_Static::Bt_ClearClick);
}

QList<QLineEdit *> TFM_Static::counterFields() const
{
    return {Ed_TranPCount, Edt_TransBCount, Edt_DropPCount, Edt_RecPacCount, Edt_RecByCount,
        Edt_DropPacCount};
}

void TFM_Static::FormCreate()
{
    m_counters = makeRequest(kCounterVars, itInstance, 10000);
    bindCounterFields(*m_counters, counterFields());
    m_clear = makeRequest(kClearVars, itInstance, 1000);
    bindControls(m_clear, {CB_Clear});
    setStatus(getKeepingFields(m_counters) ? QStringLiteral("Ethernet Info Get OK!")
                                           : QStringLiteral("Ethernet Info Get Error!"));
}

void TFM_Static::Bt_RefreshClick()
{
    setStatus(getKeepingFields(m_counters) ? QStringLiteral("Refresh Ethernet Info OK!")
                                           : QStringLiteral("Refresh Ethernet Info Error!"));
}

// The counters are zeroed on screen only once the device took the clear; a refused or
// unanswered clear leaves them as read and says so.
void TFM_Static::Bt_ClearClick()
{
    setStatus(QStringLiteral("Ethernet Info is Clearing!"));
    setStatus(clearCounters(*m_clear, CB_Clear, counterFields())
            ? QStringLiteral("Clear Ethernet Info is OK!")
            : QStringLiteral("Clear Ethernet Info Error!"));
}
