#include "ButtonTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
OleColor channelsOf(int r, int g, int b)
{
    return oleRgb(r, g, b);
}

// The bounding box of the pixels darker than `limit` in every channel.
QRect darkPixels(const qxButtons_H *button, int limit = 80)
{
    QRect box;
    const QImage &image = button->surface();
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) < limit && qGreen(c) < limit && qBlue(c) < limit)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}
} // namespace

TEST(ButtonColours, ShiftColorTakesChannelsOutWith255And65280)
{
    EXPECT_EQ(qxButtons_H::ShiftColor(0x808080, 31), channelsOf(159, 160, 160));
    EXPECT_EQ(qxButtons_H::ShiftColor(0x808080, 31, true), channelsOf(159, 160, 149)); // 129 + 31 * 129 / 192
    EXPECT_EQ(qxButtons_H::ShiftColor(0x000000, -20), 0u);
    EXPECT_EQ(qxButtons_H::ShiftColor(0x102030, 0, false, false, true),
              channelsOf(255 - 0x30, 255 - 0x20, 255 - 0x10));
    // Avoiding the extremes turns the shift round instead of reaching white or black.
    EXPECT_EQ(qxButtons_H::ShiftColor(0xFFFFFF, 10, false, true), qxButtons_H::ShiftColor(0xFFFFFF, -10));
    EXPECT_EQ(qxButtons_H::ShiftColor(0x000000, 0, false, true), qxButtons_H::ShiftColor(0x000000, 64));
    EXPECT_EQ(qxButtons_H::ShiftColor(SystemColors::ButtonFace, 5), qxButtons_H::ShiftColor(0xC8D0D4, 5));
    // Scaled blue with a negative delta: b0 = rnd(0x800000 / 65280 = 128.502) = 129, then
    // 129 + (-31 * 129) / 192 truncated toward zero = 129 - 20 (rounding down would give 108).
    EXPECT_EQ(qxButtons_H::ShiftColor(0x808080, -31, true), channelsOf(97, 98, 109));
    // b0 = rnd(200.78) = 201, 201 + (-100 * 201) / 192 = 201 - 104; green rnd(200.78 - 100) = 101.
    EXPECT_EQ(qxButtons_H::ShiftColor(0xC8C8C8, -100, true), channelsOf(100, 101, 97));
}

TEST(ButtonColours, DerivedColoursPerStyle)
{
    const OleColor back = 0x336699;
    const auto style2 = qxButtons_H::ComputeColors(2, back, back);
    EXPECT_EQ(style2[0], qxButtons_H::ShiftColor(back, 48, true));
    EXPECT_EQ(style2[1], qxButtons_H::ShiftColor(style2[0], -32, true));
    EXPECT_EQ(style2[3], qxButtons_H::ShiftColor(0xFFFFFF, -32, true));
    const auto style7 = qxButtons_H::ComputeColors(7, back, 0x8000000F);
    EXPECT_EQ(style7[0], qxButtons_H::ShiftColor(back, 31));
    EXPECT_EQ(style7[2], qxButtons_H::ShiftColor(TranslateColor(0x8000000F), 31));
    const auto style3 = qxButtons_H::ComputeColors(3, back, back);
    EXPECT_EQ(style3[0], back);
    EXPECT_EQ(style3[3], qxButtons_H::ShiftColor(qxButtons_H::ShiftColor(0x808080, 12), 31));
    EXPECT_EQ(qxButtons_H::ComputeColors(4, back, 0x123456)[2], 0x123456u);
}

TEST(ButtonColours, GradientTableRunsFromOneColourToTheOther)
{
    const auto table = qxButtons_H::GradientTable(0x0000FF, 0xFF0000, 30);
    ASSERT_EQ(table.size(), 30u);
    EXPECT_EQ(table.front(), 0x0000FFu);
    EXPECT_NEAR(int(table.back() & 0xFF), 0, 1);
    EXPECT_NEAR(int(table.back() >> 16), 255, 1);
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LE(table[i] & 0xFF, table[i - 1] & 0xFF);
    // By hand, 0x6496C8 down to 0x0A0A0A in 4 bands: red starts at 200, green at 0x9600 / 255 = 150.588,
    // blue at 0x640000 / 65280 = 100.392; steps (10 - 200) / 3, (10 - 150.588) / 3, (10 - 100.392) / 3;
    // each entry keeps the integer parts: 136.67, 103.73, 70.26 -> 0x466788, and so on.
    EXPECT_EQ(qxButtons_H::GradientTable(0x6496C8, 0x0A0A0A, 4),
              (std::vector<OleColor>{0x6496C8, 0x466788, 0x283849, 0x0A0909}));
    EXPECT_EQ(qxButtons_H::GradientTable(0x123456, 0, 1), std::vector<OleColor>{0x123456});
    EXPECT_TRUE(qxButtons_H::GradientTable(0x123456, 0, 0).empty());
    EXPECT_EQ(qxButtons_H::GradientBandSize(1024, 30), 1);
    EXPECT_EQ(qxButtons_H::GradientBandSize(600, 200), 2);
    EXPECT_EQ(qxButtons_H::GradientBandSize(600, 0), 1);
}

