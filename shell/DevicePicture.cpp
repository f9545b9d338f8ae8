// The front of the access point, drawn to scale at any pixel density, and its four lights.
#include "DevicePicture.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 210;
constexpr int kLightWidth = 26;
constexpr int kLightHeight = 10;
constexpr int kLightTop = 150;

struct LightPlace
{
    int x;
    const char *label;
};

// Left to right as on the device's front panel.
constexpr LightPlace kPlaces[] = {{300, "Power"}, {360, "Status"}, {420, "2.4G"}, {480, "5G"}};

} // namespace

LedLight::LedLight(QWidget *parent, const QString &name)
    : QWidget(parent), m_colour(DevicePicture::initialColour())
{
    setObjectName(name);
    setFixedSize(kLightWidth, kLightHeight);
    // Each look holds the part of the picture beneath the light: a blink repaints the light
    // alone, not the picture under it as well.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LedLight::setColour(const QColor &colour)
{
    if (takeColour(colour)) {
        update();
    }
}

bool LedLight::takeColour(const QColor &colour)
{
    if (colour == m_colour) {
        return false;
    }
    m_colour = colour;
    return true;
}

void LedLight::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    // first: drawing the picture for the first time forgets the looks drawn over the old one
    auto *picture = qobject_cast<DevicePicture *>(parentWidget());
    const QPixmap *beneath = picture ? &picture->backdrop() : nullptr;
    QPixmap &face = m_faces[m_colour.rgba()];
    if (face.isNull() || !qFuzzyCompare(face.devicePixelRatio(), ratio)) {
        face = QPixmap((QSizeF(size()) * ratio).toSize());
        face.setDevicePixelRatio(ratio);
        face.fill(palette().color(QPalette::Window));
        QPainter p(&face);
        if (beneath) {
            p.drawPixmap(QPointF(0, 0), *beneath,
                QRectF(QPointF(pos()) * beneath->devicePixelRatio(),
                    QSizeF(size()) * beneath->devicePixelRatio()));
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        p.setBrush(m_colour);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
    QPainter(this).drawPixmap(0, 0, face);
}

DevicePicture::DevicePicture(QWidget *parent)
    : QWidget(parent),
      LED_Power(new LedLight(this, QStringLiteral("LED_Power"))),
      LED_APstatus(new LedLight(this, QStringLiteral("LED_APstatus"))),
      LED_24GLan(new LedLight(this, QStringLiteral("LED_24GLan"))),
      LED_5GLan(new LedLight(this, QStringLiteral("LED_5GLan")))
{
    setObjectName(QStringLiteral("Image2"));
    setFixedSize(kWidth, kHeight);
    LedLight *lights[] = {LED_Power, LED_APstatus, LED_24GLan, LED_5GLan};
    for (int i = 0; i < 4; ++i) {
        lights[i]->move(kPlaces[i].x, kLightTop);
    }
}

QSize DevicePicture::sizeHint() const
{
    return {kWidth, kHeight};
}

QColor DevicePicture::initialColour()
{
    return {0x5A, 0x5E, 0x5A};
}

const QPixmap &DevicePicture::backdrop()
{
    // Drawn once into a picture of its own: a repaint copies the part it needs, which costs far
    // less than drawing it again.
    const qreal ratio = devicePixelRatioF();
    if (m_backdrop.isNull() || !qFuzzyCompare(m_backdrop.devicePixelRatio(), ratio)) {
        m_backdrop = QPixmap((QSizeF(size()) * ratio).toSize());
        m_backdrop.setDevicePixelRatio(ratio);
        m_backdrop.fill(Qt::transparent);
        QPainter painter(&m_backdrop);
        drawBackdrop(painter);
        painter.end();
        for (LedLight *light : {LED_Power, LED_APstatus, LED_24GLan, LED_5GLan}) {
            light->forgetLooks(); // they hold parts of the old one
        }
    }
    return m_backdrop;
}

void DevicePicture::paintEvent(QPaintEvent *event)
{
    const QPixmap &picture = backdrop();
    const qreal ratio = picture.devicePixelRatio();
    const QRect area = event->rect();
    QPainter p(this);
    p.drawPixmap(area.topLeft(), picture,
        QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

void DevicePicture::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_backdrop = QPixmap(); // drawn again at the next paint, which forgets the lights' looks
    }
    QWidget::changeEvent(event);
}

void DevicePicture::drawBackdrop(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Backdrop: a soft desk-grey gradient.
    QLinearGradient back(0, 0, 0, kHeight);
    back.setColorAt(0, QColor(0xE9, 0xEC, 0xF0));
    back.setColorAt(1, QColor(0xC9, 0xCE, 0xD6));
    p.fillRect(rect(), back);

    // The two antennas behind the housing.
    p.setPen(Qt::NoPen);
    for (const int x : {70, 490}) {
        QLinearGradient rod(x - 7, 0, x + 7, 0);
        rod.setColorAt(0, QColor(0x2A, 0x2D, 0x33));
        rod.setColorAt(0.5, QColor(0x5B, 0x60, 0x69));
        rod.setColorAt(1, QColor(0x22, 0x25, 0x2A));
        p.setBrush(rod);
        p.drawRoundedRect(QRectF(x - 7, 8, 14, 80), 7, 7);
        p.setBrush(QColor(0x3A, 0x3E, 0x45));
        p.drawRoundedRect(QRectF(x - 10, 74, 20, 18), 4, 4);
    }

    // Housing with a shadow.
    const QRectF body(20, 82, kWidth - 40, 110);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(body.translated(0, 5), 16, 16);
    QLinearGradient shell(0, body.top(), 0, body.bottom());
    shell.setColorAt(0, QColor(0xFB, 0xFB, 0xFC));
    shell.setColorAt(0.55, QColor(0xE4, 0xE7, 0xEB));
    shell.setColorAt(1, QColor(0xC3, 0xC8, 0xCF));
    p.setBrush(shell);
    p.setPen(QPen(QColor(0x9A, 0xA0, 0xA8), 1.2));
    p.drawRoundedRect(body, 16, 16);

    // Front panel: a dark glossy strip holding the lights.
    const QRectF panel(body.left() + 250, body.top() + 44, 256, 52);
    QLinearGradient glass(0, panel.top(), 0, panel.bottom());
    glass.setColorAt(0, QColor(0x3B, 0x40, 0x48));
    glass.setColorAt(1, QColor(0x1C, 0x1F, 0x24));
    p.setBrush(glass);
    p.setPen(QPen(QColor(0x14, 0x16, 0x19), 1));
    p.drawRoundedRect(panel, 8, 8);

    // Light labels.
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(0xC8, 0xCE, 0xD6));
    for (const LightPlace &place : kPlaces) {
        p.drawText(QRectF(place.x - 12, kLightTop - 18, kLightWidth + 24, 14), Qt::AlignCenter,
            QString::fromLatin1(place.label));
    }

    // Vent slots on the left.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xA7, 0xAD, 0xB5));
    for (int i = 0; i < 9; ++i) {
        p.drawRoundedRect(QRectF(body.left() + 28 + i * 14, body.top() + 62, 6, 30), 3, 3);
    }

    // Model name and wireless mark.
    QFont title = font();
    title.setPixelSize(20);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x2E, 0x35, 0x40));
    p.drawText(QRectF(body.left() + 26, body.top() + 14, 200, 28), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("KVA-7310"));
    QFont sub = font();
    sub.setPixelSize(11);
    p.setFont(sub);
    p.setPen(QColor(0x5C, 0x64, 0x70));
    p.drawText(QRectF(body.left() + 28, body.top() + 38, 220, 16), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Enterprise Wireless Access Point"));

    const QPointF centre(body.right() - 40, body.top() + 34);
    p.setPen(QPen(QColor(0x2F, 0x7D, 0xD1), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int r = 6; r <= 18; r += 6) {
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
    }
    p.setBrush(QColor(0x2F, 0x7D, 0xD1));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, 2.5, 2.5);
}
