// The module's main window: the device picture with its four lights, the polls that drive them,
// the menu that opens every page, and the start-up that reads the launch options.
#pragma once

#include "CommitWorkflow.h"
#include "DeviceState.h"
#include "InstanceLock.h"
#include "ModuleSettings.h"

#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QRegion>
#include <QString>
#include <QStringList>

class DevicePicture;
class StatusLine;
class LedLight;
class QAction;
class QComboBox;
class QDialog;
class QLineEdit;
class QListWidget;
class QTimer;
class VtSNMPRequest;
class VtSNMPRequest2Edits;

class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    /// Loads the message catalogs beside the executable; everything else waits for FormCreate.
    explicit TMainForm(
        const ModuleSettings &settings = ModuleSettings(), QWidget *parent = nullptr);
    ~TMainForm() override;

    /// Start-up: SNMP, catalogs of the installation, launch options, the per-device lock, the
    /// device reads and the polls. -1 when the module runs; otherwise the exit code of a start-up
    /// that ended the program (its message already shown).
    int FormCreate(const QStringList &arguments);

    DeviceState &state() { return m_state; }

    const ModuleSettings &settings() const { return m_settings; }

    CommitWorkflow &commitWorkflow() { return *m_commit; }

    DevicePicture *Image2;
    LedLight *LED_Power;
    LedLight *LED_APstatus;
    LedLight *LED_24GLan;
    LedLight *LED_5GLan;
    StatusLine *MainStatusBar;
    QTimer *LedStatus;
    QTimer *LedBlink;
    QTimer *Timer1;

    QLineEdit *IPAddressEdit;
    QLineEdit *SubMaskEdit;
    QLineEdit *Ed_SysIpaddress;
    QComboBox *CB_Led2dot4G;
    QComboBox *CB_Led5G;
    QComboBox *CB_Band;
    QComboBox *CB_Fuction1;

    /// The hidden work list of the local address search, made when first asked for: the search
    /// reads the interface list of the system, so nothing fills it, and a list view is the most
    /// costly of the window's controls to make.
    QListWidget *IpConfigList();

    /// The agent poll, the light painting and the address and LED-settings poll.
    void LedStatusTimer();
    void LedBlinkTimer();
    void Timer1Timer();

    void SaveandActivate1Click();
    void DiscardChanges1Click();

    /// The result of the last Save and Activate or Discard Changes.
    CommitWorkflow::Outcome lastCommit() const { return m_lastCommit; }

    /// A page: created when its entry is chosen, shown modally, destroyed when it closes.
    using PageFactory = std::function<QDialog *(TMainForm &)>;
    /// Enables the menu entry named `entry` (its handler's name without "Click") for a page class.
    void registerPage(const QString &entry, const QString &className, PageFactory factory);
    /// The page of a class, created but not shown (the demo's screenshots); null for none.
    QDialog *createPage(const QString &className);
    QAction *menuEntry(const QString &entry) const;

    /// Stops the three timers.
    void stopTimers();

signals:
    /// The window is shown and the polls run.
    void pollingStarted();

private:
    QListWidget *m_ipConfigList = nullptr;

    struct Page
    {
        QString className;
        PageFactory factory;
    };

    void buildMenu();
    void startPolling();
    void agentPollDone(const VtSNMPError &result);
    void agentPollFailed(const QString &text);
    void showLights();
    /// Sets the status text; it is painted with the lights by paintChanged().
    void showStatus(const QString &text);
    /// Paints the lights and the status text changed since the last paint, in one pass over
    /// the window, unless a poll's answer is still being handled (m_holdPaint).
    void paintChanged();
    void openPage(const QString &entry);
    int refuse(const QString &caption, const QString &text);

    ModuleSettings m_settings;
    DeviceState m_state;
    std::unique_ptr<CommitWorkflow> m_commit;
    InstanceLock m_lock;
    std::unique_ptr<VtSNMPRequest> m_agentPoll;
    std::unique_ptr<VtSNMPRequest2Edits> m_address;
    std::unique_ptr<VtSNMPRequest2Edits> m_ledSettings;
    std::unique_ptr<VtSNMPRequest2Edits> m_dhcp;
    std::unique_ptr<VtSNMPRequest2Edits> m_sysAddress;
    std::unique_ptr<VtSNMPRequest2Edits> m_band;
    std::map<QString, QAction *> m_entries;
    std::map<QString, Page> m_pages;
    CommitWorkflow::Outcome m_lastCommit;
    std::shared_ptr<bool> m_alive;
    int m_addressRounds = 0;
    bool m_pageOpen = false;
    QRegion m_changed;
    bool m_holdPaint = false;
};