TEST(ButtonRendering, GradientModeFourPaintsOneBandPerRowFromTheGradientDown)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 80, 30});
    button->setButtonStyle(5); // no edge at run time: every row shows its band
    button->setBackColor(0x0000FF);
    button->setGradientColor(0xFF0000);
    button->setGradientMode(4);
    auto table = qxButtons_H::GradientTable(0x0000FF, 0xFF0000, 30);
    std::reverse(table.begin(), table.end());
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(pixel(button, 40, y), rgbOf(table[size_t(y)])) << "row " << y;
}

TEST(ButtonRendering, Style2ShowsHoverThenPressedLooks)
{
    Form form;
    qxButtons_H *button = form.add({20, 20, 100, 30});
    button->setButtonStyle(2);
    button->setBackColor(0xC0C0C0);
    button->setForeColor(0x000000);
    button->setCaption(QStringLiteral("SPEAK"));
    button->setShowFocusRect(false); // the focus it gets on show would draw the default look
    form.show();
    const OleColor face = button->derivedColors()[0];
    EXPECT_EQ(pixel(button, 50, 0), rgbOf(0x733C00));
    EXPECT_EQ(pixel(button, 50, 1), rgbOf(qxButtons_H::ShiftColor(face, 16, true))); // state 0, slot 6
    EXPECT_EQ(pixel(button, 1, 1), rgbOf(0x733C00));                                 // softened corner

    hover(button);
    ASSERT_TRUE(button->stateFlags() & qxButtons_H::Hovered);
    EXPECT_EQ(pixel(button, 50, 1), rgbOf(0xA6E9FF)); // state 3, slot 6
    EXPECT_EQ(pixel(button, 50, 2), rgbOf(0x8CDBFF)); // state 3, slot 2
    const QRect hovered = darkPixels(button);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_EQ(pixel(button, 50, 1), rgbOf(qxButtons_H::ShiftColor(face, -32, true))); // state 2, slot 6
    ASSERT_NE(qxButtons_H::ShiftColor(face, 0, true), face); // the face itself, not a shift by nothing
    EXPECT_EQ(pixel(button, 97, 15), rgbOf(face));           // state 2, slot 3
    EXPECT_EQ(darkPixels(button), hovered.translated(1, 1));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_EQ(pixel(button, 50, 1), rgbOf(0xA6E9FF));
}

TEST(ButtonRendering, DisabledStyle2HasOnlyTheDarkOuterLine)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 90, 26});
    button->setButtonStyle(2);
    button->setBackColor(0xC0C0C0);
    button->setEnabled(false);
    const OleColor face = button->derivedColors()[0];
    const QRgb fill = rgbOf(qxButtons_H::ShiftColor(face, -24, true));
    EXPECT_EQ(pixel(button, 45, 0), rgbOf(qxButtons_H::ShiftColor(face, -84, true)));
    EXPECT_EQ(pixel(button, 0, 13), rgbOf(qxButtons_H::ShiftColor(face, -84, true)));
    EXPECT_EQ(pixel(button, 45, 1), fill);
    EXPECT_EQ(pixel(button, 45, 2), fill);
    EXPECT_EQ(pixel(button, 88, 13), fill);
}

TEST(ButtonRendering, Style2CornersAreCutAndShapesShowTheContainer)
{
    TestAmbient host(true);
    host.back = 0x00FF00;
    Form form;
    qxButtons_H *button = form.add({0, 0, 60, 24}, &host);
    button->ReadProperties(PropertyBag());
    button->setButtonStyle(2);
    EXPECT_FALSE(button->outline().contains(QPoint(0, 0)));
    EXPECT_FALSE(button->outline().contains(QPoint(1, 0)));
    EXPECT_TRUE(button->outline().contains(QPoint(1, 1)));
    EXPECT_EQ(pixel(button, 0, 0), rgbOf(0x00FF00));
    button->setButtonStyle(0);
    EXPECT_TRUE(button->outline().contains(QPoint(0, 0)));
}

