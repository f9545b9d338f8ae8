// System information page.
#include "TFM_Information.h"

#include "ApMib.h"

#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

const UISnmpVar kSystemVars[] = {
    {mib::sysDescr, "systemDescr", synDisplayString, vfRead},
    {mib::sysObjectID, "systemObjectID", synOid, vfRead},
    {mib::sysUpTime, "systemUpTime", synTimeTicks, vfRead},
    {mib::sysContact, "systemContact", synDisplayString, vfRead | vfWrite},
    {mib::sysName, "systemName", synDisplayString, vfRead | vfWrite},
    {mib::sysLocation, "systemLocation", synDisplayString, vfRead | vfWrite},
    {nullptr},
};

constexpr int kContactMax = 255;
constexpr int kNameMax = 32;
constexpr int kLocationMax = 32;

// Limits what the operator types without cutting a longer value the device already holds, which
// must be shown whole (QLineEdit::setMaxLength would truncate it on display).
class TypingLimit : public QValidator
{
public:
    TypingLimit(int maxLength, QObject *parent) : QValidator(parent), m_max(maxLength) { }

    State validate(QString &input, int &) const override
    {
        return input.size() <= m_max ? Acceptable : Invalid;
    }

private:
    int m_max;
};

} // namespace

TFM_Information::TFM_Information(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Home \\ Information"), context)
{
    Ed_SD = form().addReadOnly("Ed_SD", QStringLiteral("System Description:"));
    Ed_SO = form().addReadOnly("Ed_SO", QStringLiteral("System Object ID:"));
    Ed_SU = form().addReadOnly("Ed_SU", QStringLiteral("System Uptime:"));
    Ed_SC = form().addEdit("Ed_SC", QStringLiteral("System Contact:"));
    Ed_SN = form().addEdit("Ed_SN", QStringLiteral("System Name:"));
    Ed_SL = form().addEdit("Ed_SL", QStringLiteral("System Location:"));
    Bt_Refresh = form().addButton("Bt_Refresh", QStringLiteral("Refresh"));
    Bt_Save = form().addButton("Bt_Save", QStringLiteral("Save"));
    connect(Bt_Refresh, &QPushButton::clicked, this, &TFM_Information::Bt_RefreshClick);
    connect(Bt_Save, &QPushButton::clicked, this, &TFM_Information::Bt_SaveClick);
}

void TFM_Information::FormCreate()
{
    guarded([&] {
        m_system = makeRequest(kSystemVars, itScalars, 3000);
        const QList<QLineEdit *> fields{Ed_SD, Ed_SO, Ed_SU, Ed_SC, Ed_SN, Ed_SL};
        for (int i = 0; i < fields.size(); ++i) {
            m_system->BindControl(i, fields[i]);
        }
        m_system->SetMessageTarget(statusTarget());
        // a refused or unanswered write must not leave an earlier "Save OK!" standing
        m_system->Request.OnError = [r = m_system](const VtSNMPError &result) {
            if (result.Code != 0 && r->MessageKind == 1) {
                r->ShowMessage(result.Message);
            }
        };
        m_system->Get();
    });
    Ed_SC->setValidator(new TypingLimit(kContactMax, Ed_SC));
    Ed_SN->setValidator(new TypingLimit(kNameMax, Ed_SN));
    Ed_SL->setValidator(new TypingLimit(kLocationMax, Ed_SL));
}

void TFM_Information::Bt_RefreshClick()
{
    if (m_system == nullptr) {
        return;
    }
    guarded([&] {
        if (m_system->Get()) {
            setStatus(QStringLiteral("Get OK!"));
        }
    });
}

void TFM_Information::Bt_SaveClick()
{
    if (m_system == nullptr) {
        return;
    }
    const FieldCheck checks[] = {
        {Ed_SN, notEmpty(), "The System Name field can not be blank!", faFocus, "Warning"},
        {Ed_SC, atMost(kContactMax), "The Max Lengh of the SystemContact is 255.",
            faWarnOnly}, // shipped text
        {Ed_SN, atMost(kNameMax), "The Max Lengh of the SystemName is 32.", faWarnOnly},
        {Ed_SL, atMost(kLocationMax), "The Max Lengh of the SystemLocation is 32.", faWarnOnly},
    };
    if (!runChecks(checks, "Error")) {
        return;
    }
    guarded([&] {
        if (m_system->Set()) {
            setStatus(QStringLiteral("Save OK!"));
        }
    });
}
