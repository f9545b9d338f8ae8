// The security half of the wireless page: the primary SSID's authentication (two lists the
// operator picks from, translated to and from the device's one value), the four WEP keys, the WPA
// passphrase with its rekeying, and the RADIUS server; its controls, requests, rules, checks and
// writes. The page builds it, reads it in its read sequence and calls its save steps.
#pragma once

#include "MemberSwitch.h"
#include "SecurityTables.h"

#include <array>
#include <memory>

#include <QString>

class PageForm;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QWidget;
class TFM_Wirless;
class VtSNMPRequest2Edits;

class WirelessSecuritySection
{
public:
    explicit WirelessSecuritySection(TFM_Wirless &page);
    ~WirelessSecuritySection();
    WirelessSecuritySection(const WirelessSecuritySection &) = delete;
    WirelessSecuritySection &operator=(const WirelessSecuritySection &) = delete;

    /// The "Authentication " line of the wireless network group.
    void addModeLine(PageForm &form);
    /// "Key settings", "Passphrase Settings" and the RADIUS server settings.
    void addGroups(PageForm &form);
    void makeRequests();

    /// Authentication and keys, passphrase, and at the opening the RADIUS server.
    void read(bool opening);
    /// The values a periodic rekeying compares against, taken after a read (the cipher after
    /// the visibility pass).
    void rememberCipher();

    /// The two lists for the page's mode, picked from the device's authentication.
    void refillLists();
    /// Before the lists are refilled for a new mode: the VLAN warning.
    void modeChanging(int newMode);
    /// A WDS mode other than the loaded one gets the security last picked in it.
    void restoreModeSelection(int mode);
    /// Back in a mode that updates the group key: the interval as loaded, editable.
    void restoreGroupInterval();
    /// The security half of the visibility pass.
    void applyVisibility();
    /// Time combos without selection get their first item.
    void fillTimeCombos();

    // Rules the page runs.
    void CB_SecurityModeChange();
    void keyIndexRule();
    void encryptionRule();
    void rekeyRule();
    void setMaxLengths();

    bool keyGroupShown() const;
    bool encryptionEnabled() const;
    QString cipherItem() const;
    security::SecurityKind kind() const;

    /// A save's switches: every security member out until the save's steps switch some in;
    /// all come back when it goes.
    class Save
    {
    public:
        Save(VtSNMPRequest2Edits *auth, const std::array<VtSNMPRequest2Edits *, 4> &keys,
            VtSNMPRequest2Edits *passphrase, VtSNMPRequest2Edits *radius);

        MemberSwitch auth;
        std::array<std::unique_ptr<MemberSwitch>, 4> key;
        MemberSwitch passphrase;
        MemberSwitch radius;
    };

    std::unique_ptr<Save> beginSave();
    /// The hidden authentication selector from the two lists.
    void setAuthenticationSelector();
    /// The checks of the security kind and the members it writes; false (nothing written) when a
    /// check refused.
    bool prepare(Save &save);
    bool writeAuthentication();
    bool writeKey();
    bool writePassphrase();
    bool writeRadius();

    QComboBox *CB_SecurityMode;
    QComboBox *CB_dot11Authentication;
    QGroupBox *GB_KeySettings;
    QComboBox *CB_dot11Encryption;
    std::array<QComboBox *, 4> CB_WepEncryp; // CB_WepEncryp1 .. 4
    std::array<QComboBox *, 4> CB_KeyType;   // CB_KeyType1 .. 4
    QComboBox *CB_DefaultKey;
    std::array<QLineEdit *, 4> Ed_Key; // Ed_Key1 .. 4
    QLineEdit *Ed_ConfirmKey;
    QGroupBox *GB_Passphrase;
    QComboBox *CB_WPAMode;
    QComboBox *CB_CipherType;
    QComboBox *CB_Clipher;
    QLineEdit *Ed_UpdateInterval;
    QLineEdit *Ed_Update2;
    QComboBox *CB_AutoRekeyType;
    QComboBox *CB_TimeWeek;
    QComboBox *CB_TimeHour;
    QComboBox *CB_TimeSec;
    QLineEdit *Ed_TimeStart;
    QLineEdit *Ed_TimeInterval;
    QLineEdit *Ed_Passphrase;
    QLineEdit *Ed_ConfirmPass;
    QLineEdit *Ed_AutoRekeyPassphrase;
    QGroupBox *GB_Radius;
    QComboBox *CB_NetProtect;
    QLineEdit *Edt_RadiusServer;
    QLineEdit *Edt_RadiusPort;
    QLineEdit *Edt_RadiusSecret;

private:
    void CB_dot11EncryptionChange();
    void CB_DefaultKeyChange();
    void CB_KeyType1Change();
    void CB_WepEncryp1Change();
    void CB_CipherTypeChange();
    void CB_AutoRekeyTypeChange();
    void CB_NetProtectChange();

    template <class C>
    void wire(C *control, void (WirelessSecuritySection::*handler)());
    int chosenKey() const;
    int modeSlot(int mode) const;
    void fillCipherList(const QStringList &items, bool pinned);
    bool checkKey(Save &save);
    bool checkPassphrase(Save &save);
    bool checkRadius(Save &save);
    bool refuse(QWidget *field, const char *caption, const QString &text, int actions);
    void showChosenKey();
    /// The passphrase, or in its place the key the device generated while rekeying periodically.
    void showPassphrase();

    TFM_Wirless &m_page;
    VtSNMPRequest2Edits *m_auth = nullptr;
    std::array<VtSNMPRequest2Edits *, 4> m_keys{};
    VtSNMPRequest2Edits *m_passphrase = nullptr;
    VtSNMPRequest2Edits *m_radius = nullptr;

    // what the opening or the last refresh read
    QString m_loadedSecurity;
    int m_loadedAuthentication = -1;
    QString m_loadedGroupInterval;
    int m_loadedRekey = -1;
    int m_loadedWeek = -1;
    QString m_loadedStartTime;
    QString m_loadedTimeInterval;
    int m_loadedCipher = -1;
    // the security picked last in "WDS with AP", in "WDS" and in the other modes
    std::array<int, 3> m_modeSelection{0, 0, 0};
    bool m_vlanWarned = false;
    // what the last visibility pass showed
    bool m_keyShown = false;
    bool m_passphraseShown = false;
    bool m_rekeyShown = false;
};
