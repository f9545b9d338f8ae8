// The front of the access point, drawn to scale at any pixel density, and its four lights.
#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QWidget>

class QPainter;

/// One status light: a small filled rectangle over the picture.
class LedLight : public QWidget
{
    Q_OBJECT

public:
    LedLight(QWidget *parent, const QString &name);

    QColor colour() const { return m_colour; }

    /// Sets the colour and schedules a paint when it changed.
    void setColour(const QColor &colour);

    /// Sets the colour without scheduling a paint; true when it changed. The caller paints the
    /// lights it changed together, in one pass.
    bool takeColour(const QColor &colour);

    /// Forgets the looks drawn so far (the picture beneath changed).
    void forgetLooks() { m_faces.clear(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
    // A blinking light alternates between two looks: each is drawn once and copied after.
    QHash<QRgb, QPixmap> m_faces;
};

class DevicePicture : public QWidget
{
    Q_OBJECT

public:
    explicit DevicePicture(QWidget *parent = nullptr);

    LedLight *LED_Power;
    LedLight *LED_APstatus;
    LedLight *LED_24GLan;
    LedLight *LED_5GLan;

    QSize sizeHint() const override;

    /// The colour a light has before the first poll decided anything.
    static QColor initialColour();

    /// The picture without its lights at the widget's pixel density, drawn when first wanted.
    const QPixmap &backdrop();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void drawBackdrop(QPainter &p);

    QPixmap m_backdrop; // the picture without its lights, at the screen's pixel density
};
