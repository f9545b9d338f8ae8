// About page.
#include "TAboutForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>

#ifndef KVA_RELEASE_VERSION
#define KVA_RELEASE_VERSION "0.0.0"
#endif
#ifndef KVA_BUILD_DATE
#define KVA_BUILD_DATE "unknown"
#endif

namespace {

// The access point seen from the front: a rounded body with its four lights.
QPixmap devicePicture()
{
    QPixmap picture(160, 64);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(QRectF(4, 12, 152, 40), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 160, 60));
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QRectF(44 + i * 20, 28, 8, 8));
    }
    return picture;
}

} // namespace

QString TAboutForm::releaseVersion()
{
    return QStringLiteral(KVA_RELEASE_VERSION);
}

TAboutForm::TAboutForm(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Help\\About"), context)
{
    Image1 = form().addPicture("Image1", devicePicture());
    Lab_Name = form().addLine("Lab_Name", QStringLiteral("Vantrel KVA-7310 Management Module"));
    Lab_Version =
        form().addLine("Lab_Version", QStringLiteral("Release Version: ") + releaseVersion());
    Lab_Build = form().addLine("Lab_Build",
        QStringLiteral("Build ") + releaseVersion() + QStringLiteral(" (")
            + QStringLiteral(KVA_BUILD_DATE) + QLatin1Char(')'));
    Lab_Build->hide();
    Bt_OK = form().addButton("Bt_OK", QStringLiteral("OK"));
    Bt_OK->setDefault(true);
    Bt_OK->installEventFilter(this);
    connect(Bt_OK, &QPushButton::clicked, this, &QDialog::accept);
    statusBar()->hide();
    Bt_OK->setFocus(Qt::OtherFocusReason);
}

bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Bt_OK && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods =
            key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
        if (key->key() == Qt::Key_F3 && mods == (Qt::ShiftModifier | Qt::AltModifier)) {
            Lab_Build->show();
            return true;
        }
    }
    return TFM_Page::eventFilter(watched, event);
}