TEST(ButtonRendering, PicturesAreMaskedAndGreyWhenDisabled)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 60, 30});
    button->setBackColor(0x00FFFF);
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    button->setPicture(picture);
    const QRect where = button->pictureRect();
    ASSERT_EQ(where.size(), QSize(16, 16));
    EXPECT_EQ(pixel(button, where.x() + 1, where.y() + 1), rgbOf(0x00FFFF)); // background is transparent
    EXPECT_EQ(pixel(button, where.x() + 8, where.y() + 8), 0u);
    button->setEnabled(false);
    EXPECT_EQ(pixel(button, where.x() + 8, where.y() + 8), 0x808080u);
    EXPECT_EQ(pixel(button, where.x() + 1, where.y() + 1), rgbOf(0x00FFFF));
}

TEST(ButtonRendering, CustomShapeWithValueTrueDrawsNoPicture)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 40, 40});
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 5; y < 35; ++y)
        for (int x = 5; x < 35; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    button->setPicture(picture);
    button->setButtonShape(7);
    button->setMode(1);
    auto redPixels = [&] {
        int count = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                count += pixel(button, x, y) == 0xFF0000u;
        return count;
    };
    EXPECT_GT(redPixels(), 500);
    button->setValue(true);
    EXPECT_EQ(redPixels(), 0);
}

TEST(ButtonRendering, CaptionStylesAndFocusMarkDrawSomething)
{
    Form form;
    qxButtons_H *plain = form.add({0, 0, 100, 30});
    plain->setCaption(QStringLiteral("Save"));
    plain->setForeColor(0);
    qxButtons_H *embossed = form.add({0, 40, 100, 30});
    embossed->setCaption(QStringLiteral("Save"));
    embossed->setForeColor(0);
    embossed->setCaptionStyle(1);
    EXPECT_NE(plain->surface(), embossed->surface());
    EXPECT_EQ(embossed->captionRect().size(), plain->captionRect().size() + QSize(2, 2));

    TestAmbient host(true);
    host.asDefault = true;
    plain->setAmbient(&host);
    const QImage before = plain->surface();
    plain->AmbientChanged(QStringLiteral("DisplayAsDefault"));
    EXPECT_NE(plain->surface(), before);
    plain->setAmbient(nullptr);
}

namespace {
// The bounding box of the pixels of exactly one colour.
QRect pixelsOf(const qxButtons_H *button, QRgb color)
{
    QRect box;
    const QImage &image = button->surface();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

TEST(ButtonRendering, EmbossedCaptionsShadowUpLeftAndLightDownRight)
{
    QCursor::setPos(2000, 2000); // away from the buttons: no hover colours
    Form form;
    QFont sharp(QStringLiteral("DejaVu Sans"));
    sharp.setPointSize(12);
    sharp.setStyleStrategy(QFont::NoAntialias); // whole pixels only, so colours can be found exactly
    for (int style : {1, 2}) {
        qxButtons_H *button = form.add({0, 0, 120, 40});
        button->setFont(sharp);
        button->setButtonStyle(4);
        button->setBackColor(0x808080);
        button->setForeColor(0x0000FF);
        button->setCaption(QStringLiteral("HELLO"));
        button->setCaptionStyle(style);
        const OleColor face = button->derivedColors()[0];
        const QRgb darker = rgbOf(qxButtons_H::ShiftColor(face, -40));
        const QRgb lighter = rgbOf(qxButtons_H::ShiftColor(face, 40));
        const QRect main = pixelsOf(button, rgbOf(0x0000FF));
        ASSERT_FALSE(main.isEmpty());
        // First copy at (-1, 0), second at (+1, +2), the caption itself at (0, +1).
        const QRect first = pixelsOf(button, style == 1 ? darker : lighter);
        const QRect second = pixelsOf(button, style == 1 ? lighter : darker);
        EXPECT_EQ(first.topLeft(), main.topLeft() - QPoint(1, 1)) << "caption style " << style;
        EXPECT_EQ(second.bottomRight(), main.bottomRight() + QPoint(1, 1)) << "caption style " << style;
        delete button;
    }
}

TEST(ButtonRendering, FocusMarkDotsAroundTheCaptionAndFollowsThePress)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 120, 40});
    button->setButtonStyle(2);
    button->setCaption(QStringLiteral("Save"));
    TestAmbient host(true);
    button->setAmbient(&host);
    for (bool pressed : {false, true}) {
        button->setMode(pressed ? 1 : 0);
        button->setValue(pressed);
        host.asDefault = false;
        button->AmbientChanged(QStringLiteral("DisplayAsDefault"));
        const QImage plain = button->surface().copy();
        host.asDefault = true;
        button->AmbientChanged(QStringLiteral("DisplayAsDefault"));
        const QImage marked = button->surface();
        // The dotted rectangle: the caption box widened by 2 and 1 pixels, every other pixel.
        const QRect mark =
            button->captionRect().adjusted(-2, -1, 2, 1).translated(pressed ? 1 : 0, pressed ? 1 : 0);
        ASSERT_TRUE(button->rect().adjusted(3, 3, -3, -3).contains(mark));
        int wrong = 0, dots = 0;
        for (int y = 3; y < marked.height() - 3; ++y)
            for (int x = 3; x < marked.width() - 3; ++x) {
                const bool onEdge =
                    ((x == mark.left() || x == mark.right()) && y >= mark.top() && y <= mark.bottom()) ||
                    ((y == mark.top() || y == mark.bottom()) && x >= mark.left() && x <= mark.right());
                const bool expected = onEdge && (x + y) % 2 == 0;
                const bool differs = plain.pixel(x, y) != marked.pixel(x, y);
                wrong += expected != differs;
                dots += differs;
            }
        EXPECT_EQ(wrong, 0) << "pressed " << pressed;
        EXPECT_GT(dots, 20);
    }
    button->setAmbient(nullptr);
}

