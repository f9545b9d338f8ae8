// Status \ Device Information: a read-only summary of firmware, addresses, the radio and its
// security, and the AP array role.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

/// The security level shown for the radio, from the option texts of its security objects.
QString securityLevelText(const QString &authentication, const QString &encryption,
    const QString &cipher, const QString &keyEntryMethod, const QString &key);

class TFM_DevInfo : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_DevInfo(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QLineEdit *Ed_Firmware;
    QLineEdit *Ed_Mac;
    QLabel *LAB_Primary;
    QLabel *Lab_Seccondary1;
    QLabel *Lab_Seccondary7;
    QLineEdit *Ed_IPaddr;
    QLineEdit *Ed_SubMask;
    QLineEdit *Ed_Gate;
    QGroupBox *GB_Wireless;
    QLineEdit *Ed_SSID;
    QLineEdit *Ed_Channel;
    QLineEdit *Ed_DRate;
    QLineEdit *Ed_Sec;
    QLineEdit *Ed_Array;
    QLineEdit *Ed_Role;
    QLineEdit *Ed_Location;
    QComboBox *CB_Auth;
    QComboBox *CB_Encryption;
    QComboBox *CB_Cipher;
    QComboBox *CB_KeyEntry;
    QLineEdit *Ed_WepKey;
    QComboBox *CB_Band;

private:
    void showDerivedMacLines();
};
