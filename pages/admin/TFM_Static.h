// Status \ Stats \ Ethernet: the wired port's traffic counters, read, refreshed and cleared.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFM_Static : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Static(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;
    void Bt_RefreshClick();
    void Bt_ClearClick();

    QLineEdit *Ed_TranPCount;
    QLineEdit *Edt_TransBCount;
    QLineEdit *Edt_DropPCount;
    QLineEdit *Edt_RecPacCount;
    QLineEdit *Edt_RecByCount;
    QLineEdit *Edt_DropPacCount;
    QComboBox *CB_Clear;
    QPushButton *Bt_Refresh;
    QPushButton *Bt_Clear;

private:
    QList<QLineEdit *> counterFields() const;

    VtSNMPRequest2Edits *m_counters = nullptr;
    VtSNMPRequest2Edits *m_clear = nullptr;
};
