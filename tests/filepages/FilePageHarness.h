// A file page under test: the simulated device with its TFTP client aimed at a free port, where the
// page's server listens; a device state as the main window keeps it (loopback network, lights
// green); the recording operator seam; short time-outs and waiting steps; a directory for files.
#pragma once

#include "DeviceState.h"
#include "FreePort.h"
#include "PageContext.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "SimulatorProcess.h"
#include "SnmpInit.h"
#include "VtSNMPDevice.h"
#include "WaitUntil.h"

#include <array>
#include <cstdint>
#include <memory>

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvatest {

inline QString crcText(const QByteArray &data)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (char ch : data) {
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFFU] ^ (crc >> 8);
    }
    return QStringLiteral("%1").arg(crc ^ 0xFFFFFFFFU, 8, 16, QLatin1Char('0')).toUpper();
}

/// Sets KVA7310_TFTP_PORT for the test's lifetime (before the simulator and the page start).
class TftpPortEnv
{
public:
    TftpPortEnv() : port(freeUdpPortBelowEphemeral())
    {
        qputenv("KVA7310_TFTP_PORT", QByteArray::number(port));
    }

    ~TftpPortEnv() { qunsetenv("KVA7310_TFTP_PORT"); }

    quint16 port;
};

inline SimulatorProcess::Options simulatorOptions(quint16 tftpPort)
{
    SimulatorProcess::Options o;
    o.tftpPort = tftpPort;
    return o;
}

template <class Page>
class FilePageHarness
{
public:
    FilePageHarness() : device(simulatorOptions(env.port))
    {
        if (!device.isRunning()) {
            ADD_FAILURE() << device.errorText().toStdString();
        }
        SnmpInit(m_state.path());
        qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit()); // the log directory goes here
        SnmpDevice().Host = QStringLiteral("127.0.0.1");
        SnmpDevice().Port = device.port();
        context.settings.timeoutScale = 0.02;
        context.settings.waitingTickMs = 1;
        context.settings.tftpServiceMs = 5;
        context.device = &state;
        state.setSysIpAddress(QStringLiteral("127.0.0.1"));
        state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("127.0.0.1"));
        state.markReachable();
        state.setWlanBlinking(false, false);
    }

    ~FilePageHarness() { close(); }

    void open()
    {
        device.clearLog();
        page = std::make_unique<Page>(nullptr, context);
        page->showPage();
        waitIdle();
    }

    void close()
    {
        if (page) {
            page->close();
            page.reset();
        }
    }

    /// Idle: no request outstanding, no progress notice, the page enabled.
    bool waitIdle(int deadlineMs = 20000)
    {
        return waitUntil(
            [&] {
                if (!page) {
                    return true;
                }
                if constexpr (requires { page->flow(); }) {
                    if (page->flow().progressShown()) {
                        return false;
                    }
                }
                return page->requestsIdle() && page->isEnabled();
            },
            deadlineMs);
    }

    template <class W>
    W *find(const char *name) const
    {
        W *w = page->template findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no control " << name;
        return w;
    }

    void click(const char *name)
    {
        if (auto *b = find<QAbstractButton>(name)) {
            b->click();
        }
        waitIdle();
    }

    /// Writes a file into the test's directory and returns its path.
    QString file(const QString &name, const QByteArray &content)
    {
        const QString path = files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }

    /// The module's log directory under the test's state directory.
    QString logDirectory() const { return m_state.filePath(QStringLiteral("KVA-7310")); }

    bool sawMessage(const QString &text) const
    {
        for (const auto &m : ui.messages) {
            if (m.text == text) {
                return true;
            }
        }
        return false;
    }

    TftpPortEnv env;
    RecordingUi ui;
    SimulatorProcess device;
    DeviceState state;
    PageContext context;
    QTemporaryDir files;
    std::unique_ptr<Page> page;

private:
    QTemporaryDir m_state;
};

} // namespace kvatest
