// The Qt implementation of the operator seam and the process-wide current instance.
#include "VtUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
VtUi *g_current = nullptr;
} // namespace

VtUi &VtUi::current()
{
    static VtQtUi production;
    return g_current ? *g_current : production;
}

void VtUi::setCurrent(VtUi *ui)
{
    g_current = ui;
}

void VtQtUi::messageOk(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox::information(owner, caption, text, QMessageBox::Ok);
}

bool VtQtUi::messageOkCancel(QWidget *owner, const QString &caption, const QString &text)
{
    return QMessageBox::question(
               owner, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void VtQtUi::beep()
{
    // Qt offers no tone of a chosen pitch; the system bell stands in for 1000 Hz / 200 ms.
    QApplication::beep();
}

QString VtQtUi::openFileName(
    QWidget *owner, const QString &caption, const QString &directory, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, caption, directory, filter);
}

QString VtQtUi::saveFileName(
    QWidget *owner, const QString &caption, const QString &directory, const QString &filter)
{
    return QFileDialog::getSaveFileName(owner, caption, directory, filter);
}

void VtQtUi::processEvents()
{
    QCoreApplication::processEvents();
}

QString executableCaption()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}
