// The application style with the menu bar's extension-button icons read only when first drawn.
#include "DeferredIconStyle.h"

#include <memory>

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace {

/// Builds the base style's icon on first use and answers everything from it after.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(const QStyle *base, QStyle::StandardPixmap which)
        : m_base(base), m_which(which)
    { }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(
        const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    bool isNull() override { return icon().isNull(); }

    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (!m_icon) {
            // a style gone meanwhile leaves an empty icon, never a dangling call
            m_icon = std::make_shared<QIcon>(
                m_base ? m_base->standardIcon(m_which, nullptr, nullptr) : QIcon());
        }
        return *m_icon;
    }

    QPointer<const QStyle> m_base;
    QStyle::StandardPixmap m_which;
    std::shared_ptr<QIcon> m_icon; // shared by the copies Qt takes of the icon
};

} // namespace

DeferredIconStyle::DeferredIconStyle() = default;

QIcon DeferredIconStyle::standardIcon(
    StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if ((standardIcon == SP_ToolBarHorizontalExtensionButton
            || standardIcon == SP_ToolBarVerticalExtensionButton)
        && option == nullptr) {
        return QIcon(new DeferredIconEngine(baseStyle(), standardIcon));
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
