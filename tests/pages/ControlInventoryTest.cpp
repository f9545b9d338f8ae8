// Every registered page's controls against the pages' control lists: names, kinds, captions,
// typing limits and order. A page joins by adding its rows here; a registered page without rows
// fails, so no page goes unlisted.
#include "ModulePages.h"
#include "PageRegistry.h"
#include "QtPrinters.h"
#include "TFM_Page.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct ControlRow
{
    const char *page;
    const char *name;
    const char *kind;    // as the form builder declares it: "Edit", "HiddenCombo", "List", ...
    const char *caption; // nullptr: the page lists give none, any caption passes; a list's
                         // column captions are joined by "|"
    int limit;           // typing limit of an edit, 0 for none
};

const ControlRow kControls[] = {
    // TFM_Information
    {"TFM_Information", "Ed_SD", "ReadOnly", "System Description:", 0},
    {"TFM_Information", "Ed_SO", "ReadOnly", "System Object ID:", 0},
    {"TFM_Information", "Ed_SU", "ReadOnly", "System Uptime:", 0},
    {"TFM_Information", "Ed_SC", "Edit", "System Contact:", 255},
    {"TFM_Information", "Ed_SN", "Edit", "System Name:", 32},
    {"TFM_Information", "Ed_SL", "Edit", "System Location:", 32},
    {"TFM_Information", "Bt_Refresh", "Button", "Refresh", 0},
    {"TFM_Information", "Bt_Save", "Button", "Save", 0},
    // TFM_DevInfo
    {"TFM_DevInfo", "GB_DevInfo", "Group", "Device Information", 0},
    {"TFM_DevInfo", "Ed_Firmware", "ReadOnly", "Firmware Version:", 0},
    {"TFM_DevInfo", "Ed_Mac", "ReadOnly", "MAC Address:", 0},
    {"TFM_DevInfo", "Lab_WlanMac", "Line", "WLAN1 MAC Address:", 0},
    {"TFM_DevInfo", "LAB_Primary", "Text", "Primary:", 0},
    {"TFM_DevInfo", "Lab_Seccondary1", "Text", "SSID 1~3:", 0},
    {"TFM_DevInfo", "Lab_Seccondary7", "Text", "~", 0},
    {"TFM_DevInfo", "GB_Ethernet", "Group", "Ethernet", 0},
    {"TFM_DevInfo", "Ed_IPaddr", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "Ed_SubMask", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "Ed_Gate", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "GB_Wireless", "Group", "Wireless (2.4GHz)", 0},
    {"TFM_DevInfo", "Ed_SSID", "ReadOnly", "SSID:", 0},
    {"TFM_DevInfo", "Ed_Channel", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "Ed_DRate", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "Ed_Sec", "ReadOnly", "Security Level:", 0},
    {"TFM_DevInfo", "GB_ApArray", "Group", "Ap Array", 0},
    {"TFM_DevInfo", "Ed_Array", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "Ed_Role", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "Ed_Location", "ReadOnly", nullptr, 0},
    {"TFM_DevInfo", "CB_Auth", "HiddenCombo", "", 0},
    {"TFM_DevInfo", "CB_Encryption", "HiddenCombo", "", 0},
    {"TFM_DevInfo", "CB_Cipher", "HiddenCombo", "", 0},
    {"TFM_DevInfo", "CB_KeyEntry", "HiddenCombo", "", 0},
    {"TFM_DevInfo", "Ed_WepKey", "HiddenEdit", "", 0},
    {"TFM_DevInfo", "CB_Band", "HiddenCombo", "", 0},
    // TFM_Static
    {"TFM_Static", "GB_Transmitted", "Group", nullptr, 0},
    {"TFM_Static", "Ed_TranPCount", "ReadOnly", "Transmitted Packet Count", 0},
    {"TFM_Static", "Edt_TransBCount", "ReadOnly", "Trasmitted Bytes Count", 0},
    {"TFM_Static", "Edt_DropPCount", "ReadOnly", "Dropped Packet Count ", 0},
    {"TFM_Static", "GB_Received", "Group", "Recieved Count", 0},
    {"TFM_Static", "Edt_RecPacCount", "ReadOnly", "Received Packet Count ", 0},
    {"TFM_Static", "Edt_RecByCount", "ReadOnly", "Received Bytes Count ", 0},
    {"TFM_Static", "Edt_DropPacCount", "ReadOnly", "Dropped Packet Count", 0},
    {"TFM_Static", "Edt_RecBroadCount", "ReadOnly", nullptr, 0},
    {"TFM_Static", "Edt_Len64Count", "ReadOnly", "Len 64 Packet Count", 0},
    {"TFM_Static", "Edt_Len65Count", "ReadOnly", "Len 65~127 Packet Count", 0},
    {"TFM_Static", "Edt_Len128Count", "ReadOnly", "Len 128~255 Packet Count", 0},
    {"TFM_Static", "Edt_Len256Count", "ReadOnly", "Len 256~1511 Packet Count", 0},
    {"TFM_Static", "Edt_Len512Count", "ReadOnly", "Len 512~1023 Packet Count ", 0},
    {"TFM_Static", "Edt_Len1024Count", "ReadOnly", "Len 1024~1518 Packet Count ", 0},
    {"TFM_Static", "Edt_Len1519Count", "ReadOnly", "Len 1519~MAX Packet Count", 0},
    {"TFM_Static", "CB_Clear", "HiddenCombo", "", 0},
    {"TFM_Static", "Bt_Refresh", "Button", "Refresh", 0},
    {"TFM_Static", "Bt_Clear", "Button", "Clear", 0},
    // TFM_StatWLAN
    {"TFM_StatWLAN", "GB_Transmitted", "Group", nullptr, 0},
    {"TFM_StatWLAN", "Ed_TranPCount", "ReadOnly", "Transmitted Packet Count", 0},
    {"TFM_StatWLAN", "Edt_TransBCount", "ReadOnly", "Trasmitted Bytes Count", 0},
    {"TFM_StatWLAN", "Edt_DropPCount", "ReadOnly", "Dropped Packet Count", 0},
    {"TFM_StatWLAN", "Ed_TranReCount", "ReadOnly", "Transmition Retry Count", 0},
    {"TFM_StatWLAN", "GB_Received", "Group", "Recieved Count", 0},
    {"TFM_StatWLAN", "Edt_RecPacCount", "ReadOnly", "Received Packet Count ", 0},
    {"TFM_StatWLAN", "Edt_RecByCount", "ReadOnly", "Received Bytes Count ", 0},
    {"TFM_StatWLAN", "Edt_DropPacCount", "ReadOnly", "Dropped Packet Count", 0},
    {"TFM_StatWLAN", "Edt_RecCRCCount", "ReadOnly", "Received CRC Count", 0},
    {"TFM_StatWLAN", "Edt_RecDecErrCount", "ReadOnly", "Received Decryption Error Count", 0},
    {"TFM_StatWLAN", "Edt_RecMICErrCount", "ReadOnly", "Received MIC Error Count", 0},
    {"TFM_StatWLAN", "Edt_RecPHYErrCount", "ReadOnly", "Received PHY Error Count", 0},
    {"TFM_StatWLAN", "CB_Clear", "HiddenCombo", "", 0},
    {"TFM_StatWLAN", "Bt_Refresh", "Button", "Refresh", 0},
    {"TFM_StatWLAN", "Bt_Clear", "Button", "Clear", 0},
    // TFM_Sytem
    {"TFM_Sytem", "Label1", "Line", "Restart the Device", 0},
    {"TFM_Sytem", "Label2", "Line", "Restore to Factory Default Settings", 0},
    {"TFM_Sytem", "Label3", "Line", "Clear Language Pack", 0},
    {"TFM_Sytem", "CB_Restart", "HiddenCombo", "", 0},
    {"TFM_Sytem", "CB_Restore", "HiddenCombo", "", 0},
    {"TFM_Sytem", "Cbox_LanguagePack", "HiddenCombo", "", 0},
    {"TFM_Sytem", "Button1", "Button", "Restart", 0},
    {"TFM_Sytem", "Button2", "Button", "Restore", 0},
    {"TFM_Sytem", "Bt_LanguageClear", "Button", "Clear", 0},
    // TLogSetForm
    {"TLogSetForm", "GB_Log", "Group", "Log", 0},
    {"TLogSetForm", "CheckBox_System", "Check", "System Activity", 0},
    {"TLogSetForm", "CheckBox_Wireless", "Check", "Wireless Activity", 0},
    {"TLogSetForm", "CheckBox_Notice", "Check", "Notice", 0},
    {"TLogSetForm", "Ed_LogServerIp", "Edit", "Log Server / IP Address :", 15},
    {"TLogSetForm", "GB_Mail", "Group", nullptr, 0},
    {"TLogSetForm", "CheckBox_EMNotifca", "Check", "Enable", 0},
    {"TLogSetForm", "CB_OutServer", "Combo", "Outgoing mail server (SMTP)", 0},
    {"TLogSetForm", "Edt_FEail", "Edit", "From Email Address:", 64},
    {"TLogSetForm", "Ed_TMail", "Edit", "To Email Address:", 64},
    {"TLogSetForm", "Ed_MailServerIp", "Edit", "Email Server address:", 15},
    {"TLogSetForm", "Ed_SntpPort", "Edit", "SMTP Port", 0},
    {"TLogSetForm", "Cbk_Auth", "Check", "Authentication", 0},
    {"TLogSetForm", "Cbk_SSL", "Check", "SSL/TLS", 0},
    {"TLogSetForm", "Ed_UserName", "Edit", "User Name:", 64},
    {"TLogSetForm", "Ed_Password", "Edit", "Password:", 12},
    {"TLogSetForm", "Ed_Conpass", "Edit", "Confirm Password:", 12},
    {"TLogSetForm", "CB_Schedule", "Combo", "Schedule", 0},
    {"TLogSetForm", "CB_RemoteLogState", "HiddenCombo", "", 0},
    {"TLogSetForm", "CB_OutServerSet", "HiddenCombo", "", 0},
    {"TLogSetForm", "Ed_Schdule", "HiddenEdit", "", 0},
    {"TLogSetForm", "Bt_Apply", "Button", "Save", 0},
    {"TLogSetForm", "Bt_Cancel", "Button", "Cancel", 0},
    // TAboutForm
    {"TAboutForm", "Image1", "Picture", "", 0},
    {"TAboutForm", "Lab_Name", "Line", "Vantrel KVA-7310 Management Module", 0},
    {"TAboutForm", "Lab_Version", "Line", nullptr, 0},
    {"TAboutForm", "Lab_Build", "Line", nullptr, 0},
    {"TAboutForm", "Bt_OK", "Button", "OK", 0},
    // TFM_Firmware
    {"TFM_Firmware", "GroupBox1", "Group", "Update Firmware From Local Hard Drive", 0},
    {"TFM_Firmware", "Ed_UpgFile", "Edit", "Upload Firmware From File:", 0},
    {"TFM_Firmware", "Bt_Browse", "Button", "Browse", 0},
    {"TFM_Firmware", "Bt_OK", "Button", "Upload", 0},
    {"TFM_Firmware", "GroupBox2", "Group", "Update SSL Certification From Local Hard Drive", 0},
    {"TFM_Firmware", "EDT_Certificate", "Edit", "Upload Certificate From File :", 0},
    {"TFM_Firmware", "Bt_CBrowse", "Button", "Browse", 0},
    {"TFM_Firmware", "Bt_CUpload", "Button", "Upload", 0},
    {"TFM_Firmware", "EDT_Key", "Edit", "Upload Key From File : ", 0},
    {"TFM_Firmware", "Bt_KBrowse", "Button", "Browse", 0},
    {"TFM_Firmware", "Bt_KUpload", "Button", "Upload", 0},
    {"TFM_Firmware", "GroupBox3", "Group", "Language Pack Upgrade", 0},
    {"TFM_Firmware", "Ed_UpLanguageFile", "Edit", "Upload Language From File:", 0},
    {"TFM_Firmware", "Bt_Language", "Button", "Browse", 0},
    {"TFM_Firmware", "Bt_Lpack", "Button", "Upload", 0},
    {"TFM_Firmware", "Ed_TfpSrv", "HiddenEdit", "", 0},
    {"TFM_Firmware", "Ed_RemoteFile", "HiddenEdit", "", 0},
    {"TFM_Firmware", "CB_TfpCom", "HiddenCombo", "", 0},
    {"TFM_Firmware", "CB_UpgCom", "HiddenCombo", "", 0},
    // TFM_CfgFile
    {"TFM_CfgFile", "GroupBox1", "Group", "Update Configuration File ", 0},
    {"TFM_CfgFile", "Ed_UpgFile", "Edit", "Update File", 0},
    {"TFM_CfgFile", "Bt_Browse", "Button", "Browse", 0},
    {"TFM_CfgFile", "Bt_OK", "Button", "OK", 0},
    {"TFM_CfgFile", "GroupBox2", "Group", "Load Settings to Local Hard Drive", 0},
    {"TFM_CfgFile", "Ed_SaveFile", "ReadOnly", "Save File", 0},
    {"TFM_CfgFile", "Bt_SavBrw", "Button", "Browse", 0},
    {"TFM_CfgFile", "Bt_Upload", "Button", "OK", 0},
    {"TFM_CfgFile", "Ed_TfpSrv", "HiddenEdit", "", 0},
    {"TFM_CfgFile", "CB_TfpCom", "HiddenCombo", "", 0},
    {"TFM_CfgFile", "CB_UpgCom", "HiddenCombo", "", 0},
    // TLogForm
    {"TLogForm", "ViewListView", "List", "Time|Type|Message", 0},
    {"TLogForm", "ServerEdit", "HiddenEdit", "", 0},
    {"TLogForm", "FileNameEdit", "HiddenEdit", "", 0},
    {"TLogForm", "GetCoBox", "HiddenCombo", "", 0},
    {"TLogForm", "Bt_Clear", "HiddenCombo", "", 0},
    {"TLogForm", "GetBtn", "Button", "Get Log", 0},
    {"TLogForm", "Clear_Btn", "Button", "Clear", 0},
    {"TLogForm", "CloseBtn", "Button", "Close", 0},
};

