// The configuration file page against the simulated device.
#include "CaseName.h"
#include "PageHarness.h"
#include "TFM_CfgFile.h"
#include "TftpPacket.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QStatusBar>
#include <QUdpSocket>

using kvatest::PageHarness;

namespace {

TEST(CfgFile, ASavedFileRestoresTheDeviceAfterAChange)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    ASSERT_TRUE(h.device.command(QStringLiteral("fault clear")).ok);
    h.open();
    const QString saved = h.files.filePath(QStringLiteral("backup"));
    h.ui.fileNames = {saved};
    h.click("Bt_SavBrw");
    h.click("Bt_Upload");
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The configuration file saved successfully!")));
    QFile file(saved + QStringLiteral(".dcf")); // a name without extension gets ".dcf"
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("rack 4"));

    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 9")));
    h.ui.clear();
    h.page->Ed_UpgFile->setText(saved + QStringLiteral(".dcf"));
    h.click("Bt_OK");
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The configuration file update successfully!")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
    EXPECT_EQ(h.page->Ed_UpgFile->text(), saved + QStringLiteral(".dcf"));
}

TEST(CfgFile, ACorruptFileIsRefusedAndTheDeviceKeepsItsSettings)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    h.page->Ed_UpgFile->setText(h.file(QStringLiteral("broken.dcf"), "sysLocation=elsewhere\n"));
    h.click("Bt_OK");
    EXPECT_EQ(h.ui.lastMessage().text, QStringLiteral("Fail to update the configuration file!"));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("ERROR"));
    EXPECT_FALSE(h.sawMessage(QStringLiteral("The configuration file update successfully!")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
    EXPECT_TRUE(h.page->isEnabled());
}

struct BrokenTransfer
{
    const char *name;
    bool restore;
    const char *message;
};

class CfgFileBrokenTransfer : public testing::TestWithParam<BrokenTransfer>
{ };

TEST_P(CfgFileBrokenTransfer, IsReportedAndLeavesThePageUsable)
{
    const BrokenTransfer &c = GetParam();
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    QByteArray big = "KVA7310-CONFIG 1\n";
    while (big.size() < 3000) {
        big += "# padding line to make the file span several blocks\n";
    }
    const QString restoreFrom = h.file(QStringLiteral("big.dcf"), big);
    ASSERT_TRUE(h.device.fault(QStringLiteral("failtransfer")));
    if (c.restore) {
        h.page->Ed_UpgFile->setText(restoreFrom);
        h.click("Bt_OK");
    } else {
        h.ui.fileNames = {h.files.filePath(QStringLiteral("saved.dcf"))};
        h.click("Bt_SavBrw");
        h.click("Bt_Upload");
    }
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("ERROR"));
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
}

INSTANTIATE_TEST_SUITE_P(Directions, CfgFileBrokenTransfer,
    testing::Values(BrokenTransfer{"Restore", true, "Fail to update the configuration file!"},
        BrokenTransfer{"Save", false, "Fail to save the configuration file!"}),
    kvatest::caseName);

struct CfgCheck
{
    const char *name;
    const char *path; // "@" stands for the test's directory
    const char *message;
};

class CfgFileCheck : public testing::TestWithParam<CfgCheck>
{ };

TEST_P(CfgFileCheck, RefusesWithItsMessageAndSendsNothing)
{
    const CfgCheck &c = GetParam();
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    h.open();
    h.file(QStringLiteral("settings.txt"), "x");
    QString path = QString::fromUtf8(c.path);
    path.replace(QLatin1Char('@'), h.files.path());
    h.page->Ed_UpgFile->setText(path);
    h.click("Bt_OK");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("Warning"));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(Restore, CfgFileCheck,
    testing::Values(CfgCheck{"Empty", "", "Empty file is not accepted."},
        CfgCheck{"Missing", "@/none.dcf", "File format error! Please try again!"},
        CfgCheck{"NotDcf", "@/settings.txt", "File format error! Please try again!"}),
    kvatest::caseName);

TEST(CfgFile, AFileWithoutExtensionInADcfDirectoryIsRestored)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    ASSERT_TRUE(QDir(h.files.path()).mkdir(QStringLiteral("saved.dcf")));
    const QString saved = h.files.filePath(QStringLiteral("saved.dcf/settings.dcf"));
    h.ui.fileNames = {saved};
    h.click("Bt_SavBrw");
    h.click("Bt_Upload");
    const QString plain = h.files.filePath(QStringLiteral("saved.dcf/settings"));
    ASSERT_TRUE(QFile::rename(saved, plain));

    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 9")));
    h.page->Ed_UpgFile->setText(plain);
    h.click("Bt_OK");
    EXPECT_EQ(
        h.ui.lastMessage().text, QStringLiteral("The configuration file update successfully!"));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
}

TEST(CfgFile, SavingWithoutAFileIsRefused)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    h.open();
    h.click("Bt_Upload");
    EXPECT_EQ(h.ui.lastMessage().text, QStringLiteral("Empty file is not accepted."));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

/// Another host on the device's network, played by another loopback address.
class Stranger
{
public:
    explicit Stranger(const char *address)
    {
        m_bound = m_socket.bind(QHostAddress(QLatin1String(address)), 0);
    }

    bool bound() const { return m_bound; }

    void send(const QByteArray &packet, quint16 port)
    {
        m_socket.writeDatagram(packet, QHostAddress(QHostAddress::LocalHost), port);
    }

    void request(tftp::Opcode opcode, const QByteArray &name, quint16 port)
    {
        send(tftp::encodeRequest(opcode, name, "octet"), port);
    }

