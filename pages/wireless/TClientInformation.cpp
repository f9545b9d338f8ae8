// Client information page.
#include "TClientInformation.h"

#include "ApMib.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "WirelessTables.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const UISnmpVar kBandVars[] = {
    {mib::dot11Band, "dot11Band", synInteger, vfRead, &options::dot11Band},
    {nullptr},
};

constexpr int kGetItem = 1; // item of the refresh's option list: the device collects its clients

// A listed slot without a client.
const char kNoClient[] = "000000000000";

} // namespace

TClientInformation::TClientInformation(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ Client Information"), context)
{
    usePanelStatus(); // every text of this page goes to panel 0
    form().addLine("Label1", QStringLiteral("Client Information "));
    Lb_Band = form().addText("Lb_Band", QStringLiteral("Station association ("));
    NumOfRecord = form().addText("NumOfRecord", QStringLiteral("):"));
    User_ListView = form().addListView("User_ListView",
        {{QStringLiteral("Index"), 0}, {QStringLiteral("SSID"), 100}, {QStringLiteral("MAC"), 135},
            {QStringLiteral("Band"), 120}, {QStringLiteral("Authentication"), 120},
            {QStringLiteral("Signal"), 50}, {QStringLiteral("Power Saving Mode"), 50}});
    Bt_Rfrsh = addButton("Bt_Rfrsh", QStringLiteral("Refresh"), &TClientInformation::Bt_RfrshClick);
    Bt_Close = addButton("Bt_Close", QStringLiteral("Close"), &TClientInformation::Bt_CloseClick);
    IfGetInfo0 = form().addHiddenCombo("IfGetInfo0");
    CB_Band = form().addHiddenCombo("CB_Band");
    ClientListView = form().addHiddenList("ClientListView");
}

void TClientInformation::FormCreate()
{
    m_refresh = makeRequest(wireless::kClientRefreshVars, itInstance, 10000,
        onSetDone(&TClientInformation::clientsRefreshed));
    bindControls(m_refresh, {IfGetInfo0});
    m_band = makeRequest(kBandVars, itInstance, 10000);
    bindControls(m_band, {CB_Band});
    m_clients = makeRequest(wireless::kClientVars, itTable, 10000,
        onGetDone(&TClientInformation::clientsRead), statusTarget());
    m_clients->BindListView(ClientListView, false);

    m_band->Get();
    Lb_Band->setText(CB_Band->currentIndex() == options::kBand5GHz ? QStringLiteral("5GHZ")
                                                                   : QStringLiteral("2.4GHZ"));
    if (deviceSilent()) {
        return; // nothing more is sent: the page shows the time-out and closes
    }
    detect();
}

void TClientInformation::applyRules()
{
    // a refresh is not queued behind a walk, nor a walk behind a refresh
    Bt_Rfrsh->setEnabled(!m_refresh->Busy && !m_clients->Busy);
}

void TClientInformation::detect()
{
    // The device answers the refresh once it has collected its clients; the table is read then.
    setCloseLocked(true);
    IfGetInfo0->setCurrentIndex(kGetItem);
    setStatus(QStringLiteral("Detect Client Info..."));
    User_ListView->clear();
    try {
        m_refresh->Set();
    } catch (...) {
        setCloseLocked(false); // never sent: nothing will end the refresh
        throw;
    }
}

void TClientInformation::Bt_RfrshClick()
{
    detect();
}

void TClientInformation::Bt_CloseClick()
{
    close(); // refused while the clients are being collected and read
}

void TClientInformation::clientsRefreshed(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(QStringLiteral("Detect timed out!") + result.Message); // shipped text
        showCount();
        setCloseLocked(false);
        return;
    }
    setStatus(QStringLiteral("Get Client info...!"));
    m_clients->Get();
}

void TClientInformation::clientsRead(const VtSNMPError &result)
{
    setCloseLocked(false);
    setStatus(result.Message);
    if (result.Code == 0) {
        rebuild();
    }
    showCount();
}

void TClientInformation::rebuild()
{
    User_ListView->clear();
    int number = 1;
    for (int row = 0; row < ClientListView->topLevelItemCount(); ++row) {
        const auto cell = [&](int var) { return ClientListView->cell(row, var); };
        if (cell(wireless::clMacAddress) == QLatin1String(kNoClient)) {
            continue;
        }
        QString psm = cell(wireless::clPsm);
        if (psm == QLatin1String("1")) {
            psm = QStringLiteral("On");
        } else if (psm == QLatin1String("0")) {
            psm = QStringLiteral("Off");
        }
        User_ListView->addRow({QString::number(number++), cell(wireless::clSsid),
            cell(wireless::clMacAddress), cell(wireless::clBand), cell(wireless::clAuthentication),
            cell(wireless::clRssi), psm});
    }
}

void TClientInformation::showCount()
{
    NumOfRecord->setText(QString::number(User_ListView->topLevelItemCount()));
}
