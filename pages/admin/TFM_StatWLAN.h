// Status \ Stats \ WLAN: the radio's traffic counters, read, refreshed and cleared.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFM_StatWLAN : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_StatWLAN(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;
    void Bt_RefreshClick();
    void Bt_ClearClick();

    QLineEdit *Ed_TranPCount;
    QLineEdit *Edt_TransBCount;
    QLineEdit *Edt_DropPCount;
    QLineEdit *Ed_TranReCount;
    QLineEdit *Edt_RecPacCount;
    QLineEdit *Edt_RecByCount;
    QLineEdit *Edt_DropPacCount;
    QLineEdit *Edt_RecCRCCount;
    QLineEdit *Edt_RecDecErrCount;
    QLineEdit *Edt_RecMICErrCount;
    QLineEdit *Edt_RecPHYErrCount;
    QComboBox *CB_Clear;
    QPushButton *Bt_Refresh;
    QPushButton *Bt_Clear;

private:
    QList<QLineEdit *> counterFields() const;

    VtSNMPRequest2Edits *m_counters = nullptr;
    VtSNMPRequest2Edits *m_clear = nullptr;
};
