// The application style with the menu bar's extension-button icons read only when first drawn.
#pragma once

#include <QProxyStyle>

/// The default style, except that the two tool-bar extension icons come as icons whose image
/// files are read the first time the icon is drawn or measured. Every menu bar builds its
/// extension button, and reading its first image makes Qt load every image format plugin; the
/// button shows only when the menu does not fit, which in the module's window it always does.
class DeferredIconStyle : public QProxyStyle
{
public:
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
        const QWidget *widget = nullptr) const override;
};
