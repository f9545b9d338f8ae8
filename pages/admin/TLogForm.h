// The device's log: fetched through this page's TFTP server into the log directory and shown as
// time, type and message; the device's log can also be cleared.
#pragma once

#include "TFM_Page.h"
#include "TransferFlow.h"

#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

/// One row of the log view.
struct LogRow
{
    QString time;
    QString type;
    QString message;
};

/// "time | anything[type]message"; a line without that shape is all message.
LogRow parseLogLine(const QString &line);

class TLogForm : public TFM_Page
{
    Q_OBJECT

public:
    TLogForm(QWidget *owner, const PageContext &context);
    ~TLogForm() override;

    void FormCreate() override;

    transfer::TransferFlow &flow() { return m_flow; }

    bool closeAllowed() const { return !closeLocked(); }

    /// The local copy of the device's log.
    static QString logFileName() { return QStringLiteral("LogFile.RD"); }

    ReportListView *ViewListView;
    QLineEdit *ServerEdit;
    QLineEdit *FileNameEdit;
    QComboBox *GetCoBox;
    QComboBox *Bt_Clear;
    QPushButton *GetBtn;
    QPushButton *Clear_Btn;
    QPushButton *CloseBtn;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void GetBtnClick();
    void Clear_BtnClick();
    void setupDone(const VtSNMPError &result);
    void commandDone(const VtSNMPError &result);
    /// The fetch is over, however it ended: the page can be closed and used again.
    void fetchEnded();
    void loadLog();

    transfer::TransferFlow m_flow;
    QString m_logDirectory;
    QStringList m_lines;
    VtSNMPRequest2Edits *m_setup = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_clear = nullptr;
};
