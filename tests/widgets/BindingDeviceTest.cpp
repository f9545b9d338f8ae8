// The binding against a real agent (snmpd with a small pass_persist table): reads into controls
// and list views, writes, result lines, asynchronous completions, reads asked for during a walk,
// an agent that falls silent, and pages closed while an exchange is under way.
#include "CaseName.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "SnmpInit.h"
#include "SnmpdProcess.h"
#include "VtOptionList.h"
#include "VtSNMPDevice.h"
#include "VtSNMPRequest2Edits.h"
#include "WaitUntil.h"

#include <csignal>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

#define TABLE1 "1.3.6.1.4.1.32473.99.1.1"

const VtOptionList kTraps{{1, "Enable"}, {2, "Disable"}};

const UISnmpVar kSystem[] = {
    {"1.3.6.1.2.1.1.4", "sysContact", synDisplayString, vfRead | vfWrite},
    {"1.3.6.1.2.1.11.30", "snmpEnableAuthenTraps", synInteger, vfRead | vfWrite, &kTraps},
    {nullptr},
};

// The helper's table 1: rows 1, 2 and 7; Number is 0 in row 2; only Text is writable.
const UISnmpVar kRows[] = {
    {" ", "Index", synInteger, vfKey},
    {TABLE1 ".2", "Number", synInteger, vfRead},
    {TABLE1 ".3", "Text", synDisplayString, vfRead | vfWrite},
    {nullptr},
};

QStringList rowsOf(const QTreeWidget *list)
{
    QStringList rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) {
            cells.append(list->topLevelItem(r)->text(c));
        }
        rows.append(cells.join(u','));
    }
    return rows;
}

const QStringList kAllRows{"1,-5,alpha", "2,0,beta", "7,42,gamma"};

class BindingDevice : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_snmpd = std::make_unique<kvatest::SnmpdProcess>();
        s_started = s_snmpd->start();
    }

    static void TearDownTestSuite() { s_snmpd.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_started) << s_snmpd->error().toStdString();
        ASSERT_TRUE(m_state.isValid());
        SnmpInit(m_state.path());
        SnmpDevice().Host = QStringLiteral("127.0.0.1");
        SnmpDevice().Port = s_snmpd->port();
        SnmpSecurity().Version = 1;
        SnmpSecurity().ReadCommunity = QLatin1String(kvatest::SnmpdProcess::kReadCommunity);
        SnmpSecurity().WriteCommunity = QLatin1String(kvatest::SnmpdProcess::kWriteCommunity);
        newPage();
    }

    void newPage()
    {
        page = std::make_unique<QWidget>();
        status = new QStatusBar(page.get());
        list = new QTreeWidget(page.get());
        edit = new QLineEdit(page.get());
    }

    void TearDown() override
    {
        resumeAgent();
        kvatest::waitUntil([] { return VtSNMPRequest2Controls::deferredRequestCount() == 0; });
    }

    template <typename T = VtSNMPRequest2Edits>
    std::unique_ptr<T> makeRequest(const UISnmpVar *table, unsigned char type, int keys = 0)
    {
        auto req = std::make_unique<T>(page.get());
        req->Request.Vars = VtSNMPVarList(table, type, keys);
        req->Request.Timeout = 100;
        req->Request.Retries = 0;
        req->Async = false;
        req->SetMessageTarget(status);
        return req;
    }

    // A table request with the list view and the Text edit bound, as a table page has them.
    std::unique_ptr<VtSNMPRequest2Edits> tableRequest()
    {
        auto req = makeRequest(kRows, itTableSelect, 1);
        req->BindListView(list, true);
        req->BindFormat(2, "%s", edit);
        return req;
    }

    static qint64 agentPid()
    {
        QFile f(s_snmpd->directory() + QLatin1String("/snmpd.pid"));
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
    }

    void silenceAgent()
    {
        if (const qint64 pid = agentPid(); pid > 0 && ::kill(pid_t(pid), SIGSTOP) == 0) {
            m_stopped = true;
        }
    }

    void resumeAgent()
    {
        if (m_stopped) {
            ::kill(pid_t(agentPid()), SIGCONT);
            m_stopped = false;
        }
    }

    static inline std::unique_ptr<kvatest::SnmpdProcess> s_snmpd;
    static inline bool s_started = false;
    QTemporaryDir m_state;
    bool m_stopped = false;
    kvatest::RecordingUi ui;
    std::unique_ptr<QWidget> page;
    QStatusBar *status = nullptr;
    QTreeWidget *list = nullptr;
    QLineEdit *edit = nullptr;
};