std::vector<ControlRow> rowsOf(const QString &page)
{
    std::vector<ControlRow> rows;
    for (const ControlRow &r : kControls) {
        if (page == QLatin1String(r.page)) {
            rows.push_back(r);
        }
    }
    return rows;
}

std::string describe(const PageControl &c)
{
    return c.name.toStdString() + " " + c.kind.toStdString() + " \"" + c.caption.toStdString()
        + "\" " + std::to_string(c.limit);
}

std::string describe(const ControlRow &r)
{
    return std::string(r.name) + " " + r.kind + " \"" + (r.caption ? r.caption : "*") + "\" "
        + std::to_string(r.limit);
}

std::vector<QString> registeredPages()
{
    PageRegistry registry;
    registerModulePages(registry);
    std::vector<QString> pages;
    for (const PageRegistry::Entry &e : registry.entries()) {
        pages.push_back(e.className);
    }
    return pages;
}

class ControlInventory : public testing::TestWithParam<QString>
{ };

TEST_P(ControlInventory, MatchesThePagesControlList)
{
    const QString className = GetParam();
    PageRegistry registry;
    registerModulePages(registry);
    const PageRegistry::Entry *entry = registry.find(className);
    ASSERT_NE(entry, nullptr);
    const std::unique_ptr<TFM_Page> page = entry->create(nullptr, PageContext{});
    const std::vector<PageControl> &controls = page->inventory();
    const std::vector<ControlRow> rows = rowsOf(className);
    ASSERT_FALSE(rows.empty()) << "no control rows for " << className.toStdString();
    const std::size_t n = std::max(controls.size(), rows.size());
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_LT(i, controls.size()) << "missing control " << describe(rows[i]);
        ASSERT_LT(i, rows.size()) << "control not in the list " << describe(controls[i]);
        const PageControl &c = controls[i];
        const ControlRow &r = rows[i];
        SCOPED_TRACE(describe(r));
        EXPECT_EQ(c.name, QLatin1String(r.name));
        EXPECT_EQ(c.kind, QLatin1String(r.kind));
        if (r.caption != nullptr) {
            EXPECT_EQ(c.caption, QString::fromUtf8(r.caption));
        }
        EXPECT_EQ(c.limit, r.limit);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ControlInventory, testing::ValuesIn(registeredPages()),
    [](const auto &row) { return row.param.toStdString(); });

} // namespace
