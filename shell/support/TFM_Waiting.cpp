// The waiting dialog: a countdown while the device restarts, ended when the device answers
// again; also a plain progress notice that the operator cannot close.
#include "TFM_Waiting.h"

#include "DeviceState.h"
#include "ModuleSettings.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

TFM_Waiting::TFM_Waiting(QWidget *owner, const DeviceState &state, const ModuleSettings &settings)
    : QDialog(owner,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint),
      Label1(new QLabel(QStringLiteral("Please wait for"), this)),
      Label2(new QLabel(QStringLiteral("Settings saved."), this)),
      Label3(new QLabel(QStringLiteral("The device is restarting."), this)),
      La_Time(new QLabel(this)),
      seconds(new QLabel(QStringLiteral("seconds."), this)),
      Ed_FwVer(new QLineEdit(this)),
      Timer1(new QTimer(this)),
      m_state(state)
{
    setObjectName(QStringLiteral("TFM_Waiting"));
    setWindowTitle(QStringLiteral("Please wait"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    La_Time->setObjectName(QStringLiteral("La_Time"));
    seconds->setObjectName(QStringLiteral("seconds"));
    Ed_FwVer->setObjectName(QStringLiteral("Ed_FwVer"));
    Ed_FwVer->hide();

    auto *countdownLine = new QHBoxLayout;
    countdownLine->addWidget(Label1);
    countdownLine->addWidget(La_Time);
    countdownLine->addWidget(seconds);
    countdownLine->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addLayout(countdownLine);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a single border: no resizing

    // Centred on the main window, as the owner gives it.
    if (owner) {
        adjustSize();
        move(owner->frameGeometry().center() - rect().center());
    }

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(settings.waitingTickMs);
    connect(Timer1, &QTimer::timeout, this, &TFM_Waiting::Timer1Timer);
    Timer1->start();
}

TFM_Waiting::~TFM_Waiting() = default;

void TFM_Waiting::FormCreate()
{
    if (readFirmwareVersion) {
        readFirmwareVersion(*this);
    }
}

bool TFM_Waiting::deviceBack() const
{
    // The device answers again and shows its 2.4 GHz light: the light is green at this moment.
    return m_state.wlan24GGreen();
}

void TFM_Waiting::Timer1Timer()
{
    const bool back = deviceBack();
    if (Countdown != 1 || back) {
        --Countdown;
        La_Time->setText(QString::number(Countdown));
    } else {
        ++StallCount;
    }
    --Delay;
    const bool done = (Countdown < 1 && back) || StallCount > 5;
    // The restart goes out on the second step even when that step also ends the dialog.
    if (RestartPending && Delay < 1) {
        RestartPending = false;
        if (Restart && sendRestart) {
            sendRestart();
        }
    }
    if (done) {
        close();
    }
}

bool TFM_Waiting::FormCloseQuery()
{
    if (StallCount > 2) {
        Countdown = 0;
    }
    return Countdown <= 0;
}

void TFM_Waiting::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    QDialog::closeEvent(event);
}

void TFM_Waiting::reject()
{
    if (FormCloseQuery()) {
        Timer1->stop();
        QDialog::reject();
    }
}

void TFM_Waiting::useAsProgressNotice(const QString &firstLine, const QString &secondLine)
{
    Restart = false;
    Label2->setText(firstLine);
    Label3->setText(secondLine);
    Label1->hide();
    La_Time->hide();
    seconds->hide();
    Timer1->stop();
}

void TFM_Waiting::finish()
{
    Timer1->stop();
    QDialog::done(QDialog::Accepted);
}
