// The file pages' shared steps.
#include "TransferFlow.h"

#include "ApMib.h"
#include "DeviceState.h"
#include "FindLocalAddress.h"
#include "TFM_Page.h"
#include "VtSNMPDevice.h"
#include "VtUi.h"

#include <QComboBox>
#include <QLineEdit>

namespace transfer {

const VtOptionList olTftpCommand{{2, "Get"}, {3, "Put"}, {4, "Nothing"}, {5, "putacl"}};
const VtOptionList olUpgradeCommand{{1, "Firmwareupdate"}, {2, "configSetting"}, {3, "Configsave"},
    {4, "Reboot"}, {6, "Nothing"}, {7, "certificateFileUpdate"}, {8, "keyFileUpdate"},
    {9, "getacl"}};

const UISnmpVar kTftpAddressVars[] = {
    {mib::tftpServerIPAddress, "tftpServerIPAddress", synIpAddress, vfRead | vfWrite},
    {mib::tftpRemoteFileName, "tftpRemoteFileName", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kTftpCommandVars[] = {
    {mib::tftpcommand, "tftpcommand", synInteger, vfRead | vfWrite, &olTftpCommand},
    {nullptr},
};
const UISnmpVar kTftpInstallVars[] = {
    {mib::tftpUpgradeSettingCommand, "tftpUpgradeSettingCommand", synInteger, vfRead | vfWrite,
        &olUpgradeCommand},
    {nullptr},
};

namespace {

const UISnmpVar kLanAddressVars[] = {
    {mib::hIPAddress, "hIPAddress", synIpAddress, vfRead},
    {nullptr},
};

/// A read whose failure the page does not report: the transfer goes on without what it read.
class QuietRead : public VtSNMPRequest2Edits
{
public:
    using VtSNMPRequest2Edits::VtSNMPRequest2Edits;

    void ShowGetError(const VtSNMPError &) override { }
};

void addIpv4(QList<net::Ipv4Address> &out, const net::Ipv4Address &address)
{
    if (!address.isNull() && !address.isAny() && !out.contains(address)) {
        out.append(address);
    }
}

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace

bool splitPath(const QString &path, QString &directory, QString &fileName)
{
    const qsizetype at = lastSeparator(path);
    if (at < 0) {
        return false;
    }
    directory = at == 0 ? path.left(1) : path.left(at);
    fileName = path.mid(at + 1);
    return true;
}

bool namesNoFile(const QString &path)
{
    return path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

TransferFlow::TransferFlow(TFM_Page &page, int timeout, StatusSink status)
    : m_page(page), m_timeout(timeout), m_status(std::move(status))
{ }

TransferFlow::~TransferFlow()
{
    stop();
}

bool TransferFlow::open()
{
    m_server = std::make_unique<VtTFTPServer>();
    m_server->SetTiming(m_timeout, 3);
    m_server->setServicePeriod(m_page.context().settings.tftpServiceMs);
    m_server->SetEventHandler([this](const VtTFTPMsg &msg, bool &) { onStatus(msg); });
    // Until a transfer has read the device's LAN address, only the agent's address is answered;
    // no one else may fetch what a page serves or store a file under the name it expects.
    m_server->setAllowedPeers(deviceAddresses(SnmpDevice().Host, QString()));
    connect(m_server.get(), &VtTFTPServer::peerRefused, this,
        [this](const net::Ipv4Address &peer, quint16) { onRefused(peer); });
    if (!m_lanAddress) {
        m_lanAddress = m_page.makeRequest<QuietRead>(kLanAddressVars, itInstance, 1000);
    }
    try {
        m_server->Start(QString(), VtTFTPServer::kStandardPort);
    } catch (const VtTFTPError &e) {
        m_server.reset();
        VtUi::current().messageOk(&m_page, QStringLiteral("Error"),
            QStringLiteral("TFTP Service Init Error:") + e.message());
        return false;
    }
    return true;
}

bool TransferFlow::localAddress(QLineEdit *target) const
{
    target->clear();
    VtDeviceNetwork network;
    if (const DeviceState *state = m_page.context().device) {
        // The address poll keeps the mask in IPAddressEdit and the gateway in SubMaskEdit.
        network.address = state->SysIpAddress();
        network.mask = state->IPAddressEdit();
        network.gateway = state->SubMaskEdit();
    }
    if (network.address.isEmpty()) {
        network.address = SnmpDevice().Host;
    }
    QString found;
    if (!FindLocalAddress(found, network)) {
        return false;
    }
    target->setText(found);
    return true;
}

bool TransferFlow::serve(const QString &directory, const QString &fileName, int request)
{
    if (!ready()) {
        return false;
    }
    try {
        m_server->Start(directory, m_server->port());
    } catch (const VtTFTPError &e) {
        m_status(e.message());
        return false;
    }
    m_server->restrictTo(fileName, request);
    return true;
}

void TransferFlow::endTransfer()
{
    if (!ready()) {
        return;
    }
    try {
        m_server->Start(QString(), m_server->port());
    } catch (const VtTFTPError &) {
        // the root changes without a new socket; nothing to report
    }
    m_server->clearRestriction();
}

void TransferFlow::stop()
{
    if (m_server) {
        m_server->Stop();
        m_server.reset();
    }
}

TransferStart TransferFlow::start(const TransferStep &step)
{
    if (!localAddress(step.server)) {
        return TransferStart::NoLocalAddress;
    }
    QString directory;
    QString name;
    if (!splitPath(step.path, directory, name)) {
        m_page.inform(QStringLiteral("Warning"), QStringLiteral("The file path is error."));
        return TransferStart::BadPath;
    }
    if (!step.remoteName.isEmpty()) {
        name = step.remoteName;
    }
    // The device's TFTP client may send from its LAN address rather than the agent's; read it
    // now, as the device reports it for this transfer.
    m_server->setAllowedPeers(deviceAddresses(SnmpDevice().Host, readLanAddress()));
    m_refusedShown.clear();
    if (!serve(directory, name, step.direction)) {
        return TransferStart::NotServed;
    }
    step.server->setText(step.server->text().trimmed());
    if (step.remoteFile != nullptr) {
        step.remoteFile->setText(name);
    }
    if (!step.progressFirst.isEmpty() || !step.progressSecond.isEmpty()) {
        m_page.showProgress(step.progressFirst, step.progressSecond);
    }
    bool sent = false;
    m_page.guarded([&] {
        if (step.address != nullptr) {
            step.address->Set(); // a refused address shows in the command's own outcome
        }
        if (step.commandRequest != nullptr) {
            if (step.commandCombo != nullptr) {
                step.commandCombo->setCurrentIndex(step.commandIndex);
            }
            sent = step.commandRequest->Set();
        } else {
            sent = true;
        }
    });
    if (!sent) {
        endTransfer();
        return TransferStart::NotSent;
    }
    return TransferStart::Started;
}

QString TransferFlow::readLanAddress()
{
    QString address;
    if (m_lanAddress != nullptr) {
        m_page.guarded([&] {
            if (m_lanAddress->Get()) {
                address = m_lanAddress->Request.Vars.Var(0).Value;
            }
        });
    }
    return address;
}

QList<net::Ipv4Address> TransferFlow::deviceAddresses(
    const QString &agentHost, const QString &lanAddress)
{
    QList<net::Ipv4Address> out;
    const net::Ipv4Address agent = net::Ipv4Address::fromString(agentHost);
    if (!agent.isNull()) {
        addIpv4(out, agent);
    } else if (!agentHost.isEmpty()) {
        // A name, or an address in a form the SNMP session hands to the resolver as well: the
        // resolver's answer is where the session's requests go.
        for (const net::Ipv4Address &resolved : net::lookupIpv4(agentHost)) {
            addIpv4(out, resolved);
        }
    }
    // "0.0.0.0": the device reports no address
    addIpv4(out, net::Ipv4Address::fromString(lanAddress));
    return out;
}

void TransferFlow::onRefused(const net::Ipv4Address &peer)
{
    const QString address = peer.toString();
    if (m_refusedShown.contains(address)) {
        return; // a stranger that keeps asking is named once
    }
    m_refusedShown.insert(address);
    m_status(QStringLiteral("TFTP request from %1 refused: it is not the device.").arg(address));
}

void TransferFlow::onStatus(const VtTFTPMsg &msg)
{
    if (msg.code == tftpTransferring || msg.code == tftpSuccess) {
        m_status(QStringLiteral("%1: %2 bytes").arg(msg.fileName).arg(msg.totalBytes));
    }
}

} // namespace transfer
