// The module's main window: the device picture with its four lights, the polls that drive them,
// the menu that opens every page, and the start-up that reads the launch options.
#include "TMainForm.h"

#include "DevicePicture.h"
#include "LaunchOptions.h"
#include "ModuleTrace.h"
#include "PlatformPaths.h"
#include "SnmpEventProcessor.h"
#include "SnmpInit.h"
#include "StatusLine.h"
#include "VtOptionList.h"
#include "VtSNMPDevice.h"
#include "VtSNMPRequest.h"
#include "VtSNMPRequest2Edits.h"
#include "VtUi.h"

#include <cstdio>
#include <optional>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegion>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

#define KVA_OID(tail) "1.3.6.1.4.1.32473.7310." tail

const VtOptionList olDisableEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList olLed{{0, "disable"}, {1, "blinking"}};
const VtOptionList olBand{{0, "2.4GHz"}, {1, "5GHz"}};

const UISnmpVar kAgentPollVars[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kAddressVars[] = {
    {KVA_OID("2.1.1.1.1.2.1"), "hIPAddress", synIpAddress, vfRead},
    {KVA_OID("2.1.1.1.1.3.1"), "hSubnetMask", synIpAddress, vfRead},
    {KVA_OID("2.1.1.1.1.4.1"), "hDefaultGateway", synIpAddress, vfRead},
    {nullptr},
};
const UISnmpVar kLedVars[] = {
    {KVA_OID("5.1.2.1.1.6.1"), "wirelessLed2dot4G", synInteger, vfRead, &olLed},
    {KVA_OID("5.1.2.1.1.7.1"), "wirelessLed5G", synInteger, vfRead, &olLed},
    {nullptr},
};
const UISnmpVar kDhcpVars[] = {
    {KVA_OID("3.1.1"), "dhcpServerControl", synInteger, vfRead | vfWrite, &olDisableEnable},
    {nullptr},
};
const UISnmpVar kSysAddressVars[] = {
    {KVA_OID("5.1.2.1.1.2.1"), "ifIpAddress", synIpAddress, vfRead},
    {nullptr},
};
const UISnmpVar kBandVars[] = {
    {KVA_OID("2.1.3.3.1.1.1.34.1"), "dot11Band", synInteger, vfRead | vfWrite, &olBand},
    {nullptr},
};

#undef KVA_OID

struct MenuEntry
{
    const char *menu;
    const char *submenu; // null: directly in the menu
    const char *caption;
    const char *entry; // the handler's name without "Click"
    const char *className;
    bool hidden = false;
};

const MenuEntry kMenu[] = {
    {"Home", nullptr, "Information", "Information1", "TFM_Information"},
    {"Home", nullptr, "Wireless", "hWirelessBand1", "TFM_Wirless"},
    {"Home", nullptr, "LAN", "hLan1", "TFM_LanCfg"},
    {"Advanced", nullptr, "Performance", "adPerformance1", "TFM_Performace"},
    {"Advanced", "Filter", "Wireless MAC ACL", "Mac1", "TFM_FilterMACACL"},
    {"Advanced", "Filter", "WLAN Partition", "WLANPartition1", "TFM_WLANPart"},
    {"Advanced", nullptr, "Multi-SSID", "Ad_MultiSSID", "TFM_MultiSSIDNewForm"},
    {"Advanced", nullptr, "DHCP Server", "DHCPServer1", "TFM_DHCP"},
    {"Advanced", nullptr, "Intrusion", "Intrusion1", "TFM_RogueAP"},
    {"Advanced", nullptr, "Schedule", "Scheduling1", "TFM_Scheduling"},
    {"Advanced", nullptr, "QoS", "QosSetting1", "TFM_QosSetting"},
    {"Advanced", nullptr, "VLAN", "VlanSetting1", "TFM_VlanSetting"},
    {"Advanced", nullptr, "AP Array", "mniAPArray1", "TFM_APArray"},
    {"Advanced", nullptr, "Web Redirection", "WebRedirection1", "TFM_WebRedirection"},
    {"Advanced", nullptr, "ARP Spoofing Prevention", "ARPSpoofingPreventionSettings1",
        "TFM_ARPSpoofing"},
    {"Advanced", nullptr, "Internal RADIUS Server", "mniLocalRADIUSServer1", "TFM_LRADIUSSer",
        true},
    {"Advanced", nullptr, "Traffic Control", "mniTrafficControl1", "TFM_TrafficCtrl", true},
    {"Tools", nullptr, "Administration", "tAdmin1", "TFM_Admin2"},
    {"Tools", nullptr, "System Settings", "tSystem1", "TFM_Sytem"},
    {"Tools", nullptr, "Firmware and SSL", "Firmware1", "TFM_Firmware"},
    {"Tools", nullptr, "Time and Date", "Time", "TFM_Time"},
    {"Tools", nullptr, "Configuration File", "tUpdate1", "TFM_CfgFile"},
    {"Configuration", nullptr, "Save and Activate", "SaveandActivate1", nullptr},
    {"Configuration", nullptr, "Discard Changes", "DiscardChanges1", nullptr},
    {"Status", nullptr, "Device Information", "stEthernet1", "TFM_DevInfo"},
    {"Status", nullptr, "Client Information", "Client1", "TClientInformation"},
    {"Status", nullptr, "WDS Information", "WDSInformation1", "TFM_WDSInfo"},
    {"Status", "Stats", "Ethernet", "Ethernet1", "TFM_Static"},
    {"Status", "Stats", "WLAN", "WLAN1", "TFM_StatWLAN"},
    {"Status", "Log", "View Log", "ViewLog1", "TLogForm"},
    {"Status", "Log", "Log Settings", "LogSettings1", "TLogSetForm"},
    {"Help", nullptr, "About", "About1", "TAboutForm"},
};

QColor colourOf(DeviceState::Colour colour)
{
    switch (colour) {
    case DeviceState::Colour::Green:
        return {0x00, 0xFF, 0x00};
    case DeviceState::Colour::Black:
        return {0x00, 0x00, 0x00};
    case DeviceState::Colour::Initial:
        break;
    }
    return DevicePicture::initialColour();
}

QLineEdit *hiddenEdit(QWidget *owner, const char *name)
{
    auto *edit = new QLineEdit(owner);
    edit->setObjectName(QString::fromLatin1(name));
    edit->hide();
    return edit;
}

QComboBox *hiddenCombo(QWidget *owner, const char *name)
{
    auto *combo = new QComboBox(owner);
    combo->setObjectName(QString::fromLatin1(name));
    combo->hide();
    return combo;
}

QString statusTime()
{
    const QTime now = QTime::currentTime();
    const int h12 = now.hour() % 12 == 0 ? 12 : now.hour() % 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(now.minute(), 2, 10, QLatin1Char('0'))
        .arg(now.second(), 2, 10, QLatin1Char('0'))
        .arg(now.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

/// The status line of a successful agent poll, from the read template of the message catalog.
QString agentPollText(const QString &resultText)
{
    QString text = CatalogText(VtCatalog::Message, 0);
    const qsizetype error = text.indexOf(QLatin1String("[ERROR]"));
    const QLatin1String varList("[VARLIST]");
    const qsizetype list = text.indexOf(varList, error < 0 ? 0 : error);
    if (error >= 0 && list >= 0) {
        const qsizetype from = error + 7;
        text.remove(from, list + varList.size() - from);
    }
    text.replace(QLatin1String("[ERROR]"), resultText);
    text.replace(QLatin1String("[TIME]"), statusTime());
    return text;
}

std::unique_ptr<VtSNMPRequest2Edits> makeRequest(QWidget *owner, const UISnmpVar *vars,
    unsigned char itemType, bool async, int timeout, const ModuleSettings &settings)
{
    auto request = std::make_unique<VtSNMPRequest2Edits>(owner);
    request->Async = async;
    request->Request.Vars = VtSNMPVarList(vars, itemType);
    request->Request.Timeout = settings.scaledTimeout(timeout);
    return request;
}

} // namespace

TMainForm::TMainForm(const ModuleSettings &settings, QWidget *parent)
    : QMainWindow(parent),
      Image2(new DevicePicture(this)),
      LED_Power(Image2->LED_Power),
      LED_APstatus(Image2->LED_APstatus),
      LED_24GLan(Image2->LED_24GLan),
      LED_5GLan(Image2->LED_5GLan),
      MainStatusBar(new StatusLine(this)),
      LedStatus(new QTimer(this)),
      LedBlink(new QTimer(this)),
      Timer1(new QTimer(this)),
      IPAddressEdit(hiddenEdit(this, "IPAddressEdit")),
      SubMaskEdit(hiddenEdit(this, "SubMaskEdit")),
      Ed_SysIpaddress(hiddenEdit(this, "Ed_SysIpaddress")),
      CB_Led2dot4G(hiddenCombo(this, "CB_Led2dot4G")),
      CB_Led5G(hiddenCombo(this, "CB_Led5G")),
      CB_Band(hiddenCombo(this, "CB_Band")),
      CB_Fuction1(hiddenCombo(this, "CB_Fuction1")),
      m_settings(settings),
      m_alive(std::make_shared<bool>(true))
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("KVA-7310"));

    // The catalogs beside the executable first (the build tree), then those of an installation
    // (<bindir>/../share/kva7310/errmsg); the platform's installation directory replaces them
    // at start-up. Each load replaces only the catalogs whose files it finds.
    const QString programs = QCoreApplication::applicationDirPath();
    LoadCatalogs(ProgramCatalogDirectory(programs));
    LoadCatalogs(InstalledCatalogDirectory(programs));

    m_commit = std::make_unique<CommitWorkflow>(this, m_state, m_settings);

    MainStatusBar->setObjectName(QStringLiteral("MainStatusBar"));
    MainStatusBar->setSizeGripEnabled(false);
    setStatusBar(MainStatusBar);
    setCentralWidget(Image2);
    buildMenu();

    LedStatus->setObjectName(QStringLiteral("LedStatus"));
    LedBlink->setObjectName(QStringLiteral("LedBlink"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    LedStatus->setInterval(m_settings.pollMs);
    LedBlink->setInterval(m_settings.blinkMs);
    Timer1->setInterval(m_settings.addressPollMs);
    connect(LedStatus, &QTimer::timeout, this, &TMainForm::LedStatusTimer);
    connect(LedBlink, &QTimer::timeout, this, &TMainForm::LedBlinkTimer);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    connect(&m_state, &DeviceState::lightsChanged, this, &TMainForm::showLights);
    // The hidden fields the polls fill are mirrored into the device state pages read.
    connect(IPAddressEdit, &QLineEdit::textChanged, &m_state, &DeviceState::setIPAddressEdit);
    connect(SubMaskEdit, &QLineEdit::textChanged, &m_state, &DeviceState::setSubMaskEdit);
    connect(Ed_SysIpaddress, &QLineEdit::textChanged, &m_state, &DeviceState::setSysIpAddress);
    const auto blinking = [this] {
        m_state.setWlanBlinking(CB_Led2dot4G->currentIndex() == 1, CB_Led5G->currentIndex() == 1);
    };
    connect(CB_Led2dot4G, &QComboBox::currentIndexChanged, this, blinking);
    connect(CB_Led5G, &QComboBox::currentIndexChanged, this, blinking);
}

TMainForm::~TMainForm()
{
    *m_alive = false;
    stopTimers();
}

void TMainForm::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    std::map<QString, QMenu *> menus;
    const auto menuFor = [&](const char *menu, const char *submenu) {
        const QString top = QString::fromLatin1(menu);
        QMenu *&m = menus[top];
        if (!m) {
            m = bar->addMenu(top);
        }
        if (!submenu) {
            return m;
        }
        const QString path = top + QLatin1Char('\\') + QString::fromLatin1(submenu);
        QMenu *&sub = menus[path];
        if (!sub) {
            sub = m->addMenu(QString::fromLatin1(submenu));
        }
        return sub;
    };
    for (const MenuEntry &e : kMenu) {
        QAction *action = menuFor(e.menu, e.submenu)->addAction(QString::fromLatin1(e.caption));
        const QString entry = QString::fromLatin1(e.entry);
        action->setObjectName(entry);
        action->setVisible(!e.hidden);
        m_entries[entry] = action;
        if (e.className) {
            action->setEnabled(false); // until its page is registered
            connect(action, &QAction::triggered, this, [this, entry] { openPage(entry); });
        }
    }
    connect(m_entries.at(QStringLiteral("SaveandActivate1")), &QAction::triggered, this,
        &TMainForm::SaveandActivate1Click);
    connect(m_entries.at(QStringLiteral("DiscardChanges1")), &QAction::triggered, this,
        &TMainForm::DiscardChanges1Click);

    // Menus the window declares but never shows.
    QMenu *wlan = bar->addMenu(QStringLiteral("Wireless LAN"));
    wlan->addMenu(QStringLiteral("802.11g"));
    wlan->addMenu(QStringLiteral("802.11"));
    wlan->menuAction()->setVisible(false);
    QMenu *mib = bar->addMenu(QStringLiteral("MIB II"));
    for (const char *caption : {"IP Counters", "IP Routing", "IP Address Table", "ICMP Counters",
             "UDP Counters", "SNMP Counters"}) {
        mib->addAction(QString::fromLatin1(caption));
    }
    QAction *exit = mib->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    mib->menuAction()->setVisible(false);
    bar->addMenu(QStringLiteral("AP Management"))->menuAction()->setVisible(false);
}

QListWidget *TMainForm::IpConfigList()
{
    if (!m_ipConfigList) {
        m_ipConfigList = new QListWidget(this);
        m_ipConfigList->setObjectName(QStringLiteral("IpConfigList"));
        m_ipConfigList->hide();
    }
    return m_ipConfigList;
}

QAction *TMainForm::menuEntry(const QString &entry) const
{
    const auto it = m_entries.find(entry);
    return it == m_entries.end() ? nullptr : it->second;
}

void TMainForm::registerPage(const QString &entry, const QString &className, PageFactory factory)
{
    m_pages[entry] = Page{className, std::move(factory)};
    if (QAction *action = menuEntry(entry)) {
        action->setEnabled(true);
    }
}

QDialog *TMainForm::createPage(const QString &className)
{
    for (const auto &[entry, page] : m_pages) {
        if (page.className == className) {
            return page.factory(*this);
        }
    }
    return nullptr;
}

void TMainForm::openPage(const QString &entry)
{
    const auto it = m_pages.find(entry);
    if (it == m_pages.end() || m_pageOpen) {
        return;
    }
    m_pageOpen = true;
    const std::shared_ptr<bool> alive = m_alive;
    const auto reopen = qScopeGuard([this, alive] {
        if (*alive) {
            m_pageOpen = false;
        }
    });
    try {
        QPointer<QDialog> page = it->second.factory(*this);
        if (page) {
            page->exec();
            delete page;
        }
    } catch (const VtException &e) {
        VtUi::current().messageOk(this, QCoreApplication::applicationName(), e.Message());
    }
    if (*alive && entry == QLatin1String("hWirelessBand1") && m_band) {
        try {
            m_band->Get(); // the page may have changed the band
        } catch (const VtException &e) {
            MainStatusBar->showMessage(e.Message());
        }
    }
}

void TMainForm::stopTimers()
{
    LedStatus->stop();
    LedBlink->stop();
    Timer1->stop();
}

int TMainForm::refuse(const QString &caption, const QString &text)
{
    stopTimers();
    if (caption.isEmpty()) {
        VtUi::current().messageOk(this, QCoreApplication::applicationName(), text);
    } else {
        VtUi::current().messageOk(this, caption, text);
    }
    return 1;
}

int TMainForm::FormCreate(const QStringList &arguments)
{
    // The picture plus the status bar, at a fixed size and without a maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    adjustSize();
    setFixedSize(sizeHint());

    if (const std::optional<QString> text = LaunchInformation(arguments)) {
        std::fputs(qPrintable(*text), stdout); // "--help", "--version"
        return 0;
    }
    try {
        // The engine keeps its boots counter and Net-SNMP its files in the per-user state
        // directory, never in whatever directory the module was started from.
        const LogDirectory state = LogDirectory::prepare();
        SnmpInit(state.usable ? state.path : QString());
        SnmpSecurity().Version = 0;
        SnmpEventProcessor::Instance().SetInterval(m_settings.snmpPumpMs);
        moduleTrace("snmp");

        const PlatformPaths paths = PlatformPaths::read();
        LoadCatalogs(CatalogDirectory(paths.catalogBaseDirectory()));
        moduleTrace("catalogs");

        const LaunchOptions options =
            ReadLaunchOptions(arguments, paths.settingsDirectory(), CurrentAgentDescription());
        switch (options.outcome) {
        case LaunchOptions::Outcome::NoArguments:
            return refuse(QString(), options.message);
        case LaunchOptions::Outcome::Help:
            std::fputs(qPrintable(options.message), stdout);
            return 0;
        case LaunchOptions::Outcome::Error:
            // Polling with half a set-up would talk to the wrong device: the module ends.
            return refuse(QString(), options.message);
        case LaunchOptions::Outcome::Run:
            break;
        }
        ApplyAgentDescription(options.agent);
        moduleTrace("options");

        const QString caption = options.caption();
        setWindowTitle(caption);
        if (m_lock.acquire(caption) != InstanceLock::Result::Acquired) {
            return refuse(
                QStringLiteral("Warning"), QStringLiteral("Another KVA-7310 module is running!"));
        }
        moduleTrace("locked");

        startPolling();
        moduleTrace("polling");

        // the same directory the engine was given: told only now, when the window can show it
        if (!state.usable) {
            VtUi::current().messageOk(this, QCoreApplication::applicationName(),
                LogDirectory::cannotCreateMessage(state.path));
        }
    } catch (const VtException &e) {
        return refuse(QString(), e.Message());
    }
    return -1;
}

void TMainForm::startPolling()
{
    // A read that cannot even be sent (an address that is no address) fails like a poll: in the
    // lights and the status bar, while the agent poll keeps trying.
    const auto guarded = [this](VtSNMPRequest2Edits &request) {
        try {
            request.Get();
        } catch (const VtException &e) {
            MainStatusBar->showMessage(e.Message());
        }
    };

    m_agentPoll = std::make_unique<VtSNMPRequest>();
    m_agentPoll->Vars = VtSNMPVarList(kAgentPollVars, itScalars);
    LedStatusTimer();

    m_address = makeRequest(this, kAddressVars, itInstance, true, 100, m_settings);
    m_address->BindControl(1, IPAddressEdit);
    m_address->BindControl(2, SubMaskEdit);
    guarded(*m_address);

    m_dhcp = makeRequest(this, kDhcpVars, itScalars, false, 100, m_settings);
    m_dhcp->BindCombo(0, CB_Fuction1);
    guarded(*m_dhcp);
    m_sysAddress = makeRequest(this, kSysAddressVars, itInstance, false, 1000, m_settings);
    m_sysAddress->BindControl(0, Ed_SysIpaddress);
    guarded(*m_sysAddress);
    m_band = makeRequest(this, kBandVars, itInstance, false, 10000, m_settings);
    m_band->BindCombo(0, CB_Band);
    guarded(*m_band);
    try {
        m_commit->Get();
    } catch (const VtException &e) {
        MainStatusBar->showMessage(e.Message());
    }

    m_ledSettings = makeRequest(this, kLedVars, itInstance, true, 100, m_settings);
    m_ledSettings->BindCombo(0, CB_Led2dot4G);
    m_ledSettings->BindCombo(1, CB_Led5G);
    guarded(*m_ledSettings);

    Timer1->start();
    emit pollingStarted();
}

void TMainForm::LedStatusTimer()
{
    if (!m_agentPoll) {
        return;
    }
    LedStatus->stop();
    m_agentPoll->Timeout = m_settings.scaledTimeout(m_settings.agentPollTimeout);
    m_agentPoll->Retries = m_settings.agentPollRetries;

    // A send that fails at once is reported through OnError and never completes.
    QString failure;
    bool failed = false;
    m_agentPoll->OnError = [&failure, &failed](const VtSNMPError &e) {
        if (e.Code != 0) {
            failure = e.Message;
            failed = true;
        }
    };
    const int before = m_agentPoll->Pending;
    const std::weak_ptr<bool> alive = m_alive;
    try {
        m_agentPoll->ReadAsync(
            [this, alive](void *, const VtSNMPError &result, VtSNMPVarList &) {
                if (const auto a = alive.lock(); a && *a) {
                    agentPollDone(result);
                }
            },
            nullptr, true);
    } catch (const VtException &e) {
        m_agentPoll->OnError = nullptr;
        agentPollFailed(e.Message());
        return;
    }
    m_agentPoll->OnError = nullptr;
    if (m_agentPoll->Pending <= before) {
        agentPollFailed(failed ? failure : ErrorFromStatus(-1).Message);
    }
}

void TMainForm::agentPollFailed(const QString &text)
{
    {
        const QScopedValueRollback<bool> hold(m_holdPaint, true);
        m_state.markUnreachable();
        showStatus(text);
    }
    paintChanged();
    LedStatus->start();
}

void TMainForm::agentPollDone(const VtSNMPError &result)
{
    const bool first = result.Code == 0 && !m_state.reachable();
    {
        // the status text and the lights the answer changed are painted together
        const QScopedValueRollback<bool> hold(m_holdPaint, true);
        if (result.Code != 0) {
            m_state.markUnreachable();
            showStatus(result.Message);
        } else {
            const QString text =
                result.Message.isEmpty() ? SuccessResult().Message : result.Message;
            showStatus(agentPollText(text));
            if (!LedBlink->isActive()) {
                LedBlink->start();
            }
            m_state.markReachable();
        }
    }
    paintChanged();
    if (first) {
        moduleTrace("reachable");
    }
    LedStatus->start();
}

void TMainForm::LedBlinkTimer()
{
    if (!m_state.reachable()) {
        return;
    }
    if (!LedBlink->isActive()) {
        LedBlink->start();
    }
    m_state.paintLights();
}

void TMainForm::Timer1Timer()
{
    if (m_addressRounds == 7) {
        // A device that stops answering the address poll loses its WLAN lights this way.
        IPAddressEdit->clear();
        SubMaskEdit->clear();
        m_addressRounds = 0;
    }
    for (VtSNMPRequest2Edits *request : {m_address.get(), m_ledSettings.get()}) {
        try {
            if (request) {
                request->Get();
            }
        } catch (const VtException &) {
            // the agent poll reports the same failure in the status bar
        }
    }
    ++m_addressRounds;
}

void TMainForm::showLights()
{
    const std::pair<LedLight *, DeviceState::Light> lights[] = {
        {LED_Power, DeviceState::Light::Power},
        {LED_APstatus, DeviceState::Light::ApStatus},
        {LED_24GLan, DeviceState::Light::Wlan24G},
        {LED_5GLan, DeviceState::Light::Wlan5G},
    };
    for (const auto &[led, light] : lights) {
        const DeviceState::Look look = m_state.look(light);
        if (led->takeColour(colourOf(look.colour))) {
            m_changed += QRect(led->mapTo(this, QPoint(0, 0)), led->size());
        }
        led->setVisible(look.visible);
    }
    paintChanged();
}

void TMainForm::showStatus(const QString &text)
{
    m_changed += MainStatusBar->setMessage(text).translated(MainStatusBar->pos());
}

void TMainForm::paintChanged()
{
    // Painted at once rather than scheduled: a scheduled paint takes another pass of the event
    // loop, and a blink would cost two passes instead of one.
    if (m_holdPaint || m_changed.isEmpty()) {
        return;
    }
    const QRegion changed = std::exchange(m_changed, QRegion());
    repaint(changed);
}

void TMainForm::SaveandActivate1Click()
{
    const std::shared_ptr<bool> alive = m_alive;
    const CommitWorkflow::Outcome outcome = m_commit->run(CommitWorkflow::SaveAndActivate);
    if (*alive) {
        m_lastCommit = outcome;
    }
}

void TMainForm::DiscardChanges1Click()
{
    const std::shared_ptr<bool> alive = m_alive;
    const CommitWorkflow::Outcome outcome = m_commit->run(CommitWorkflow::DiscardChanges);
    if (*alive) {
        m_lastCommit = outcome;
    }
}
