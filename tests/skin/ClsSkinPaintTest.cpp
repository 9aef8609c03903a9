#include "SkinTestSupport.h"

#include <QLabel>

namespace {

class ClsSkinPaint : public SkinnedWindowTest
{
protected:
    // True when every pixel of the window is the background tile repeated from (0, 0).
    bool onlyTiles()
    {
        const QImage tile =
            SkinSet::bitmap(QStringLiteral("BACKGROUND")).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < window->height(); ++y)
            for (int x = 0; x < window->width(); ++x)
                if (at(x, y) != tile.pixel(x % 128, y % 128)) {
                    ADD_FAILURE() << "first difference at " << x << "," << y;
                    return false;
                }
        return true;
    }
};

TEST_F(ClsSkinPaint, TilesReachTheRightAndBottomEdges)
{
    // 300 = 2 * 128 + 44: the tiles start at 0, 128 and 256, the last cut by the edge
    makeWindow(300, 260, 1);
    showWindow();
    EXPECT_TRUE(onlyTiles());
}

TEST_F(ClsSkinPaint, ExactMultiplesOfTheTileStillCoverTheWindow)
{
    makeWindow(256, 384, 1);
    showWindow();
    EXPECT_TRUE(onlyTiles());
    EXPECT_EQ(SkinGeometry::tileSteps(256, 128), 2); // 0..2 inclusive: one column beyond the edge
    EXPECT_EQ(SkinGeometry::tileSteps(255, 128), 1);
}

TEST_F(ClsSkinPaint, BorderedWindowShowsOnlyTilesEvenWithTheFrameLoaded)
{
    makeWindow(400, 300, 2);
    showWindow();
    EXPECT_TRUE(onlyTiles());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ClsSkinPaint, BorderedWindowWithoutBackgroundDrawsNothingAndReportsNothing)
{
    makeWindow(200, 100, 1, false);
    window->surface().fill(Qt::magenta);
    showWindow();
    EXPECT_EQ(at(10, 10), QColor(Qt::magenta).rgb());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ClsSkinPaint, BackgroundOnlySkinTilesABorderedWindow)
{
    makeWindow(300, 200, 1, false);
    skin.SetFrmBackPict();
    showWindow();
    EXPECT_TRUE(onlyTiles());
    EXPECT_EQ(skin.holder(ClsSkin::TopLeft).hDC(), 0u);
}

TEST_F(ClsSkinPaint, BorderlessWindowGetsTheFrameOverTheTiles)
{
    makeWindow(500, 400);
    showWindow();
    const int r = 500, b = 400;
    EXPECT_EQ(at(100, 20), pieceAt("TOPLEFT", 100, 20));
    EXPECT_EQ(at(r - 1, 50), pieceAt("TOPRIGHT", 39, 50));
    EXPECT_EQ(at(5, b - 1), pieceAt("BOTTOMLEFT", 5, 26));
    EXPECT_EQ(at(r - 52, b - 30), pieceAt("BOTTOMRIGHT", 0, 0));
    // edges stretched along the window: every column of the top edge shows the piece's column
    EXPECT_EQ(at(300, 10), pieceAt("TOPFORM", 0, 10));
    EXPECT_EQ(at(300, b - 2), pieceAt("BOTTOMFORM", 30, 17));
    EXPECT_EQ(at(5, 200), pieceAt("LEFTFORM", 5, 0));
    EXPECT_EQ(at(r - 30, 200), pieceAt("RIGHTFORM", 0, 20));
    // the interior is background
    EXPECT_EQ(at(250, 200), pieceAt("BACKGROUND", 250 % 128, 200 % 128));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ClsSkinPaint, NarrowWindowHasTheRightHandCornersOnTop)
{
    makeWindow(60, 120); // narrower than TOPLEFT alone
    showWindow();
    // TOPRIGHT is at x 20..59, drawn after TOPLEFT
    EXPECT_EQ(at(25, 10), pieceAt("TOPRIGHT", 5, 10));
    EXPECT_EQ(at(10, 10), pieceAt("TOPLEFT", 10, 10));
    // BOTTOMRIGHT at x 8..59 covers BOTTOMLEFT at x 0..40
    EXPECT_EQ(at(20, 119), pieceAt("BOTTOMRIGHT", 12, 29));
    EXPECT_EQ(at(3, 110), pieceAt("BOTTOMLEFT", 3, 17));
}

TEST_F(ClsSkinPaint, AfterASizeChangeTheFrameIsAtTheNewEdges)
{
    makeWindow(300, 200);
    showWindow();
    window->resize(420, 330);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->surface().size(), QSize(420, 330));
    EXPECT_EQ(at(419, 329), pieceAt("BOTTOMRIGHT", 51, 29));
    EXPECT_EQ(at(419 - 39, 0), pieceAt("TOPRIGHT", 0, 0));
    EXPECT_EQ(at(2, 329), pieceAt("BOTTOMLEFT", 2, 26));
    // where the old bottom edge was, there is now background
    EXPECT_EQ(at(250, 195), pieceAt("BACKGROUND", 250 % 128, 195 % 128));
}

TEST_F(ClsSkinPaint, UnskinnedBorderlessWindowReportsDivisionByZeroFromTileBlt)
{
    makeWindow(200, 100, 0, false);
    showWindow();
    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("ERROR - 11 - TileBlt - ClsSkin"));
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("ERROR  11 - ")));
    ASSERT_FALSE(log.entries.isEmpty());
    EXPECT_EQ(log.entries[0].type, 1);
    EXPECT_TRUE(log.entries[0].text.startsWith(QStringLiteral("ERROR - 11 - TileBlt - ClsSkin: ")));
}

TEST_F(ClsSkinPaint, FrameStepsComeInTheirOrder)
{
    const QSize sizes[8] = {{58, 41}, {61, 19}, {30, 55}, {19, 49}, {227, 44}, {40, 56}, {41, 27}, {52, 30}};
    const auto steps = SkinGeometry::frameSteps(800, 572, sizes);
    ASSERT_EQ(steps.size(), 8);
    const QRect expected[8] = {{0, 0, 800, 41}, {0, 553, 800, 19}, {770, 0, 30, 572}, {0, 0, 19, 572},
                               {0, 0, 227, 44}, {760, 0, 40, 56},  {0, 545, 41, 27},  {748, 542, 52, 30}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(steps[i].piece, SkinGeometry::FramePiece(i));
        EXPECT_EQ(steps[i].target, expected[i]) << i;
        EXPECT_EQ(steps[i].stretched, i < 4) << i;
    }
}

TEST_F(ClsSkinPaint, LoadingShowsTheCaptionInSkinYellowAndBackgroundOnlyHidesIt)
{
    makeWindow(400, 300, 0, false);
    auto *caption = new QLabel(window.get());
    caption->setProperty("Tag", QStringLiteral("LblCaption"));
    caption->hide();
    skin.SetFrmPict();
    EXPECT_FALSE(caption->isHidden());
    EXPECT_EQ(caption->text(), QStringLiteral("Vocalino 5.0"));
    EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    for (int piece = 0; piece < ClsSkin::PieceCount; ++piece)
        EXPECT_NE(skin.holder(ClsSkin::Piece(piece)).hDC(), 0u) << piece;
    skin.SetFrmBackPict();
    EXPECT_TRUE(caption->isHidden());
}

} // namespace