TEST_F(BindingDevice, ScalarsAreShownAndWrittenBack)
{
    auto req = makeRequest(kSystem, itScalars);
    auto *traps = new QComboBox(page.get());
    req->BindFormat(0, "%s", edit);
    req->BindCombo(1, traps);
    ASSERT_TRUE(req->Get());
    EXPECT_EQ(req->RecordCount, 1);
    EXPECT_EQ(traps->currentText(), "Disable") << "snmpd starts with authentication traps off";

    edit->setText("noc@example.net");
    traps->setCurrentIndex(0);
    ASSERT_TRUE(req->Set());
    auto check = makeRequest(kSystem, itScalars);
    ASSERT_TRUE(check->Get());
    EXPECT_EQ(check->Request.Vars.Var(0).Value, "noc@example.net");
    EXPECT_EQ(check->Request.Vars.Var(1).Value, "Enable");
    EXPECT_EQ(status->currentMessage(), "") << "the binding writes no result line of its own";

    traps->setCurrentIndex(1);
    EXPECT_TRUE(req->Set());
}

TEST_F(BindingDevice, TableRowsSelectedRowAndRefreshAfterWrite)
{
    auto req = tableRequest();
    ASSERT_TRUE(req->Get());
    EXPECT_EQ(req->RecordCount, 3);
    EXPECT_EQ(rowsOf(list), kAllRows);
    EXPECT_FALSE(edit->isEnabled()) << "row editing: disabled until a row is selected";

    list->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(edit->text(), "beta");

    edit->setText("beta-2");
    ASSERT_TRUE(req->Set());
    EXPECT_EQ(rowsOf(list), QStringList({"1,-5,alpha", "2,0,beta-2", "7,42,gamma"}))
        << "the written row, re-read after the write";
    EXPECT_FALSE(edit->isEnabled());

    list->topLevelItem(1)->setSelected(true);
    edit->setText("beta");
    ASSERT_TRUE(req->Set());
    EXPECT_EQ(rowsOf(list), kAllRows);
}

TEST_F(BindingDevice, FailedTableWriteStillReReadsTheTable)
{
    const UISnmpVar writable[] = {
        {" ", "Index", synInteger, vfKey},
        {TABLE1 ".2", "Number", synInteger, vfRead | vfWrite}, // the agent refuses this column
        {nullptr},
    };
    auto req = makeRequest(writable, itTable, 1);
    req->BindListView(list, true);
    req->BindControl(1, edit);
    ASSERT_TRUE(req->Get());
    list->topLevelItem(0)->setSelected(true);
    list->clear();
    EXPECT_FALSE(req->Set());
    EXPECT_EQ(list->topLevelItemCount(), 3);
    EXPECT_TRUE(edit->isEnabled()) << "a plain table keeps its edits enabled";
}

TEST_F(BindingDevice, NumberedRowsLeaveOutTheSkipValue)
{
    auto req = makeRequest<New_req2Edit>(kRows, itTable, 1);
    req->BindListView(list, false);
    ASSERT_TRUE(req->Get());
    EXPECT_EQ(rowsOf(list), QStringList({"1,-5,alpha", "2,42,gamma"}));
    ASSERT_TRUE(req->Get());
    EXPECT_EQ(rowsOf(list), QStringList({"1,-5,alpha", "2,42,gamma"})) << "numbered from 1 again";
}

struct ResultLineCase
{
    const char *name;
    std::function<void(VtSNMPRequest2Edits &)> setUp;
    bool write;
    int code;
    const char *line; // pattern of the status bar line
};

void PrintTo(const ResultLineCase &c, std::ostream *os)
{
    *os << c.name;
}

const UISnmpVar kMacAsAddress[] = {
    {" ", "Index", synInteger, vfKey},
    {TABLE1 ".4", "Address", synMacAddress, vfRead}, // the agent serves an IpAddress
    {nullptr},
};

const UISnmpVar kMacFromShortText[] = {
    {" ", "Index", synInteger, vfKey},
    {TABLE1 ".3", "Text", synMacAddress, vfRead}, // five characters where six bytes belong
    {nullptr},
};

const ResultLineCase kResultLines[] = {
    {"ReadSucceeded", [](VtSNMPRequest2Edits &) {}, false, 0, R"(^Get: .+\. Receive at )"},
    {"WriteSucceeded", [](VtSNMPRequest2Edits &) {}, true, 0, R"(^Set: .+\. Receive at )"},
    {"Timeout",
        [](VtSNMPRequest2Edits &r) {
            r.Request.Port = quint16(r.Request.Port + 1); // nobody answers there
            r.Request.Timeout = 10;
        },
        false, -405, R"(^Get: \(SNMPClass\) SNMP request timed out!\. Receive at )"},
    {"AgentRefusesWrite",
        [](VtSNMPRequest2Edits &r) { r.Request.Vars.Var(0).Flags = vfRead | vfWrite; }, true, -117,
        R"(^Set: \(SNMP\) .+\. Receive at )"},
    {"ValueOfTheWrongType",
        [](VtSNMPRequest2Edits &r) { r.Request.Vars = VtSNMPVarList(kMacAsAddress, itTable, 1); },
        false, -511, R"(^Get: \(VtSNMP\+\+\) Bad SNMP syntax!\. Receive at )"},
    {"ValueTooShort",
        [](VtSNMPRequest2Edits &r) {
            r.Request.Vars = VtSNMPVarList(kMacFromShortText, itTable, 1);
        },
        false, -511, R"(^Get: \(VtSNMP\+\+\) Bad SNMP syntax!\. Receive at )"},
};

