#include "ButtonTestSupport.h"

#include <gtest/gtest.h>

namespace {
bool sameArea(const QRegion &a, const QRegion &b)
{
    return (a ^ b).isEmpty();
}

QImage square(int size, QColor colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
} // namespace

TEST(ButtonLayout, SmallPictureAtTheLeftEdgeWithALeftCaption)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 120, 30});
    button->setCaption(QStringLiteral("Open"));
    button->setPicture(square(16, Qt::blue));
    button->setPictureAlign(0);
    button->setCaptionAlign(0);
    EXPECT_EQ(button->pictureRect(), QRect(4, 7, 16, 16));
    EXPECT_EQ(button->captionRect().left(), 24);

    button->setPictureAlign(2); // at the right edge, caption stays left
    EXPECT_EQ(button->pictureRect().right(), 120 - 4 - 1);
    EXPECT_EQ(button->captionRect().left(), 4);

    button->setPictureAlign(4); // above: both centred together, 2 pixels apart
    const QRect picture = button->pictureRect();
    const QRect caption = button->captionRect();
    EXPECT_EQ(picture.left(), (120 - 16) / 2);
    EXPECT_EQ(caption.top(), picture.bottom() + 1 + 2);
    EXPECT_NEAR((picture.top() + caption.bottom()) / 2.0, 15, 1);
}

TEST(ButtonLayout, PictureNextToTheCaptionKeepsFourPixels)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 160, 30});
    button->setCaption(QStringLiteral("Record"));
    button->setPicture(square(16, Qt::red));
    button->setPictureAlign(3);
    button->setCaptionAlign(1);
    EXPECT_EQ(button->pictureRect().right(), 160 - 4 - 1);
    EXPECT_EQ(button->captionRect().right() + 1 + 4, button->pictureRect().left());
    button->setPictureAlign(1);
    button->setCaptionAlign(2);
    const int group = 16 + 4 + button->captionRect().width();
    EXPECT_EQ(button->pictureRect().left(), (160 - group) / 2);
    EXPECT_EQ(button->captionRect().left(), button->pictureRect().right() + 1 + 4);
}

TEST(ButtonLayout, FittedAndStretchedPictures)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 100, 40});
    button->setPicture(square(64, Qt::green));
    button->setPictureSize(4);
    EXPECT_EQ(button->pictureRect(), QRect(36, 6, 28, 28));
    button->setPictureSize(3);
    EXPECT_EQ(button->pictureRect(), QRect(3, 3, 94, 34));
    EXPECT_EQ(qxButtons_H::PictureFit({64, 32}, {100, 100}), QSize(100, 50));
    EXPECT_EQ(qxButtons_H::PictureFit({0, 32}, {100, 100}), QSize(0, 0));
}

TEST(ButtonLayout, CaptionWrapsAtTheDoubleBar)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 120, 50});
    button->setCaption(QStringLiteral("Select"));
    const QRect one = button->captionRect();
    button->setCaption(QStringLiteral("Select||All"));
    EXPECT_GT(button->captionRect().height(), one.height() * 3 / 2);
}

TEST(ButtonOutline, SlantedShapesWidenInStepsOfFive)
{
    EXPECT_EQ(qxButtons_H::WidenForSlant(22, 20), 27);
    EXPECT_EQ(qxButtons_H::WidenForSlant(26, 20), 26);
    EXPECT_EQ(qxButtons_H::WidenForSlant(25, 20), 30);
    Form form;
    qxButtons_H *button = form.add({0, 0, 22, 20});
    button->setButtonShape(1);
    EXPECT_EQ(button->width(), 27);
    EXPECT_EQ(button->bodyLeft(), 21);
    EXPECT_EQ(button->bodyRight(), 27);
    EXPECT_FALSE(button->outline().contains(QPoint(10, 18))); // below the slant
    EXPECT_TRUE(button->outline().contains(QPoint(10, 2)));
}

TEST(ButtonOutline, UsableSpanPerShape)
{
    auto same = [](qxButtons_H::Span a, qxButtons_H::Span b) {
        return a.x0 == b.x0 && a.w == b.w && a.xr == b.xr;
    };
    EXPECT_TRUE(same(qxButtons_H::UsableSpan(0, 100, 0, 100), {0, 100, 100}));
    EXPECT_TRUE(same(qxButtons_H::UsableSpan(1, 100, 21, 100), {17, 83, 100}));
    EXPECT_TRUE(same(qxButtons_H::UsableSpan(2, 100, 0, 79), {0, 86, 86}));
    EXPECT_TRUE(same(qxButtons_H::UsableSpan(3, 100, 21, 79), {17, 69, 86}));
    EXPECT_TRUE(same(qxButtons_H::UsableSpan(8, 100, 0, 100), {3, 97, 97}));
}

TEST(ButtonOutline, CustomShapeFollowsThePictureWithinThreeOfTheBackground)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200));
    picture.setPixel(15, 1, qRgb(203, 197, 200)); // close enough to count as background
    for (int y = 3; y < 7; ++y)
        for (int x = 5; x < 11; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 200));
    const QImage mask = qxButtons_H::PictureMask(picture, picture.size());
    EXPECT_EQ(mask.pixel(15, 1), qRgb(200, 200, 200));
    EXPECT_TRUE(sameArea(qxButtons_H::OpaqueRegion(mask), QRegion(5, 3, 6, 4)));

    Form form;
    qxButtons_H *button = form.add({0, 0, 40, 40});
    button->setPicture(picture);
    button->setButtonShape(7);
    EXPECT_EQ(button->size(), QSize(40, 20)); // resized to the fitted picture
    EXPECT_TRUE(sameArea(button->outline(), QRegion(10, 6, 12, 8)));
    EXPECT_TRUE(sameArea(button->innerRegion(1), QRegion(11, 7, 10, 6)));
    EXPECT_TRUE(sameArea(button->innerRegion(2), QRegion(12, 8, 8, 4)));
}

TEST(ButtonOutline, EllipsesAndTheirRings)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 60, 40});
    button->setButtonShape(4);
    EXPECT_FALSE(button->outline().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->outline().contains(QPoint(30, 20)));
    EXPECT_TRUE(button->outline().contains(QPoint(30, 0)));
    EXPECT_FALSE(button->innerRegion(2).contains(QPoint(30, 1)));
    // The ring is shaded white at the top to grey at the bottom.
    EXPECT_EQ(pixel(button, 30, 0), 0xFFFFFFu);
    EXPECT_NEAR(int(qRed(pixel(button, 30, 39))), 0x80, 6);
}

TEST(ButtonOutline, Style3CutsItsCornersOnlyWhileEnabled)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 60, 24});
    button->setButtonStyle(3);
    EXPECT_FALSE(button->outline().contains(QPoint(0, 0)));
    button->setEnabled(false);
    EXPECT_TRUE(button->outline().contains(QPoint(0, 0)));
}