    /// The next datagram, empty when none came before the deadline; the page keeps running.
    QByteArray receive()
    {
        if (!kvatest::waitUntil([this] { return m_socket.hasPendingDatagrams(); })) {
            return {};
        }
        const QNetworkDatagram d = m_socket.receiveDatagram();
        m_from = quint16(d.senderPort());
        return d.data();
    }

    QList<QByteArray> drain()
    {
        QList<QByteArray> out;
        while (m_socket.hasPendingDatagrams()) {
            out << m_socket.receiveDatagram().data();
        }
        return out;
    }

    quint16 from() const { return m_from; }

private:
    QUdpSocket m_socket;
    bool m_bound = false;
    quint16 m_from = 0;
};

/// Status bar texts that name `address`, as they are shown.
QStringList namingTexts(const QStringList &shown, const char *address)
{
    QStringList out;
    for (const QString &text : shown) {
        if (text.contains(QLatin1String(address))) {
            out << text;
        }
    }
    return out;
}

TEST(CfgFile, OnlyTheDeviceStoresAndFetchesTheConfiguration)
{
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 4")));
    h.open();
    QStringList shown;
    QObject::connect(h.page->statusBar(), &QStatusBar::messageChanged,
        [&](const QString &text) { shown << text; });
    const quint16 port = quint16(h.page->flow().server()->port());
    Stranger stranger("127.0.0.2");
    ASSERT_TRUE(stranger.bound());
    const QByteArray refused = tftp::encodeError(tftp::AccessViolation);

    // A save: while the page waits for the device's upload, a stranger offers its own file
    // under the name the page expects, twice, and the first block of it.
    const QString saved = h.files.filePath(QStringLiteral("saved.dcf"));
    h.ui.fileNames = {saved};
    h.click("Bt_SavBrw");
    h.page->Bt_Upload->click(); // the command is out; the device is storing its file
    ASSERT_FALSE(h.page->flow().server()->rootDirectory().isEmpty());
    stranger.request(tftp::Opcode::WriteRequest, "saved.dcf", port);
    stranger.request(tftp::Opcode::WriteRequest, "saved.dcf", port);
    stranger.send(tftp::encodeData(1, "sysLocation=stolen\n"), port);
    EXPECT_EQ(stranger.receive(), refused);
    EXPECT_EQ(stranger.receive(), refused);
    ASSERT_TRUE(h.waitIdle());
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The configuration file saved successfully!")));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    EXPECT_TRUE(kept.contains("rack 4"));
    EXPECT_FALSE(kept.contains("stolen"));
    EXPECT_EQ(namingTexts(shown, "127.0.0.2").size(), 1) << shown.join(u'|').toStdString();

    // A restore of that file: the stranger asks for it while the device fetches it.
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("rack 9")));
    h.ui.clear();
    shown.clear();
    h.page->Ed_UpgFile->setText(saved);
    h.page->Bt_OK->click();
    ASSERT_FALSE(h.page->flow().server()->rootDirectory().isEmpty());
    stranger.request(tftp::Opcode::ReadRequest, "saved.dcf", port);
    EXPECT_EQ(stranger.receive(), refused);
    EXPECT_EQ(stranger.from(), port); // no session of its own was opened for it
    ASSERT_TRUE(h.waitIdle());
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The configuration file update successfully!")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "rack 4");
    EXPECT_TRUE(stranger.drain().isEmpty()); // not one block of the file
    EXPECT_EQ(namingTexts(shown, "127.0.0.2").size(), 1) << shown.join(u'|').toStdString();
}

struct SenderCase
{
    const char *name;
    const char *lanAddress; // hIPAddress the device reports when the transfer starts
    const char *from;       // where the fetch comes from
    bool served;
};

class CfgFileSender : public testing::TestWithParam<SenderCase>
{ };

TEST_P(CfgFileSender, IsServedOnlyWhenItIsTheDevice)
{
    const SenderCase &c = GetParam();
    PageHarness<TFM_CfgFile> h(kvatest::filePage());
    h.open();
    // Written after the page opened: the address counts as the device reports it at the transfer.
    ASSERT_TRUE(h.device.set(QStringLiteral("hIPAddress"), QLatin1String(c.lanAddress)));
    ASSERT_TRUE(
        h.device.fault(QStringLiteral("failtransfer"))); // the device itself fetches nothing
    const QByteArray content = "KVA7310-CONFIG 1\n";
    h.page->Ed_UpgFile->setText(h.file(QStringLiteral("restore.dcf"), content));
    QStringList shown;
    QObject::connect(h.page->statusBar(), &QStatusBar::messageChanged,
        [&](const QString &text) { shown << text; });
    h.page->Bt_OK->click();
    ASSERT_FALSE(h.page->flow().server()->rootDirectory().isEmpty());
    Stranger peer(c.from);
    ASSERT_TRUE(peer.bound());
    peer.request(
        tftp::Opcode::ReadRequest, "restore.dcf", quint16(h.page->flow().server()->port()));
    const QByteArray answer = peer.receive();
    if (c.served) {
        EXPECT_EQ(answer, tftp::encodeData(1, content));
        peer.send(tftp::encodeAck(1), peer.from());
    } else {
        EXPECT_EQ(answer, tftp::encodeError(tftp::AccessViolation));
    }
    EXPECT_TRUE(h.waitIdle());
    EXPECT_EQ(namingTexts(shown, c.from).size(), c.served ? 0 : 1)
        << shown.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Restore, CfgFileSender,
    testing::Values(SenderCase{"AgentAddress", "127.0.0.5", "127.0.0.1", true},
        SenderCase{"ReportedLanAddress", "127.0.0.5", "127.0.0.5", true},
        SenderCase{"Stranger", "127.0.0.5", "127.0.0.2", false},
        SenderCase{"NoLanAddressReported", "0.0.0.0", "127.0.0.5", false}),
    kvatest::caseName);

} // namespace