TEST(ButtonRendering, FlatAndClassicEdgesTurnRoundWhenPressed)
{
    Form form;
    qxButtons_H *button = form.add({20, 20, 80, 30});
    button->setShowFocusRect(false);
    button->setButtonStyle(4);
    form.show();
    EXPECT_EQ(pixel(button, 40, 0), 0xFFFFFFu);  // top edge white
    EXPECT_EQ(pixel(button, 79, 15), 0x808080u); // right edge grey
    hover(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_EQ(pixel(button, 40, 0), 0x808080u);
    EXPECT_EQ(pixel(button, 79, 15), 0xFFFFFFu);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 15));

    button->setButtonStyle(1);
    EXPECT_EQ(pixel(button, 40, 0), 0u); // black outer line
    EXPECT_FALSE(button->outline().contains(QPoint(0, 0)));
}

TEST(ButtonRendering, Style7SetsItsCornerPixels)
{
    Form form;
    qxButtons_H *button = form.add({0, 0, 60, 24});
    button->setButtonStyle(7);
    const OleColor face = button->derivedColors()[0];
    EXPECT_EQ(face, qxButtons_H::ShiftColor(TranslateColor(SystemColors::ButtonFace), 31));
    EXPECT_EQ(pixel(button, 1, 1), 0u);
    EXPECT_EQ(pixel(button, 58, 22), 0u);
    EXPECT_EQ(pixel(button, 3, 3), 0xFFFFFFu);
    EXPECT_EQ(pixel(button, 2, 2), rgbOf(qxButtons_H::ShiftColor(face, 31, true)));
    EXPECT_EQ(pixel(button, 57, 21), rgbOf(qxButtons_H::ShiftColor(face, -64, true)));
}

TEST(ButtonRendering, FocusGivesTheDefaultFrameAtRunTime)
{
    Form form;
    qxButtons_H *first = form.add({0, 0, 80, 30});
    qxButtons_H *second = form.add({0, 40, 80, 30});
    form.show();
    first->setFocus();
    EXPECT_TRUE(first->stateFlags() & qxButtons_H::DefaultFrame);
    EXPECT_EQ(pixel(first, 40, 0), 0u); // style 0 default: black outer line all round
    second->setFocus();
    EXPECT_FALSE(first->stateFlags() & qxButtons_H::DefaultFrame);
    EXPECT_EQ(pixel(first, 40, 0), 0xFFFFFFu);
}

TEST(ButtonRendering, BlackEllipseFrameWhileHovered)
{
    Form form;
    qxButtons_H *button = form.add({20, 20, 60, 40});
    button->setButtonShape(6);
    form.show();
    QApplication::processEvents();
    hover(button);
    EXPECT_EQ(pixel(button, 30, 0), 0u);
    EXPECT_EQ(pixel(button, 0, 0), form.window.palette().color(QPalette::Window).rgb() & 0xFFFFFF); // outside
}
