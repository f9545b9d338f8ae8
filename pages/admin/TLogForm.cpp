#include "TLogForm.h"

#include "ApMib.h"
#include "PlatformPaths.h"
#include "VtOptionList.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const VtOptionList olGetLog{{0, "nothing"}, {1, "get"}};
const VtOptionList olClearLog{{0, "nothing"}, {1, "clear"}};

const UISnmpVar kSetupVars[] = {
    {AP_OID("5.4.4"), "systemLogTFTPServerIPAddress", synIpAddress, vfRead | vfWrite},
    {AP_OID("5.4.5"), "systemLogFileName", synDisplayString, vfRead | vfWrite},
    {AP_OID("5.4.6"), "systemLogGetLog", synInteger, vfRead, &olGetLog}, // written on its own
    {nullptr},
};
const UISnmpVar kCommandVars[] = {
    {AP_OID("5.4.6"), "systemLogGetLog", synInteger, vfRead | vfWrite, &olGetLog},
    {nullptr},
};
const UISnmpVar kClearVars[] = {
    {AP_OID("5.4.10"), "systemLogClearLocalLog", synInteger, vfRead | vfWrite, &olClearLog},
    {nullptr},
};

} // namespace

LogRow parseLogLine(const QString &line)
{
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const qsizetype open = bar < 0 ? -1 : line.indexOf(QLatin1Char('['), bar + 1);
    const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char(']'), open + 1);
    if (close < 0) {
        return {QString(), QString(), line};
    }
    return {line.left(bar).trimmed(), line.mid(open + 1, close - open - 1), line.mid(close + 1)};
}

TLogForm::TLogForm(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ View Log"), context),
      m_flow(*this, 5000, [this](const QString &text) { setStatus(text); })
{
    usePanelStatus();
    ViewListView = form().addListView("ViewListView",
        {{QStringLiteral("Time"), -1}, {QStringLiteral("Type"), -1},
            {QStringLiteral("Message"), -1}});
    ViewListView->setMinimumSize(560, 300);
    ServerEdit = form().addHiddenEdit("ServerEdit");
    FileNameEdit = form().addHiddenEdit("FileNameEdit");
    GetCoBox = form().addHiddenCombo("GetCoBox");
    Bt_Clear = form().addHiddenCombo("Bt_Clear");
    GetBtn = addButton("GetBtn", QStringLiteral("Get Log"), &TLogForm::GetBtnClick);
    Clear_Btn = addButton("Clear_Btn", QStringLiteral("Clear"), &TLogForm::Clear_BtnClick);
    CloseBtn = form().addButton("CloseBtn", QStringLiteral("Close"));
    connect(CloseBtn, &QPushButton::clicked, this, &TLogForm::close);
    m_logDirectory = LogDirectory::prepare().path;
}

TLogForm::~TLogForm()
{
    m_flow.stop();
}

void TLogForm::FormCreate()
{
    m_setup = makeRequest(kSetupVars, itScalars, 1000, onSetDone(&TLogForm::setupDone));
    bindControls(m_setup, {ServerEdit, FileNameEdit});
    m_command = makeRequest(kCommandVars, itScalars, 1000, onSetDone(&TLogForm::commandDone));
    bindControls(m_command, {GetCoBox});
    m_clear = makeRequest(kClearVars, itScalars, 1000);
    bindControls(m_clear, {Bt_Clear});
    if (!m_flow.open()) {
        GetBtn->setEnabled(false);
        return;
    }
    setStatus(QStringLiteral("Refresh..."));
    GetBtnClick();
}

void TLogForm::GetBtnClick()
{
    if (!m_flow.ready()) {
        return;
    }
    enable({GetBtn, Clear_Btn}, false);
    setStatus(QStringLiteral("Refresh...!"));
    // A copy left from an earlier fetch must never pass for the log fetched now.
    const QString local = QDir(m_logDirectory).filePath(logFileName());
    if (QFile::exists(local) && !QFile::remove(local)) {
        fetchEnded();
        setStatus(QStringLiteral("Get fail."));
        return;
    }
    setCloseLocked(true);
    transfer::TransferStep step;
    step.path = local;
    step.direction = tftpWriteRequest;
    step.server = ServerEdit;
    step.remoteFile = FileNameEdit;
    step.address = m_setup; // the command goes once the device has the address: setupDone
    switch (m_flow.start(step)) {
    case transfer::TransferStart::Started:
        return;
    case transfer::TransferStart::NoLocalAddress:
        fetchEnded();
        setStatus(QStringLiteral("Get PC's IP Address fail!"));
        return;
    default:
        fetchEnded();
        return;
    }
}

void TLogForm::setupDone(const VtSNMPError &result)
{
    if (result.Code != 0) {
        fetchEnded();
        setStatus(result.Message);
        return;
    }
    GetCoBox->setCurrentIndex(1);
    if (!guarded([&] { m_command->Set(); })) {
        fetchEnded();
    }
}

void TLogForm::commandDone(const VtSNMPError &result)
{
    // The device answers the command once it has stored its log through the server.
    if (result.Code != 0) {
        fetchEnded();
        setStatus(result.Message);
        return;
    }
    loadLog();
    fetchEnded();
}

void TLogForm::fetchEnded()
{
    m_flow.endTransfer();
    setCloseLocked(false);
    GetBtn->setEnabled(m_flow.ready());
    Clear_Btn->setEnabled(true);
}

void TLogForm::loadLog()
{
    QFile file(QDir(m_logDirectory).filePath(logFileName()));
    const bool loaded = file.open(QIODevice::ReadOnly);
    if (loaded) {
        m_lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    }
    ViewListView->clear();
    for (QString line : m_lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.isEmpty()) {
            continue;
        }
        const LogRow row = parseLogLine(line);
        ViewListView->addRow({row.time, row.type, row.message});
    }
    setStatus(loaded ? QStringLiteral("Get OK.") : QStringLiteral("Get fail."));
}

void TLogForm::Clear_BtnClick()
{
    Bt_Clear->setCurrentIndex(1);
    if (m_clear->Set()) {
        ViewListView->clear();
    }
}

void TLogForm::closeEvent(QCloseEvent *event)
{
    TFM_Page::closeEvent(event);
    if (event->isAccepted()) {
        m_flow.stop();
    }
}
