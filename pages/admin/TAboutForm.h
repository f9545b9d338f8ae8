// Help \ About: the module's name and release, with a build label kept hidden until asked for.
#pragma once

#include "TFM_Page.h"

class QLabel;
class QPushButton;

class TAboutForm : public TFM_Page
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *owner, const PageContext &context = {});

    QLabel *Lab_Name;
    QLabel *Lab_Version;
    QLabel *Lab_Build;
    QLabel *Image1;
    QPushButton *Bt_OK;

    /// The release version shown on the page.
    static QString releaseVersion();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
