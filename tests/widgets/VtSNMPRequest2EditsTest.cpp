// Moving values between variables and controls, without a device: every control kind filled and
// collected, values outside option lists, the markers of missing values, multi-control and
// partial bindings, and the failures of bad bindings.
#include "CaseName.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "VtOptionList.h"
#include "VtRadioGroup.h"
#include "VtSNMPRequest2Edits.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const VtOptionList kEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList kPrefix({{0, "wlan", "wlan"}, {0, "eth", "eth"}}, okPrefix);

// What a control shows, in one comparable text.
QString stateOf(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        return e->text();
    }
    if (auto *l = qobject_cast<QLabel *>(w)) {
        return l->text();
    }
    if (auto *c = qobject_cast<QCheckBox *>(w)) {
        return c->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        return QString::number(c->currentIndex()) + QLatin1Char(':') + c->currentText();
    }
    if (auto *r = qobject_cast<VtRadioGroup *>(w)) {
        return QString::number(r->itemIndex()) + QLatin1Char(':') + r->itemText(r->itemIndex());
    }
    return QStringLiteral("?");
}

enum class Kind {
    Edit,
    Label,
    CheckBox,
    Combo,
    Radio,
};

QWidget *make(Kind kind, QWidget *parent)
{
    switch (kind) {
    case Kind::Edit:
        return new QLineEdit(parent);
    case Kind::Label:
        return new QLabel(parent);
    case Kind::CheckBox:
        return new QCheckBox(parent);
    case Kind::Combo:
        return new QComboBox(parent);
    case Kind::Radio:
        return new VtRadioGroup(parent);
    }
    return nullptr;
}

struct FillCase
{
    const char *name;
    Kind kind;
    int syntax;
    const VtOptionList *options;
    const char *value;     // Value as a read leaves it (option texts for values in the list)
    const char *shown;     // stateOf the control after FillControls
    const char *collected; // Value after CollectData with the control untouched
};

void PrintTo(const FillCase &c, std::ostream *os)
{
    *os << c.name;
}

const FillCase kFillCases[] = {
    {"EditText", Kind::Edit, synDisplayString, nullptr, "hello", "hello", "hello"},
    {"EditNumber", Kind::Edit, synInteger, nullptr, "-5", "-5", "-5"},
    {"EditNullMarker", Kind::Edit, synInteger, nullptr, "(NULL)", "(NULL)", "(NULL)"},
    {"EditNotDoneMarker", Kind::Edit, synDisplayString, nullptr, "(NOTDONE)", "(NOTDONE)",
        "(NOTDONE)"},
    {"LabelText", Kind::Label, synIpAddress, nullptr, "10.0.0.1", "10.0.0.1", "10.0.0.1"},
    {"ComboOption", Kind::Combo, synInteger, &kEnable, "Enable", "1:Enable", "Enable"},
    {"ComboValueOutsideListKeepsTheValue", Kind::Combo, synInteger, &kEnable, "7", "-1:", "7"},
    {"ComboNullMarker", Kind::Combo, synInteger, &kEnable, "(NULL)", "-1:", "(NULL)"},
    {"RadioOption", Kind::Radio, synInteger, &kEnable, "Disable", "0:Disable", "Disable"},
    {"RadioValueOutsideList", Kind::Radio, synInteger, &kEnable, "3", "-1:", "3"},
    {"CheckBoxOptionEnable", Kind::CheckBox, synInteger, &kEnable, "Enable", "checked", "Enable"},
    {"CheckBoxOptionDisable", Kind::CheckBox, synInteger, &kEnable, "Disable", "unchecked",
        "Disable"},
    {"CheckBoxValueOutsideList", Kind::CheckBox, synInteger, &kEnable, "5", "unchecked", "Disable"},
    {"CheckBoxTruth", Kind::CheckBox, synBoolean, nullptr, "true", "checked", "true"},
    {"CheckBoxFalse", Kind::CheckBox, synBoolean, nullptr, "false", "unchecked", "false"},
};

class BindingFill : public testing::TestWithParam<FillCase>
{ };

