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
    ViewListView = new QTreeWidget(this);
    ViewListView->setObjectName(QStringLiteral("ViewListView"));
    ViewListView->setHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Type"), QStringLiteral("Message")});
    ViewListView->setRootIsDecorated(false);
    ViewListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ViewListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ViewListView->setMinimumSize(560, 300);
    if (auto *outer = qobject_cast<QVBoxLayout *>(layout())) {
        outer->insertWidget(0, ViewListView, 1);
    }
    ServerEdit = form().addHiddenEdit("ServerEdit");
    FileNameEdit = form().addHiddenEdit("FileNameEdit");
    GetCoBox = form().addHiddenCombo("GetCoBox");
    Bt_Clear = form().addHiddenCombo("Bt_Clear");
    GetBtn = form().addButton("GetBtn", QStringLiteral("Get Log"));
    Clear_Btn = form().addButton("Clear_Btn", QStringLiteral("Clear"));
    CloseBtn = form().addButton("CloseBtn", QStringLiteral("Close"));
    connect(GetBtn, &QPushButton::clicked, this, &TLogForm::GetBtnClick);
    connect(Clear_Btn, &QPushButton::clicked, this, &TLogForm::Clear_BtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TLogForm::close);
    m_logDirectory = LogDirectory::prepare().path;
}

TLogForm::~TLogForm()
{
    m_flow.stop();
}

void TLogForm::FormCreate()
{
    guarded([&] {
        m_setup = makeRequest(kSetupVars, itScalars, 1000, true);
        m_setup->BindControl(0, ServerEdit);
        m_setup->BindControl(1, FileNameEdit);
        m_setup->OnSetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &result) {
            setupDone(result);
        };
        m_command = makeRequest(kCommandVars, itScalars, 1000, true);
        m_command->BindCombo(0, GetCoBox);
        m_command->OnSetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &result) {
            commandDone(result);
        };
        m_clear = makeRequest(kClearVars, itScalars, 1000);
        m_clear->BindCombo(0, Bt_Clear);
    });
    if (!m_flow.open() || !m_command) {
        GetBtn->setEnabled(false);
        Clear_Btn->setEnabled(m_clear != nullptr);
        return;
    }
    setStatus(QStringLiteral("Refresh..."));
    GetBtnClick();
}

void TLogForm::GetBtnClick()
{
    if (!m_flow.ready() || !m_command) {
        return;
    }
    GetBtn->setEnabled(false);
    Clear_Btn->setEnabled(false);
    setStatus(QStringLiteral("Refresh...!"));
    FileNameEdit->setText(logFileName());
    if (!m_flow.localAddress(ServerEdit)) {
        fetchEnded();
        setStatus(QStringLiteral("Get PC's IP Address fail!"));
        return;
    }
    // A copy left from an earlier fetch must never pass for the log fetched now.
    const QString local = QDir(m_logDirectory).filePath(logFileName());
    if (QFile::exists(local) && !QFile::remove(local)) {
        fetchEnded();
        setStatus(QStringLiteral("Get fail."));
        return;
    }
    if (!m_flow.serve(m_logDirectory, logFileName(), tftpWriteRequest)) {
        fetchEnded();
        return;
    }
    m_closeAllowed = false;
    if (!guarded([&] { m_setup->Set(); })) {
        fetchEnded();
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
    m_closeAllowed = true;
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
        new QTreeWidgetItem(ViewListView, {row.time, row.type, row.message});
    }
    setStatus(loaded ? QStringLiteral("Get OK.") : QStringLiteral("Get fail."));
}

void TLogForm::Clear_BtnClick()
{
    if (!m_clear) {
        return;
    }
    Bt_Clear->setCurrentIndex(1);
    bool ok = false;
    guarded([&] { ok = m_clear->Set(); });
    if (ok) {
        ViewListView->clear();
    }
}

void TLogForm::closeEvent(QCloseEvent *event)
{
    if (!m_closeAllowed) {
        event->ignore();
        return;
    }
    m_flow.stop();
    TFM_Page::closeEvent(event);
}

void TLogForm::reject()
{
    if (m_closeAllowed) {
        TFM_Page::reject();
    }
}
