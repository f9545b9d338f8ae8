// The device picture's lights and the style's deferred icons draw what they did when drawn
// directly.
#include "DeferredIconStyle.h"
#include "DevicePicture.h"

#include <utility>

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

QColor centreOf(QWidget &widget)
{
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(DevicePicture, ALightShowsEachColourItIsGivenAgain)
{
    DevicePicture picture;
    LedLight &light = *picture.LED_24GLan;
    const QColor green(0x00, 0xC0, 0x00);
    const QColor grey = DevicePicture::initialColour();
    const QColor red(0xE0, 0x20, 0x20);
    // a blink goes back and forth; each look is drawn once and must still be the right one
    for (const QColor &colour : {green, grey, green, red, grey}) {
        light.setColour(colour);
        EXPECT_EQ(centreOf(light).rgb(), colour.rgb()) << colour.name().toStdString();
    }
}

// A light draws the picture beneath its rounded corners itself (a blink repaints the light alone):
// its corners show that picture, also after the picture was drawn again.
TEST(DevicePicture, ALightsCornersShowThePictureBeneath)
{
    DevicePicture picture;
    LedLight &light = *picture.LED_5GLan;
    light.setColour(QColor(0x00, 0xC0, 0x00));
    for (int round = 0; round < 2; ++round) {
        const QImage shown = picture.grab().toImage();
        const QImage bare = picture.backdrop().toImage();
        const QColor corner = shown.pixelColor(light.pos());
        const QColor beneath = bare.pixelColor(light.pos());
        for (const auto &[got, want] :
            {std::pair{corner.red(), beneath.red()}, std::pair{corner.green(), beneath.green()},
                std::pair{corner.blue(), beneath.blue()}}) {
            EXPECT_NEAR(got, want, 12) << "round " << round << ": " << corner.name().toStdString()
                                       << " over " << beneath.name().toStdString();
        }
        QFont larger = picture.font();
        larger.setPixelSize(larger.pixelSize() > 0 ? larger.pixelSize() + 4 : 16);
        picture.setFont(larger); // the picture is drawn again
    }
}

TEST(DeferredIconStyle, ExtensionIconsDrawAsTheBaseStylesDo)
{
    DeferredIconStyle style;
    for (const QStyle::StandardPixmap which :
        {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon deferred = style.standardIcon(which);
        const QIcon direct = style.baseStyle()->standardIcon(which);
        ASSERT_FALSE(deferred.isNull());
        EXPECT_EQ(deferred.availableSizes(), direct.availableSizes());
        EXPECT_EQ(deferred.pixmap(16).toImage(), direct.pixmap(16).toImage());
    }
    // every other icon is the base style's own
    EXPECT_EQ(style.standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32).toImage(),
        style.baseStyle()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32).toImage());
}

} // namespace
