// The page kit against the simulated device: handlers run only as the operator's actions, an
// action stops at the first exchange the device did not answer, the close guard, the progress
// notice on every way out, secrets written only when edited, typing limits that never cut a device
// value, subset combos chosen by text, members switched for one write, write sequences and list
// views clicked on empty space, tab changes, and status bars a page keeps on its tabs.
#include "CaseName.h"
#include "MemberSwitch.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "SharedOptions.h"

#include <ostream>
#include <string>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;

const UISnmpVar kNameVars[] = {
    {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kContactVars[] = {
    {"1.3.6.1.2.1.1.4", "sysContact", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kLocationVars[] = {
    {"1.3.6.1.2.1.1.6", "sysLocation", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
// sysContact stands in for a secret the device keeps: shown masked, written only when edited
const UISnmpVar kAccountVars[] = {
    {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead | vfWrite},
    {"1.3.6.1.2.1.1.4", "sysContact", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kModeVars[] = {
    {"1.3.6.1.4.1.32473.7310.2.1.3.3.1.1.1.28.1", "dot11ApMode", synInteger, vfRead | vfWrite,
        &options::dot11ApMode},
    {nullptr},
};

// What a test makes the Save of the kit page do after showing the progress notice.
enum class SaveEnd {
    Written,    // the device takes the write; the page closes the notice itself
    Refused,    // the device refuses it; the page shows its failure box
    Unanswered, // the device is silent
    Thrown,     // a library exception in the page's rule
};

// Three blocking reads (name, contact, location), a mode combo refilled with a subset, a secret,
// a list view and a change handler that counts its runs.
class KitPage : public TFM_Page
{
public:
    KitPage(QWidget *owner, const PageContext &context)
        : TFM_Page(owner, QStringLiteral("Test \\ Kit"), context)
    {
        Ed_Name = form().addEdit("Ed_Name", QStringLiteral("Name"), 32);
        Ed_Contact = form().addEdit("Ed_Contact", QStringLiteral("Contact"));
        Ed_Location = form().addEdit("Ed_Location", QStringLiteral("Location"));
        Ed_Secret = form().addEdit("Ed_Secret", QStringLiteral("Secret"));
        CB_Mode = form().addCombo("CB_Mode", QStringLiteral("Mode"));
        LV_Rows = form().addListView(
            "LV_Rows", {{QStringLiteral("Name"), -1}, {QStringLiteral("Value"), -1}});
        onChange(CB_Mode, &KitPage::CB_ModeChange);
        onChange(Ed_Name, &KitPage::Ed_NameChange);
        onChange(LV_Rows, &KitPage::LV_RowsClick);
        Bt_Refresh = addButton("Bt_Refresh", QStringLiteral("Refresh"), &KitPage::Bt_RefreshClick);
        Bt_Save = addButton("Bt_Save", QStringLiteral("Save"), &KitPage::Bt_SaveClick);
        Bt_Secret = addButton("Bt_Secret", QStringLiteral("Secret"), &KitPage::Bt_SecretClick);
        Bt_Outdoor = addButton("Bt_Outdoor", QStringLiteral("Outdoor"), &KitPage::Bt_OutdoorClick);
        addButton("Bt_ReadSecret", QStringLiteral("Read"), &KitPage::Bt_ReadSecretClick);
        addButton("Bt_Store", QStringLiteral("Store"), &KitPage::Bt_StoreClick);
        addButton("Bt_Report", QStringLiteral("Report"), &KitPage::Bt_ReportClick);
    }

    void FormCreate() override
    {
        m_name = makeRequest(kNameVars, itScalars, 1000);
        bindControls(m_name, {Ed_Name});
        m_contact = makeRequest(kContactVars, itScalars, 1000);
        bindControls(m_contact, {Ed_Contact});
        m_location = makeRequest(kLocationVars, itScalars, 1000);
        bindControls(m_location, {Ed_Location});
        m_account = makeRequest(kAccountVars, itScalars, 1000);
        bindControls(m_account, {nullptr});
        m_account->BindSecret(1, Ed_Secret);
        m_mode = makeRequest(kModeVars, itInstance, 1000);
        bindControls(m_mode, {CB_Mode});
        readAll();
        m_account->Get();
        m_mode->Get();
        LV_Rows->addRow({QStringLiteral("a"), QStringLiteral("1")});
        LV_Rows->addRow({QStringLiteral("b"), QStringLiteral("2")});
    }

    void readAll()
    {
        WriteSequence reads(*this); // every read attempted, as a save's writes are
        reads.step([&] { return m_name->Get(); });
        reads.step([&] { return m_contact->Get(); });
        reads.step([&] { return m_location->Get(); });
        readsOk = reads.ok();
    }

    void Bt_RefreshClick() { readAll(); }

    void Bt_SaveClick()
    {
        showProgress(QStringLiteral("Please wait..."), QStringLiteral("Saving"));
        const bool ok = m_name->Set();
        if (saveEnd == SaveEnd::Thrown) {
            throw VtException(QStringLiteral("bad rule"), -520);
        }
        if (ok) {
            closeProgress();
            setStatus(QStringLiteral("Save OK!"));
        } else {
            inform(QStringLiteral("Error"), QStringLiteral("Save Fail!"));
        }
    }

    void Bt_ReadSecretClick() { m_account->Get(); }

    // A plain save that reports its own failure text.
    void Bt_StoreClick()
    {
        if (m_name->Set()) {
            setStatus(QStringLiteral("Save OK!"));
            return;
        }
        setStatus(QStringLiteral("Save Error!"));
        if (tellFailure) {
            failureTold();
        }
    }

    // A save that says its failure in its own words.
    void Bt_ReportClick()
    {
        if (m_name->Set()) {
            setStatus(QStringLiteral("Save OK!"));
        } else {
            reportFailure(QStringLiteral("Setting Error!"));
        }
    }

    void Bt_SecretClick()
    {
        setStatus(m_account->Set() ? QStringLiteral("OK") : QStringLiteral("Fail"));
    }

    // The 5 GHz outdoor rule: only two of the four modes are offered.
    void Bt_OutdoorClick()
    {
        const QString current = CB_Mode->currentText();
        CB_Mode->clear();
        CB_Mode->addItems({QStringLiteral("Access Point"), QStringLiteral("Wireless Client")});
        CB_Mode->setCurrentIndex(CB_Mode->findText(current));
        m_mode->Get();
    }

    void CB_ModeChange() { ++modeChanges; }

    void Ed_NameChange()
    {
        ++nameEdits;
        if (reenterOnEdit) {
            Ed_Name->setText(Ed_Name->text() + QLatin1Char('!'));
            emit Ed_Name->textEdited(Ed_Name->text()); // a second action while one runs
        }
    }

    void LV_RowsClick() { clickedRows.append(LV_Rows->selectedRow()); }

    void applyRules() override { ++rulePasses; }

    bool writeMode() { return m_mode->Set(); }

    VtSNMPRequest2Edits *name() const { return m_name; }

    QLineEdit *Ed_Name;
    QLineEdit *Ed_Contact;
    QLineEdit *Ed_Location;
    QLineEdit *Ed_Secret;
    QComboBox *CB_Mode;
    ReportListView *LV_Rows;
    QPushButton *Bt_Refresh;
    QPushButton *Bt_Save;
    QPushButton *Bt_Secret;
    QPushButton *Bt_Outdoor;

    SaveEnd saveEnd = SaveEnd::Written;
    bool readsOk = false;
    bool tellFailure = false;
    bool reenterOnEdit = false;
    int modeChanges = 0;
    int nameEdits = 0;
    int rulePasses = 0;
    QList<int> clickedRows;

private:
    VtSNMPRequest2Edits *m_name = nullptr;
    VtSNMPRequest2Edits *m_contact = nullptr;
    VtSNMPRequest2Edits *m_location = nullptr;
    VtSNMPRequest2Edits *m_account = nullptr;
    VtSNMPRequest2Edits *m_mode = nullptr;
};

using Kit = PageHarness<KitPage>;

const Kit::Seeds kSeeds = {
    {"sysName", "ap-rack4"},
    {"sysContact", "noc@lab.example"},
    {"sysLocation", "Building 7"},
    {"dot11ApMode", "3"},
};

kvatest::PageOptions shortTimeouts()
{
    kvatest::PageOptions o;
    o.timeoutScale = 0.02; // 1000 -> 0.2 s per attempt
    return o;
}

TEST(PageKit, HandlersRunOnlyForTheOperatorsOwnChanges)
{
    Kit h(kSeeds);
    // the reads filled the combo and the edit: no handler ran for that
    EXPECT_EQ(h.text("CB_Mode"), "WDS");
    EXPECT_EQ(h.page->modeChanges, 0);
    EXPECT_EQ(h.page->nameEdits, 0);
    EXPECT_GE(h.page->rulePasses, 1); // the rules pass ran once the page had opened
    const int passes = h.page->rulePasses;
    h.click("Bt_Refresh");
    EXPECT_EQ(h.page->modeChanges, 0);
    EXPECT_EQ(h.page->rulePasses, passes + 1);

    h.choose("CB_Mode", "Access Point");
    EXPECT_EQ(h.page->modeChanges, 1);
    h.type("Ed_Name", "ab");
    EXPECT_EQ(h.page->nameEdits, 3); // one per keystroke: the clearing one and two letters
}

TEST(PageKit, AnActionIsNeverEnteredAgainWhileItRuns)
{
    Kit h(kSeeds);
    h.page->reenterOnEdit = true;
    QLineEdit *name = h.edit("Ed_Name");
    name->setText(QStringLiteral("x"));
    emit name->textEdited(name->text()); // one keystroke's worth
    EXPECT_EQ(h.page->nameEdits, 1);
    EXPECT_EQ(h.text("Ed_Name"), "x!");
}

TEST(PageKit, HandlersDoNotRunBeforeTheOpeningCompleted)
{
    Kit h(kSeeds, {}, {0.01, 0, false, false});
    h.page = std::make_unique<KitPage>(nullptr, h.context);
    h.page->Bt_Refresh->click(); // the page is not shown: FormCreate has not run
    EXPECT_FALSE(h.page->formReady());
    EXPECT_EQ(h.device.log().size(), 0);
    h.page->showPage();
    h.waitIdle();
    EXPECT_TRUE(h.page->formReady());
}

// Three blocking reads against a silent device: the first read and its retry go out, nothing
// more; the fields keep what they showed, the status names the time-out, the page closes. The
// next action asks the device again.
TEST(PageKit, SilentDeviceStopsTheActionAtTheFirstUnansweredExchange)
{
    Kit h(kSeeds, {}, shortTimeouts());
    ASSERT_EQ(h.text("Ed_Location"), "Building 7");
    ASSERT_TRUE(h.device.fault(QStringLiteral("silent 600")));
    h.device.clearLog();
    h.click("Bt_Refresh");
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("get")), 2); // the request and its retry
    EXPECT_FALSE(h.page->readsOk);
    EXPECT_EQ(h.text("Ed_Name"), "ap-rack4");
    EXPECT_EQ(h.text("Ed_Contact"), "noc@lab.example");
    EXPECT_EQ(h.text("Ed_Location"), "Building 7");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_FALSE(h.page->deviceSilent()); // back in the event loop: the gate is open again

    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("Building 8")));
    h.device.clearLog();
    h.click("Bt_Refresh");
    EXPECT_EQ(h.device.logCount(QStringLiteral("get")), 3);
    EXPECT_TRUE(h.page->readsOk);
    EXPECT_EQ(h.text("Ed_Location"), "Building 8");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

// The time-out is the last word of an action, unless the page said it told the failure itself.
TEST(PageKit, APageThatToldTheFailureKeepsItsOwnText)
{
    Kit h(kSeeds, {}, shortTimeouts());
    ASSERT_TRUE(h.device.fault(QStringLiteral("silent 600")));
    h.click("Bt_Store");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.page->tellFailure = true;
    h.click("Bt_Store");
    EXPECT_EQ(h.statusText(), "Save Error!");
    EXPECT_FALSE(h.page->deviceSilent());
}

// An error-status is an answer: the action goes on with its next exchanges.
TEST(PageKit, AnErrorStatusDoesNotStopTheAction)
{
    Kit h(kSeeds, {}, shortTimeouts());
    ASSERT_TRUE(h.device.fault(QStringLiteral("nosuchname sysName")));
    ASSERT_TRUE(h.device.set(QStringLiteral("sysLocation"), QStringLiteral("Building 9")));
    h.device.clearLog();
    h.click("Bt_Refresh");
    EXPECT_EQ(h.device.logCount(QStringLiteral("get")), 3);
    EXPECT_FALSE(h.page->readsOk);
    EXPECT_EQ(h.text("Ed_Location"), "Building 9");
    EXPECT_NE(h.statusText(), kvatest::timeoutText());
}

TEST(PageKit, TheCloseGuardRefusesTheCloseButtonAndEscapeAlike)
{
    Kit h(kSeeds);
    h.page->setCloseLocked(true);
    h.page->close();
    EXPECT_TRUE(h.page->isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(h.page.get(), &escape);
    EXPECT_TRUE(h.page->isVisible());
    h.page->reject();
    EXPECT_TRUE(h.page->isVisible());

    h.page->setCloseLocked(false);
    QCoreApplication::sendEvent(h.page.get(), &escape);
    EXPECT_FALSE(h.page->isVisible());
}

TEST(PageKit, AClosedPageTakesItsProgressNoticeWithIt)
{
    Kit h(kSeeds);
    h.page->showProgress(QStringLiteral("Please wait..."), QStringLiteral("Scanning"));
    h.page->setCloseLocked(true);
    h.page->close();
    EXPECT_TRUE(h.page->progressShown()); // a refused close leaves the notice
    h.page->setCloseLocked(false);
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
    EXPECT_FALSE(h.page->progressShown());

    h.page->show();
    h.page->showProgress(QStringLiteral("Please wait..."), QStringLiteral("Scanning"));
    h.page->reject(); // Escape
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
}

struct ProgressCase
{
    const char *name;
    const char *fault; // switched on before Save; "" for none
    SaveEnd end;
    bool box; // the page shows its failure box
};

void PrintTo(const ProgressCase &c, std::ostream *out)
{
    *out << c.name;
}

const ProgressCase kProgress[] = {
    {"Written", "", SaveEnd::Written, false},
    {"Refused", "seterror sysName genErr", SaveEnd::Refused, true},
    {"Unanswered", "silent 600", SaveEnd::Unanswered, true},
    {"Thrown", "", SaveEnd::Thrown, false},
};

class PageKitProgress : public testing::TestWithParam<ProgressCase>
{ };

// Whichever way the save ends, the notice is gone and the page usable, and no box is shown while
// the notice still covers the page.
TEST_P(PageKitProgress, TheNoticeClosesAndThePageIsEnabledOnEveryWayOut)
{
    const ProgressCase &c = GetParam();
    Kit h(kSeeds, {}, shortTimeouts());
    h.page->saveEnd = c.end;
    if (*c.fault != '\0') {
        ASSERT_TRUE(h.device.fault(QLatin1String(c.fault)));
    }
    bool coveredWhileBoxShown = false;
    h.ui.onMessage = [&](const kvatest::RecordingUi::Message &) {
        coveredWhileBoxShown = h.page->progressShown() || !h.page->isEnabled();
    };
    bool shownDuringSave = false;
    h.page->name()->BeforeSetHook = [&] { shownDuringSave = h.page->progressShown(); };
    h.click("Bt_Save");
    EXPECT_TRUE(shownDuringSave);
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    EXPECT_FALSE(coveredWhileBoxShown);
    EXPECT_EQ(h.sawMessage(QStringLiteral("Save Fail!")), c.box);
    if (c.end == SaveEnd::Thrown) {
        EXPECT_EQ(h.statusText(), "bad rule");
    }
}

INSTANTIATE_TEST_SUITE_P(Ends, PageKitProgress, testing::ValuesIn(kProgress), kvatest::caseName);

// The device holds more than the operator may type: a save writes it back whole.
TEST(PageKit, AnOverLongDeviceValueSurvivesASave)
{
    const QByteArray longName(40, 'n');
    Kit h({{"sysName", longName.constData()}});
    EXPECT_EQ(h.text("Ed_Name"), QLatin1String(longName));
    h.click("Bt_Save");
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("sysName")), QLatin1String(longName));
    // typing still stops at the limit
    h.type("Ed_Name", QByteArray(40, 'x').constData());
    EXPECT_EQ(h.text("Ed_Name").size(), 32);
}

// A secret read back masked is never written back; typed, it is.
TEST(PageKit, AnUneditedSecretIsNeverWritten)
{
    Kit h({{"sysName", "ap-rack4"}, {"sysContact", "********"}});
    EXPECT_EQ(h.edit("Ed_Secret")->echoMode(), QLineEdit::Password);
    h.device.clearLog();
    h.click("Bt_Secret");
    EXPECT_EQ(h.statusText(), "OK");
    ASSERT_EQ(h.device.logCount(QStringLiteral("set")), 1);
    EXPECT_FALSE(h.device.log().join(QLatin1Char('\n')).contains(QLatin1String("sysContact")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysContact")), "********");

    h.type("Ed_Secret", "s3cret");
    h.click("Bt_Secret");
    EXPECT_EQ(h.device.get(QStringLiteral("sysContact")), "s3cret");
    // a read makes what the field shows the device's again: typed before it, nothing is written
    h.type("Ed_Secret", "other");
    h.click("Bt_ReadSecret");
    h.device.clearLog();
    h.click("Bt_Secret");
    EXPECT_FALSE(h.device.log().join(QLatin1Char('\n')).contains(QLatin1String("sysContact")));
    EXPECT_EQ(h.device.get(QStringLiteral("sysContact")), "s3cret");
}

// A combo refilled with a subset of its option list shows and writes the option of its text.
TEST(PageKit, ASubsetComboSelectsAndWritesByItemText)
{
    Kit h({{"dot11ApMode", "4"}}); // Wireless Client
    h.click("Bt_Outdoor");
    EXPECT_EQ(h.page->CB_Mode->count(), 2);
    EXPECT_EQ(h.text("CB_Mode"), "Wireless Client");
    h.choose("CB_Mode", "Access Point");
    ASSERT_TRUE(h.page->writeMode());
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ApMode")), "1");
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11ApMode"), QStringLiteral("3"))); // WDS
    h.click("Bt_Outdoor");
    EXPECT_EQ(h.page->CB_Mode->currentIndex(), -1); // not offered: nothing chosen
}

TEST(PageKit, AClickOnEmptyListSpaceClearsTheSelectionAndTellsThePage)
{
    Kit h(kSeeds);
    h.clickRow("LV_Rows", 1);
    EXPECT_EQ(h.page->LV_Rows->selectedRow(), 1);
    h.clickRow("LV_Rows", -1);
    EXPECT_EQ(h.page->LV_Rows->selectedRow(), -1);
    EXPECT_EQ(h.page->clickedRows, (QList<int>{1, -1}));
}

// Members switched for one write get their flags back, also when the write throws.
TEST(PageKit, SwitchedMembersAreRestoredOnEveryPath)
{
    Kit h(kSeeds);
    VtSNMPRequest2Edits *name = h.page->name();
    {
        MemberSwitch write(name);
        write.out(0);
        EXPECT_EQ(name->Request.Vars.Var(0).Flags, vfSkip);
    }
    EXPECT_EQ(name->Request.Vars.Var(0).Flags, vfRead | vfWrite);
    name->BeforeSetHook = [] { throw VtException(QStringLiteral("bad"), -520); };
    try {
        MemberSwitch write(name);
        write.readOnly(0);
        write.set();
        ADD_FAILURE() << "the write did not throw";
    } catch (const VtException &) { }
    EXPECT_EQ(name->Request.Vars.Var(0).Flags, vfRead | vfWrite);
}

// Every write of a sequence is attempted; one refusal or exception fails the whole.
TEST(PageKit, AWriteSequenceAttemptsEveryWrite)
{
    Kit h(kSeeds);
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror sysName genErr")));
    h.device.clearLog();
    WriteSequence save(*h.page);
    EXPECT_FALSE(save.step([&] { return h.page->name()->Set(); }));
    EXPECT_FALSE(save.step([]() -> bool { throw VtException(QStringLiteral("bad"), -520); }));
    EXPECT_TRUE(save.step([&] { return h.page->writeMode(); }));
    EXPECT_FALSE(save.ok());
    EXPECT_EQ(save.failures(), 2);
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 2);
}

// Two tabs with a status bar each, where the page's status texts go; a tab change reads the name
// again; Save says a silent write's failure in its own words when told to.
class TabPage : public TFM_Page
{
public:
    TabPage(QWidget *owner, const PageContext &context)
        : TFM_Page(owner, QStringLiteral("Test \\ Tabs"), context)
    {
        statusBar()->hide();
        Tabs = form().beginTabs("Tabs");
        form().beginTab("TabA", QStringLiteral("A"));
        Ed_Name = form().addEdit("Ed_Name", QStringLiteral("Name"));
        addGroupButton("Bt_Save", QStringLiteral("Save"), &TabPage::Bt_SaveClick);
        SB_A = form().addStatusBar("SB_A");
        form().endTab();
        form().beginTab("TabB", QStringLiteral("B"));
        SB_B = form().addStatusBar("SB_B");
        form().endTab();
        form().endTabs();
        onChange(Tabs, &TabPage::TabsChange);
    }

    void FormCreate() override
    {
        m_name = makeRequest(kNameVars, itScalars, 1000);
        bindControls(m_name, {Ed_Name});
        Tabs->setCurrentIndex(1); // the page's own switches
        Tabs->setCurrentIndex(0);
        m_name->Get();
    }

    void TabsChange()
    {
        ++tabChanges;
        m_name->Get();
    }

    void Bt_SaveClick()
    {
        if (m_name->Set()) {
            SB_A->showMessage(QStringLiteral("Save OK!"));
            return;
        }
        SB_A->showMessage(QStringLiteral("Save Error!"));
        if (ownWords) {
            failureTold();
        }
    }

    QTabWidget *Tabs;
    QLineEdit *Ed_Name;
    QStatusBar *SB_A;
    QStatusBar *SB_B;
    int tabChanges = 0;
    bool ownWords = false;

protected:
    void setStatus(const QString &text) override
    {
        SB_A->showMessage(text);
        SB_B->showMessage(text);
    }

private:
    VtSNMPRequest2Edits *m_name = nullptr;
};

using Tabbed = PageHarness<TabPage>;

TEST(PageKit, ATabChangeRunsItsHandlerOnlyForTheOperator)
{
    Tabbed h(kSeeds);
    EXPECT_EQ(h.page->tabChanges, 0);
    ASSERT_TRUE(h.device.set(QStringLiteral("sysName"), QStringLiteral("ap-rack5")));
    h.chooseTab("Tabs", 1);
    EXPECT_EQ(h.page->tabChanges, 1);
    EXPECT_EQ(h.text("Ed_Name"), "ap-rack5");
}

// The frame's own texts (here the time-out of a silent device) go where the page says.
TEST(PageKit, APageWithItsOwnStatusBarsSaysWhereTheTimeOutGoes)
{
    Tabbed h(kSeeds, {}, shortTimeouts());
    ASSERT_TRUE(h.device.fault(QStringLiteral("silent 600")));
    h.chooseTab("Tabs", 1);
    EXPECT_EQ(h.text("SB_A"), kvatest::timeoutText());
    EXPECT_EQ(h.text("SB_B"), kvatest::timeoutText());
    EXPECT_EQ(h.page->statusText(), "");
}

struct OwnWordsCase
{
    const char *name;
    bool ownWords; // the page reports the silence itself
    const char *shown;
};

void PrintTo(const OwnWordsCase &c, std::ostream *out)
{
    *out << c.name;
}

const OwnWordsCase kOwnWords[] = {
    {"TheFrameAddsTheTimeOut", false, nullptr},
    {"ThePagesFailureTextStays", true, "Save Error!"},
};

class PageKitSilenceReported : public testing::TestWithParam<OwnWordsCase>
{ };

TEST_P(PageKitSilenceReported, DecidesTheLastWordOfTheStep)
{
    const OwnWordsCase &c = GetParam();
    Tabbed h(kSeeds, {}, shortTimeouts());
    h.page->ownWords = c.ownWords;
    ASSERT_TRUE(h.device.fault(QStringLiteral("silent 600")));
    h.click("Bt_Save");
    EXPECT_EQ(
        h.text("SB_A"), c.shown != nullptr ? QString::fromUtf8(c.shown) : kvatest::timeoutText());
    EXPECT_FALSE(h.page->deviceSilent());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageKitSilenceReported, testing::ValuesIn(kOwnWords), kvatest::caseName);

// A page's own failure text stays the last word of a save the device did not answer; a plain
// status text does not, so the operator still learns of the time-out.
TEST(PageKit, AReportedFailureIsNotOverwrittenByTheTimeOut)
{
    Kit h(kSeeds, {}, shortTimeouts());
    ASSERT_TRUE(h.device.fault(QStringLiteral("silent 600")));
    h.click("Bt_Report");
    EXPECT_EQ(h.statusText(), "Setting Error!");
    h.click("Bt_Secret");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror sysName genErr")));
    h.click("Bt_Report");
    EXPECT_EQ(h.statusText(), "Setting Error!");
}

// Two reads into the status bar, one of them reporting its failures; Save writes the name.
class ReportingPage : public TFM_Page
{
public:
    ReportingPage(QWidget *owner, const PageContext &context)
        : TFM_Page(owner, QStringLiteral("Test \\ Reporting"), context)
    {
        Ed_Name = form().addEdit("Ed_Name", QStringLiteral("Name"));
        Ed_Contact = form().addEdit("Ed_Contact", QStringLiteral("Contact"));
        addButton("Bt_Refresh", QStringLiteral("Refresh"), &ReportingPage::Bt_RefreshClick);
        addButton("Bt_Save", QStringLiteral("Save"), &ReportingPage::Bt_SaveClick);
    }

    void FormCreate() override
    {
        m_name = makeRequest(kNameVars, itScalars, 1000, statusTarget());
        bindControls(m_name, {Ed_Name});
        reportFailures(m_name);
        m_contact = makeRequest(kContactVars, itScalars, 1000, statusTarget());
        bindControls(m_contact, {Ed_Contact});
        Bt_RefreshClick();
    }

    void Bt_RefreshClick()
    {
        m_name->Get();
        m_contact->Get();
    }

    void Bt_SaveClick() { m_name->Set(); }

    QLineEdit *Ed_Name;
    QLineEdit *Ed_Contact;

private:
    VtSNMPRequest2Edits *m_name = nullptr;
    VtSNMPRequest2Edits *m_contact = nullptr;
};

using Reporting = PageHarness<ReportingPage>;

// A reporting request writes the result line of every failed read or write to its message target,
// and nothing when the exchange succeeded; a request that does not report writes nothing.
TEST(PageKit, AReportingRequestWritesItsFailuresToTheStatusBar)
{
    Reporting quiet(kSeeds, {"nosuchname sysContact"});
    EXPECT_EQ(quiet.statusText(), "");

    Reporting h(kSeeds, {"nosuchname sysName"});
    const QString readFailure = h.statusText();
    EXPECT_FALSE(readFailure.isEmpty());
    EXPECT_NE(readFailure, kvatest::timeoutText());
    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));
    h.page->statusBar()->clearMessage();
    h.click("Bt_Refresh");
    EXPECT_EQ(h.statusText(), "");
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror sysName genErr")));
    h.click("Bt_Save");
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_NE(h.statusText(), readFailure);
}

} // namespace
