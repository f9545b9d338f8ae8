// Opening every registered page by its class, as the main window's menu does (created with the
// window as owner, run modally, destroyed), until it is shown with every request idle and no
// progress notice, against the simulated device; the median of interleaved rounds per page. The
// hidden entries and the pages without an entry are opened too.
#include "ModulePages.h"
#include "PageRegistry.h"
#include "SnmpInit.h"
#include "TFM_Page.h"
#include "TMainForm.h"
#include "VtSNMPDevice.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

namespace {

constexpr double kBudgetMs = 50.0;

// The simulator answers refresh writes at once, so the figures are the module's.
QStringList simulatorArguments(const QString &program, quint16 tftpPort)
{
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--tftp-port"),
        QString::number(tftpPort)};
    QProcess help;
    help.start(program, {QStringLiteral("--help")});
    if (help.waitForFinished(5000) && help.readAll().contains("--refresh-ms")) {
        args << QStringLiteral("--refresh-ms") << QStringLiteral("0");
    }
    return args;
}

bool startSimulator(QProcess &sim, const QString &program, quint16 tftpPort, quint16 &port)
{
    sim.setProgram(program);
    sim.setArguments(simulatorArguments(program, tftpPort));
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start();
    if (!sim.waitForStarted(10000)) {
        return false;
    }
    QByteArray pending;
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (!sim.waitForReadyRead(1000)) {
            continue;
        }
        pending += sim.readAllStandardOutput();
        const qsizetype end = pending.indexOf('\n');
        if (end >= 0 && pending.startsWith("LISTENING ")) {
            port = static_cast<quint16>(pending.left(end).split(':').last().trimmed().toUInt());
            return port != 0;
        }
    }
    return false;
}

quint16 freeTftpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0.0 : n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kva-bench-module-pages <kva7310-sim> [rounds]\n");
        return 2;
    }
    const int rounds = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 5;

    // the file pages' servers listen on a port this program may bind; the device is told it
    const quint16 tftpPort = freeTftpPort();
    qputenv("KVA7310_TFTP_PORT", QByteArray::number(tftpPort));
    QProcess sim;
    quint16 port = 0;
    if (!startSimulator(sim, args.at(1), tftpPort, port)) {
        std::fprintf(stderr, "kva-bench-module-pages: the simulator did not start\n");
        return 1;
    }
    QTemporaryDir state;
    SnmpInit(state.path());
    SnmpDevice().Host = QStringLiteral("127.0.0.1");
    SnmpDevice().Port = port;

    PageRegistry registry;
    registerModulePages(registry);
    TMainForm form{ModuleSettings()};
    registerPagesWith(form, registry);
    std::map<QString, std::vector<double>> times;
    bool failed = false;
    for (int round = 0; round < rounds; ++round) {
        for (const PageRegistry::Entry &entry : registry.entries()) {
            // Runs inside the page's modal loop: once the page is up and idle, note the time and
            // close it as the operator would.
            QElapsedTimer clock;
            double ms = -1;
            QTimer watch;
            watch.setInterval(0);
            QObject::connect(&watch, &QTimer::timeout, [&] {
                auto *page = form.findChild<TFM_Page *>();
                if (page != nullptr && page->isVisible() && page->requestsIdle()
                    && !page->progressShown()) {
                    ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                    watch.stop();
                    page->setCloseLocked(false);
                    page->reject();
                } else if (clock.elapsed() > 30000) {
                    watch.stop();
                    if (page != nullptr) {
                        page->setCloseLocked(false);
                        page->reject();
                    }
                }
            });
            clock.start();
            watch.start();
            std::unique_ptr<QDialog> page(form.createPage(entry.className));
            if (page == nullptr) {
                std::fprintf(
                    stderr, "kva-bench-module-pages: no page %s\n", qPrintable(entry.className));
                return 1;
            }
            page->exec();
            page.reset();
            failed = failed || ms < 0;
            if (ms < 0) {
                std::fprintf(stderr, "kva-bench-module-pages: %s did not become idle\n",
                    qPrintable(entry.className));
            }
            times[entry.className].push_back(ms);
            QCoreApplication::processEvents();
        }
    }
    sim.write("quit\n");
    sim.closeWriteChannel();
    if (!sim.waitForFinished(3000)) {
        sim.kill();
        sim.waitForFinished(3000);
    }
    for (const PageRegistry::Entry &entry : registry.entries()) {
        const double ours = median(times[entry.className]);
        std::printf("page.open.%s ours=%.1fms anchor=%.0fms ratio=%.2f\n",
            qPrintable(entry.className), ours, kBudgetMs, ours > 0 ? kBudgetMs / ours : 0.0);
    }
    return failed ? 1 : 0;
}