TEST_P(BindingFill, ShowsTheValueAndCollectsItBack)
{
    const FillCase &c = GetParam();
    const UISnmpVar table[] = {
        {"1.3.6.1.4.1.32473.99.5", "v", c.syntax, vfRead | vfWrite, c.options}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    QWidget *control = make(c.kind, &page);
    req.BindControl(0, control);
    req.Request.Vars.Var(0).Value = QString::fromUtf8(c.value);
    req.FillControls(-1);
    EXPECT_EQ(stateOf(control), QString::fromUtf8(c.shown));
    req.CollectData();
    EXPECT_EQ(req.Request.Vars.Var(0).Value, QString::fromUtf8(c.collected));
}

INSTANTIATE_TEST_SUITE_P(Cases, BindingFill, testing::ValuesIn(kFillCases), kvatest::caseName);

TEST(BindingCollect, OperatorChoicesBecomeValues)
{
    const UISnmpVar table[] = {
        {"1.3.6.1.4.1.32473.99.5", "a", synInteger, vfRead | vfWrite, &kEnable},
        {"1.3.6.1.4.1.32473.99.6", "b", synInteger, vfRead | vfWrite, &kEnable},
        {"1.3.6.1.4.1.32473.99.7", "c", synDisplayString, vfRead | vfWrite},
        {"1.3.6.1.4.1.32473.99.8", "d", synDisplayString, vfRead}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    auto *combo = new QComboBox(&page);
    auto *box = new QCheckBox(&page);
    auto *edit = new QLineEdit(&page);
    auto *readOnly = new QLineEdit(&page);
    req.BindCombo(0, combo);
    req.BindControl(1, box);
    req.BindFormat(2, "%s", edit);
    req.BindControl(3, readOnly);
    req.Request.Vars.Var(3).Value = "as read";
    combo->setCurrentIndex(1);
    box->setChecked(true);
    edit->setText("typed");
    readOnly->setText("changed");
    req.CollectData();
    EXPECT_EQ(req.Request.Vars.Var(0).Value, "Enable");
    EXPECT_EQ(req.Request.Vars.Var(1).Value, "Enable");
    EXPECT_EQ(req.Request.Vars.Var(2).Value, "typed");
    EXPECT_EQ(req.Request.Vars.Var(3).Value, "") << "not writable: not collected";
    EXPECT_FALSE(combo->isEditable()) << "a bound combo box is a drop-down list";
}

TEST(BindingCollect, DeviceTextLongerThanTheEditLimitIsNeitherCutNorWrittenBackCut)
{
    const UISnmpVar table[] = {
        {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead | vfWrite}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    auto *edit = new QLineEdit(&page);
    req.BindFormat(0, "%s{l8}", edit);
    req.Request.Vars.Var(0).Value = "a-very-long-device-name";
    req.FillControls(-1);
    EXPECT_EQ(edit->text(), "a-very-long-device-name");
    req.CollectData();
    EXPECT_EQ(req.Request.Vars.Var(0).Value, "a-very-long-device-name");
}

struct MultiCase
{
    const char *name;
    int syntax;
    int edits;
    const char *value;
    const char *shown; // the edits' texts joined with '|'
    const char *typed; // replaces the edits' texts before collecting ('|'-separated), or null
    const char *collected;
};

void PrintTo(const MultiCase &c, std::ostream *os)
{
    *os << c.name;
}

const MultiCase kMultiCases[] = {
    {"MacInSixEdits", synMacAddress, 6, "00A0C5123456", "00|A0|C5|12|34|56", nullptr,
        "00A0C5123456"},
    {"MacOneDigitAndEmptyEdits", synMacAddress, 6, "00A0C5123456", "00|A0|C5|12|34|56",
        "5||c5|12|34|56", "0500C5123456"},
    {"AddressInFourEdits", synIpAddress, 4, "192.168.1.20", "192|168|1|20", "10|0|0|1", "10.0.0.1"},
    {"TicksInFiveEdits", synTimeTicks, 5, "1 day 2:03:04.05", "1|2|3|4|5", "0|0|1|0|0",
        "0:01:00.00"},
    {"OidInEdits", synOid, 3, "1.3.6", "1|3|6", "1|3|7", "1.3.7"},
    {"NullLeavesTheEdits", synIpAddress, 4, "(NULL)", "|||", nullptr, "..."},
};

class BindingMultiEdit : public testing::TestWithParam<MultiCase>
{ };

TEST_P(BindingMultiEdit, SpreadsAndJoinsTheValue)
{
    const MultiCase &c = GetParam();
    const UISnmpVar table[] = {
        {"1.3.6.1.4.1.32473.99.5", "v", c.syntax, vfRead | vfWrite}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    QList<QLineEdit *> edits;
    for (int k = 0; k < c.edits; ++k) {
        edits.append(new QLineEdit(&page));
    }
    req.BindPart(0, 0, c.syntax, nullptr, QList<QWidget *>(edits.begin(), edits.end()));
    req.Request.Vars.Var(0).Value = QString::fromUtf8(c.value);
    req.FillControls(-1);
    QStringList shown;
    for (QLineEdit *e : edits) {
        shown.append(e->text());
    }
    EXPECT_EQ(shown.join(u'|'), QString::fromUtf8(c.shown));
    if (c.typed) {
        const QStringList typed = QString::fromUtf8(c.typed).split(u'|');
        for (int k = 0; k < c.edits; ++k) {
            edits[k]->setText(typed.value(k));
        }
    }
    req.CollectData();
    EXPECT_EQ(req.Request.Vars.Var(0).Value, QString::fromUtf8(c.collected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BindingMultiEdit, testing::ValuesIn(kMultiCases), kvatest::caseName);

TEST(BindingPieces, BitsAndBytesOfAnOctetString)
{
    const UISnmpVar table[] = {
        {"1.3.6.1.4.1.32473.99.5", "v", synOctetString, vfRead | vfWrite}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    auto *bit0 = new QCheckBox(&page);
    auto *bit1 = new QCheckBox(&page);
    auto *bit2 = new QCheckBox(&page);
    auto *secondByte = new QLineEdit(&page);
    req.BindBits(0, "0,1,2", {bit0, bit1, bit2});
    req.BindPart(0, 1, synUInt8, nullptr, {secondByte});
    req.Request.Vars.Var(0).Value = "A0FF03";
    req.FillControls(-1);
    EXPECT_TRUE(bit0->isChecked()); // 0xA0: bits 0 and 2 from the most significant end
    EXPECT_FALSE(bit1->isChecked());
    EXPECT_TRUE(bit2->isChecked());
    EXPECT_EQ(secondByte->text(), "255");

    bit1->setChecked(true);
    secondByte->setText("7");
    req.CollectControls(-1);
    EXPECT_EQ(req.Request.Vars.Var(0).Value, "E00703") << "the third byte is kept";

    req.Request.Vars.Var(0).Value = "A0"; // too short for the byte at offset 1
    try {
        req.FillControls(-1);
        FAIL() << "a piece beyond the value was filled";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -519);
    }
}

TEST(BindingPieces, ComboWithAnEditForTheRestOfAPrefixedValue)
{
    const UISnmpVar table[] = {
        {"1.3.6.1.4.1.32473.99.5", "v", synDisplayString, vfRead | vfWrite, &kPrefix}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    auto *combo = new QComboBox(&page);
    auto *rest = new QLineEdit(&page);
    EXPECT_THROW(req.BindCombo(0, combo), VtException) << "alone it cannot show the rest";
    req.BindPart(0, 0, synDisplayString, nullptr, {combo, rest});
    req.Request.Vars.Var(0).Value = "eth1";
    req.FillControls(-1);
    EXPECT_EQ(combo->currentText(), "eth");
    EXPECT_EQ(rest->text(), "1");
    combo->setCurrentIndex(0);
    rest->setText("3");
    req.CollectData();
    EXPECT_EQ(req.Request.Vars.Var(0).Value, "wlan3");
}

struct BadBindCase
{
    const char *name;
    int code;
    std::function<void(VtSNMPRequest2Edits &, QWidget *page)> act;
};

void PrintTo(const BadBindCase &c, std::ostream *os)
{
    *os << c.name;
}

const UISnmpVar kPlainInteger[] = {
    {"1.3.6.1.4.1.32473.99.5", "v", synInteger, vfRead | vfWrite}, {nullptr}};

const BadBindCase kBadBinds[] = {
    {"CheckBoxOnIntegerWithoutOptions", -517,
        [](VtSNMPRequest2Edits &r, QWidget *p) {
            r.BindControl(0, new QCheckBox(p));
            r.Request.Vars.Var(0).Value = "1";
            r.FillControls(-1);
        }},
    {"ComboWithoutOptions", -520,
        [](VtSNMPRequest2Edits &r, QWidget *p) { r.BindCombo(0, new QComboBox(p)); }},
    {"RadioGroupWithoutOptions", -520,
        [](VtSNMPRequest2Edits &r, QWidget *p) { r.BindControl(0, new VtRadioGroup(p)); }},
    {"FormatOnALabel", -521,
        [](VtSNMPRequest2Edits &r, QWidget *p) { r.BindFormat(0, "%u", new QLabel(p)); }},
    {"ListViewAsAControl", -521,
        [](VtSNMPRequest2Edits &r, QWidget *p) {
            r.BindControl(0, new QTreeWidget(p));
            r.FillControls(-1);
        }},
    {"FourEditsForAnAddress", -522,
        [](VtSNMPRequest2Edits &r, QWidget *p) {
            r.BindPart(0, 0, synIpAddress, nullptr, {new QLineEdit(p), new QLineEdit(p)});
            r.Request.Vars.Var(0).Value = "1";
            r.FillControls(-1);
        }},
    {"BadFormat", -2,
        [](VtSNMPRequest2Edits &r, QWidget *p) { r.BindFormat(0, "%x", new QLineEdit(p)); }},
};

class BindingFailure : public testing::TestWithParam<BadBindCase>
{ };

TEST_P(BindingFailure, RaisesItsCode)
{
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(kPlainInteger, itScalars);
    try {
        GetParam().act(req, &page);
        FAIL() << "no exception";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), GetParam().code) << e.Message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BindingFailure, testing::ValuesIn(kBadBinds), kvatest::caseName);

TEST(BindingHandlers, PageHandlersGoThroughTheBindingAndEndWithUnbind)
{
    kvatest::RecordingUi ui;
    const UISnmpVar table[] = {
        {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead | vfWrite}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itScalars);
    auto *edit = new QLineEdit(&page);
    auto *stranger = new QLineEdit(&page);
    req.BindControl(0, edit);
    int changes = 0;
    req.SetChangeHandler(edit, [&] { ++changes; });
    EXPECT_THROW(req.SetChangeHandler(stranger, [] {}), VtException);
    req.Request.Vars.Var(0).Value = "ap-1";
    req.FillControls(-1);
    EXPECT_EQ(changes, 1);
    req.Unbind(0);
    edit->setText("other");
    EXPECT_EQ(changes, 1);
    req.FillControls(-1);
    EXPECT_EQ(edit->text(), "other") << "an unbound edit is no longer filled";
}

TEST(BindingListView, ColumnsRowsAndTheSelectedRowWithoutADevice)
{
    kvatest::RecordingUi ui;
    const UISnmpVar table[] = {{" ", "Index", synInteger, vfKey},
        {"1.3.6.1.4.1.32473.99.1.1.2", "Flag", synInteger, vfRead},
        {"1.3.6.1.4.1.32473.99.1.1.3", "Text", synDisplayString, vfRead | vfWrite},
        {"1.3.6.1.4.1.32473.99.1.1.9", "Secret", synInteger, vfWrite}, {nullptr}};
    QWidget page;
    New_req2Edit req(&page);
    req.Request.Vars = VtSNMPVarList(table, itTableSelect, 1);
    auto *list = new QTreeWidget(&page);
    auto *text = new QLineEdit(&page);
    req.BindListView(list, true);
    req.BindControl(2, text);
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_TRUE(list->isColumnHidden(0)) << "write-only columns come first, hidden";
    EXPECT_EQ(list->headerItem()->text(1), "Index");
    EXPECT_EQ(list->headerItem()->text(3), "Text");

    // Five rows, two of them with Flag 0: three rows, numbered 1 to 3.
    req.BeforeGet();
    const char *rows[][3] = {
        {"1", "1", "a"}, {"2", "0", "b"}, {"3", "1", "c"}, {"4", "0", "d"}, {"5", "1", "e"}};
    for (const auto &r : rows) {
        req.Request.Vars.Var(0).Value = r[0];
        req.Request.Vars.Var(1).Value = r[1];
        req.Request.Vars.Var(2).Value = r[2];
        req.ShowData();
    }
    req.AfterGet();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "1");
    EXPECT_EQ(list->topLevelItem(2)->text(0), "3");
    EXPECT_EQ(list->topLevelItem(2)->text(3), "e");
    EXPECT_EQ(ui.processEventsCalls, 5) << "every row shows at once";
    EXPECT_FALSE(text->isEnabled());

    // The page's own selection handler runs before the binding fills the edits.
    QString seenByPage = "not called";
    req.OnListViewSelect = [&](QTreeWidgetItem *, bool selected) {
        if (selected) {
            seenByPage = text->text();
        }
    };
    list->topLevelItem(1)->setSelected(true);
    EXPECT_EQ(seenByPage, "");
    EXPECT_EQ(text->text(), "c");
    EXPECT_TRUE(text->isEnabled());
    EXPECT_EQ(req.Request.Vars.Var(0).Value, "3") << "the key comes back from its column";
    EXPECT_EQ(req.Request.Vars.Var(3).Value, "2") << "the row number took the first column";
}

// A secret the operator typed while one row was selected is not written for the next one: the
// selected row fills the edit with the device's value.
TEST(BindingListView, SelectingAnotherRowForgetsTheTypedSecret)
{
    kvatest::RecordingUi ui;
    const UISnmpVar table[] = {{" ", "Index", synInteger, vfKey},
        {"1.3.6.1.4.1.32473.99.1.1.2", "Key", synDisplayString, vfRead | vfWrite}, {nullptr}};
    QWidget page;
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars = VtSNMPVarList(table, itTable, 1);
    auto *list = new QTreeWidget(&page);
    auto *key = new QLineEdit(&page);
    req.BindListView(list, false);
    req.BindSecret(1, key);
    req.BeforeGet();
    for (const char *row : {"1", "2"}) {
        req.Request.Vars.Var(0).Value = QLatin1String(row);
        req.Request.Vars.Var(1).Value = QStringLiteral("****");
        req.ShowData();
    }
    req.AfterGet();
    list->setCurrentItem(list->topLevelItem(0));
    key->setText(QStringLiteral("typed key"));
    emit key->textEdited(key->text());
    EXPECT_TRUE(req.SecretEdited(1));
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(key->text(), "****");
    EXPECT_FALSE(req.SecretEdited(1)) << "the second row's key is the device's";
}

struct ResultLineCase
{
    const char *name;
    int kind;
    const char *caption;
    const char *line; // with [TIME] for the time of day
};

void PrintTo(const ResultLineCase &c, std::ostream *os)
{
    *os << c.name;
}

const ResultLineCase kLines[] = {
    {"ReadWithoutCaption", 0, "", "Get: (SNMPClass) SNMP request timed out!. Receive at [TIME]."},
    {"ReadWithCaption", 0, "VLAN",
        "Get: (SNMPClass) SNMP request timed out! Request:VLAN. Receive at [TIME]."},
    {"WriteWithoutCaption", 1, "", "Set: (SNMPClass) SNMP request timed out!. Receive at [TIME]."},
};

class ResultLine : public testing::TestWithParam<ResultLineCase>
{ };

TEST_P(ResultLine, FollowsTheTemplateOfTheWorkflow)
{
    const ResultLineCase &c = GetParam();
    QWidget page;
    auto *memo = new QPlainTextEdit(&page);
    VtSNMPRequest2Edits req(&page);
    req.Request.Vars.Caption = c.caption;
    req.MessageKind = c.kind;
    req.ShowMessage("(SNMPClass) SNMP request timed out!");
    EXPECT_EQ(memo->toPlainText(), "") << "no target, no line";
    req.SetMessageTarget(memo);
    req.ShowMessage("(SNMPClass) SNMP request timed out!");
    req.ShowMessage("(SNMPClass) SNMP request timed out!");
    const QStringList lines = memo->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << "a memo gets one line per message";
    const QString pattern = QRegularExpression::escape(QString::fromUtf8(c.line))
                                .replace(QStringLiteral("\\[TIME\\]"),
                                    QStringLiteral("(0[1-9]|1[0-2]):[0-5]\\d:[0-5]\\d \\S+"));
    EXPECT_TRUE(QRegularExpression("^" + pattern + "$").match(lines[1]).hasMatch())
        << lines[1].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ResultLine, testing::ValuesIn(kLines), kvatest::caseName);

} // namespace
