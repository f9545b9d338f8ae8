// Advanced \ Grouping.
#include "TFM_Group.h"

#include "ApMib.h"
#include "SecurityChecks.h"
#include "SharedOptions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStatusBar>

namespace {

const VtOptionList olApply{{0, "nothing"}, {1, "apply"}};

// Load balancing is dot11UserLimitStatus, not the performance page's dot11LoadBalance; both pages
// write the same user limit.
const UISnmpVar kGroupingVars[] = {
    {AP_OID("3.2.1.1.4.1"), "dot11UserLimitStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {mib::dot11UserLimit, "UserLimit(0-64)", synInteger, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApMode},
    {nullptr},
};
const UISnmpVar kApplyVars[] = {
    {mib::deviceSettingApply, "deviceSettingApply", synInteger, vfRead | vfWrite, &olApply},
    {nullptr},
};

constexpr int kApplyItem = 1; // of olApply

// A control the operator cannot change is drawn in the button face, else in the window colour.
void paintInactive(QWidget *control, const QPalette &page, bool inactive)
{
    QPalette colours = control->palette();
    colours.setColor(QPalette::Base, page.color(inactive ? QPalette::Button : QPalette::Base));
    control->setPalette(colours);
}

} // namespace

TFM_Group::TFM_Group(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Grouping"), context)
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    Lb_Grouping =
        form().addLine("Lb_Grouping", QStringLiteral("AP Grouping Settings:(For AP Mode Only)"));
    CB_LoadB = form().addCombo("CB_LoadB", QStringLiteral("Load Balance"));
    Ed_UsrL = form().addEdit("Ed_UsrL", QStringLiteral("User Limit (0-64)"), 2);
    CB_APMode = form().addHiddenCombo("CB_APMode");
    CB_DeviceApplySetting = form().addHiddenCombo("CB_DeviceApplySetting");
    Bt_Apply = addButton("Bt_Apply", QStringLiteral("Apply"), &TFM_Group::Bt_ApplyClick);
    Bt_Refresh = addButton("Bt_Refresh", QStringLiteral("Refresh"), &TFM_Group::Bt_RefreshClick);
    Bt_Cancel = form().addButton("Bt_Cancel", QStringLiteral("Cancel"));
    connect(Bt_Cancel, &QPushButton::clicked, this, &TFM_Group::reject);
    onChange(CB_LoadB, &TFM_Group::CB_LoadBChange);
}

void TFM_Group::FormCreate()
{
    guarded([&] {
        m_grouping = makeRequest(kGroupingVars, itInstance, 100, statusTarget());
        bindControls(m_grouping, {CB_LoadB, {Ed_UsrL, "%u"}});
        reportFailures(m_grouping);
        m_mode = makeRequest(kModeVars, itInstance, 100);
        bindControls(m_mode, {CB_APMode});
        m_apply = makeRequest(kApplyVars, itScalars, 1000); // bound for its value, never sent
        bindControls(m_apply, {CB_DeviceApplySetting});
        m_grouping->Get();
        m_mode->Get();
    });
    updateEnabling();
}

void TFM_Group::updateEnabling()
{
    const bool accessPoint = CB_APMode->currentIndex() == options::kApModeAccessPoint;
    CB_LoadB->setEnabled(accessPoint);
    paintInactive(CB_LoadB, palette(), !accessPoint);
    // read-only while load balancing shows "Disable", and still written
    const bool unbalanced = CB_LoadB->currentIndex() == options::kDisable;
    Ed_UsrL->setReadOnly(unbalanced);
    paintInactive(Ed_UsrL, palette(), unbalanced);
}

void TFM_Group::CB_LoadBChange()
{
    updateEnabling();
}

void TFM_Group::Bt_RefreshClick()
{
    m_grouping->Get();
    m_mode->Get();
    updateEnabling();
}

void TFM_Group::Bt_ApplyClick()
{
    setIfEmpty(Ed_UsrL, QStringLiteral("0"));
    if (!security::numberIn(Ed_UsrL->text(), 0, 64)) {
        refuse(Ed_UsrL, "Error", "Please input a number between 0 and 64.", faClear);
        return;
    }
    CB_DeviceApplySetting->setCurrentIndex(kApplyItem);
    showProgress(QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    const bool ok = m_grouping->Set();
    closeProgress();
    if (ok) {
        setStatus(QStringLiteral("Setting OK!"));
    } else {
        reportFailure(QStringLiteral("Setting Error!"));
    }
}