class BindingResultLine : public BindingDevice, public testing::WithParamInterface<ResultLineCase>
{ };

TEST_P(BindingResultLine, GoesToTheMessageTargetThroughTheErrorHandler)
{
    const ResultLineCase &c = GetParam();
    const UISnmpVar scalars[] = {
        {"1.3.6.1.2.1.1.3", "sysUpTime", synTimeTicks, vfRead},
        {"1.3.6.1.2.1.1.6", "sysLocation", synDisplayString, vfRead | vfWrite},
        {nullptr},
    };
    auto req = makeRequest(scalars, itScalars);
    c.setUp(*req);
    int code = 1;
    VtSNMPRequest2Edits *r = req.get();
    req->Request.OnError = [&code, r, &c](const VtSNMPError &e) {
        if (code == 1 || e.Code != 0) {
            code = e.Code;
        }
        c.write ? r->ShowSetError(e) : r->ShowGetError(e);
    };
    ASSERT_NO_THROW(c.write ? req->Set(false, false) : req->Get());
    EXPECT_EQ(code, c.code);
    EXPECT_TRUE(
        QRegularExpression(QString::fromUtf8(c.line)).match(status->currentMessage()).hasMatch())
        << status->currentMessage().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BindingResultLine, testing::ValuesIn(kResultLines), kvatest::caseName);

TEST_F(BindingDevice, AsynchronousReadAndWriteComplete)
{
    auto req = tableRequest();
    req->Async = true;
    int reads = 0;
    int writes = 0;
    VtSNMPError last;
    req->OnGetDone = [&](VtSNMPRequest2Controls *, const VtSNMPError &e) {
        ++reads;
        last = e;
    };
    req->OnSetDone = [&](VtSNMPRequest2Controls *, const VtSNMPError &e) {
        ++writes;
        last = e;
    };
    EXPECT_TRUE(req->Get());
    EXPECT_TRUE(req->Busy);
    ASSERT_TRUE(kvatest::waitUntil([&] { return reads == 1; }));
    EXPECT_FALSE(req->Busy);
    EXPECT_EQ(last.Code, 0);
    EXPECT_EQ(req->RecordCount, 3);
    EXPECT_EQ(rowsOf(list), kAllRows);

    list->topLevelItem(2)->setSelected(true);
    edit->setText("gamma");
    EXPECT_TRUE(req->Set());
    ASSERT_TRUE(kvatest::waitUntil([&] { return writes == 1 && reads == 2 && !req->Busy; }));
    EXPECT_EQ(last.Code, 0);
    EXPECT_EQ(rowsOf(list), kAllRows) << "re-read after the write";

    // A refused asynchronous write reaches the page through its completion, with no re-read.
    req->Request.Vars.Var(1).Flags = vfRead | vfWrite; // the agent refuses this column
    list->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(req->Set());
    ASSERT_TRUE(kvatest::waitUntil([&] { return writes == 2 && !req->Busy; }));
    EXPECT_EQ(last.Code, -117);
    EXPECT_EQ(reads, 2);
}

TEST_F(BindingDevice, ReadsAskedForDuringAWalkRunOneAfterTheOther)
{
    auto req = tableRequest();
    req->Async = true;
    int reads = 0;
    QList<QStringList> seen;
    req->OnGetDone = [&](VtSNMPRequest2Controls *, const VtSNMPError &) {
        ++reads;
        seen.append(rowsOf(list));
    };
    req->Get();
    req->Get(); // e.g. the page's own read while the re-read after a write runs
    req->Get(); // collapses with the one before
    ASSERT_TRUE(kvatest::waitUntil([&] { return reads == 2 && !req->Busy; }));
    EXPECT_EQ(seen, QList<QStringList>({kAllRows, kAllRows}));

    // A blocking page whose refresh button is pressed while a row is shown.
    auto blocking = tableRequest();
    int walks = 0;
    blocking->BeforeGetHook = [&] { ++walks; };
    ui.onProcessEvents = [&] {
        if (walks == 1) {
            EXPECT_TRUE(blocking->Get()) << "queued";
        }
    };
    EXPECT_TRUE(blocking->Get());
    ui.onProcessEvents = nullptr;
    EXPECT_EQ(walks, 2);
    EXPECT_EQ(rowsOf(list), kAllRows);
    EXPECT_EQ(blocking->RecordCount, 3);
}

TEST_F(BindingDevice, AgentFallingSilentMidWalkEndsTheWalkWithAnError)
{
    auto req = tableRequest();
    req->Request.Timeout = 20;
    std::vector<int> codes;
    VtSNMPRequest2Edits *r = req.get();
    req->Request.OnError = [&codes, r](const VtSNMPError &e) {
        codes.push_back(e.Code);
        r->ShowGetError(e);
    };
    ui.onProcessEvents = [&] {
        if (list->topLevelItemCount() == 1) {
            silenceAgent();
        }
    };
    EXPECT_FALSE(req->Get());
    ui.onProcessEvents = nullptr;
    ASSERT_TRUE(m_stopped);
    EXPECT_EQ(rowsOf(list), QStringList({"1,-5,alpha"}));
    EXPECT_EQ(codes, std::vector<int>({-405}));
    EXPECT_TRUE(status->currentMessage().startsWith("Get: (SNMPClass) SNMP request timed out!"));
    EXPECT_FALSE(req->Busy);

    // The same asynchronously: the completion reports the time-out and the request is free.
    req->Async = true;
    VtSNMPError done;
    bool finished = false;
    req->OnGetDone = [&](VtSNMPRequest2Controls *, const VtSNMPError &e) {
        done = e;
        finished = true;
    };
    resumeAgent();
    ui.onProcessEvents = [&] {
        if (list->topLevelItemCount() == 1) {
            silenceAgent();
        }
    };
    req->Get();
    ASSERT_TRUE(kvatest::waitUntil([&] { return finished; }, 30000)) << "hung";
    ui.onProcessEvents = nullptr;
    EXPECT_EQ(done.Code, -405);
    EXPECT_FALSE(req->Busy);
}

TEST_F(BindingDevice, HostileValueInAsyncReadIsReportedNotCrashed)
{
    // A check box bound to a column the agent fills with a number: filling it fails in the
    // completion, and the failure lands in the message target.
    const UISnmpVar table[] = {
        {"1.3.6.1.2.1.1.3", "sysUpTime", synTimeTicks, vfRead},
        {nullptr},
    };
    auto req = makeRequest(table, itScalars);
    req->BindControl(0, new QCheckBox(page.get()));
    req->Async = true;
    req->Get();
    ASSERT_TRUE(kvatest::waitUntil([&] { return !req->Busy; }));
    EXPECT_TRUE(status->currentMessage().startsWith(
        "Get: (VtSNMP++) Bad syntax of the associated SNMP variable's (partial) data!"))
        << status->currentMessage().toStdString();
}

TEST_F(BindingDevice, PageClosedWhileAnAsynchronousReadIsOutstanding)
{
    auto req = tableRequest();
    req->Async = true;
    bool called = false;
    req->OnGetDone = [&](VtSNMPRequest2Controls *, const VtSNMPError &) { called = true; };
    req->Get();
    ASSERT_TRUE(req->Busy);
    req.reset(); // the page closes: its requests go first, then its controls
    page.reset();
    EXPECT_EQ(VtSNMPRequest2Controls::deferredRequestCount(), 1) << "no wait in the teardown";
    ASSERT_TRUE(
        kvatest::waitUntil([] { return VtSNMPRequest2Controls::deferredRequestCount() == 0; }));
    EXPECT_FALSE(called);
}

TEST_F(BindingDevice, PageClosedWhileARowIsShown)
{
    // Blocking walk: the page goes away during the event processing after the first row.
    auto req = tableRequest();
    ui.onProcessEvents = [&] {
        if (req) {
            req.reset();
            page.reset();
        }
    };
    VtSNMPRequest2Edits *raw = req.get();
    EXPECT_FALSE(raw->Get());
    ui.onProcessEvents = nullptr;
    EXPECT_FALSE(page);

    // Asynchronous walk: the same inside the completion that shows the row.
    newPage();
    req = tableRequest();
    req->Async = true;
    ui.onProcessEvents = [&] {
        if (req) {
            req.reset();
            page.reset();
        }
    };
    req->Get();
    ASSERT_TRUE(kvatest::waitUntil([&] { return !page; }));
    ui.onProcessEvents = nullptr;
    ASSERT_TRUE(
        kvatest::waitUntil([] { return VtSNMPRequest2Controls::deferredRequestCount() == 0; }));
}

} // namespace
