#include "skin/ClsPictureDC.h"
#include "platform/ProgramFolder.h"
#include "skin/PictureBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage solid(int w, int h, QColor colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image.convertToFormat(format);
}

TEST(ClsPictureDC, NewHolderIsEmpty)
{
    ClsPictureDC dc;
    EXPECT_EQ(dc.hDC(), 0u);
    EXPECT_EQ(dc.Width(), 0);
    EXPECT_EQ(dc.Height(), 0);
    EXPECT_EQ(dc.TransColor(), 0u);
    EXPECT_EQ(dc.BitsPerPixel(), 0);
    EXPECT_EQ(dc.Planes(), 0);
    EXPECT_EQ(dc.WidthBytes(), 0);
}

TEST(ClsPictureDC, EachAssignmentBuildsANewContextAndKeepsTheOldBitmap)
{
    ClsPictureDC dc;
    const QImage first = solid(30, 25, Qt::red, QImage::Format_Indexed8);
    dc.setStdBitmap(first);
    const quint32 firstDC = dc.hDC();
    EXPECT_NE(firstDC, 0u);
    EXPECT_EQ(dc.Width(), 30);
    EXPECT_EQ(dc.Height(), 25);
    EXPECT_EQ(dc.BitsPerPixel(), 8);
    EXPECT_EQ(dc.WidthBytes(), 30);
    EXPECT_EQ(dc.Planes(), 1);

    const QImage second = solid(7, 3, Qt::blue);
    dc.setStdBitmap(second);
    EXPECT_NE(dc.hDC(), firstDC);
    EXPECT_NE(dc.hDC(), 0u);
    EXPECT_EQ(dc.Width(), 7);
    EXPECT_EQ(dc.Height(), 3);
    EXPECT_EQ(dc.BitsPerPixel(), 24);
    EXPECT_EQ(dc.WidthBytes(), 22); // 21 bytes, word aligned
    EXPECT_EQ(dc.image().pixel(0, 0), QColor(Qt::blue).rgb());
    // the first bitmap is not freed
    EXPECT_FALSE(first.isNull());
    EXPECT_EQ(first.pixel(0, 0), QColor(Qt::red).rgb());
}

TEST(ClsPictureDC, StdBitmapLeavesTransColorAlone)
{
    ClsPictureDC dc;
    dc.setTransColor(0x00123456);
    dc.setStdBitmap(solid(4, 4, Qt::green));
    EXPECT_EQ(dc.TransColor(), 0x00123456u);
}

TEST(ClsPictureDC, ScanLinesAreWordAligned)
{
    EXPECT_EQ(ClsPictureDC::scanLineBytes(1, 8), 2);
    EXPECT_EQ(ClsPictureDC::scanLineBytes(227, 24), 682);
    EXPECT_EQ(ClsPictureDC::scanLineBytes(33, 8), 34);
    EXPECT_EQ(ClsPictureDC::scanLineBytes(90, 32), 360);
}

TEST(ClsPictureDC, PictBitmapFlattensTheBoxInMemory)
{
    QTemporaryDir folder;
    setProgramFolder(folder.path());
    PictureBox box;
    QImage picture = solid(90, 13, QColor(255, 0, 255), QImage::Format_Indexed8);
    box.setPicture(picture);
    {
        // drawn persistently on the box after its picture was set
        QPainter painter(&box.Image());
        painter.fillRect(QRect(10, 2, 20, 8), QColor(0, 200, 0));
        painter.fillRect(QRect(0, 0, 1, 1), QColor(1, 2, 3)); // a corner of another colour
    }
    ClsPictureDC dc;
    dc.setStdBitmap(solid(5, 5, Qt::black));
    const quint32 before = dc.hDC();
    dc.setPictBitmap(box);

    EXPECT_EQ(dc.TransColor(), oleRgb(255, 0, 255)); // pixel (1, 1), not the corner
    EXPECT_NE(dc.hDC(), before);
    EXPECT_EQ(dc.Width(), 90);
    EXPECT_EQ(dc.Height(), 13);
    EXPECT_EQ(dc.image().pixel(15, 5), qRgb(0, 200, 0));
    EXPECT_EQ(dc.image().pixel(0, 0), qRgb(1, 2, 3));
    // the box now shows the flattened picture, drawing included
    EXPECT_EQ(box.Picture().pixel(15, 5), qRgb(0, 200, 0));
    EXPECT_EQ(box.Picture().format(), QImage::Format_RGB32);
    // nothing left in (or written to) the program's folder
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    setProgramFolder({});
}

TEST(ClsPictureDC, PictBitmapOfATinyBoxGivesTheInvalidColour)
{
    PictureBox box;
    box.setPicture(solid(1, 1, Qt::white));
    ClsPictureDC dc;
    dc.setPictBitmap(box);
    EXPECT_EQ(dc.TransColor(), InvalidColour);
    EXPECT_EQ(dc.Width(), 1);
}

TEST(ClsPictureDC, DrawingIntoTheContextLeavesTheGivenBitmapIntact)
{
    const QImage piece = solid(8, 8, Qt::white);
    ClsPictureDC dc;
    dc.setStdBitmap(piece);
    dc.image().setPixel(2, 2, qRgb(0, 0, 0));
    EXPECT_EQ(dc.image().pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(piece.pixel(2, 2), qRgb(255, 255, 255));
}

} // namespace

namespace {

TEST(PictureBox, SizesItselfToItsPictureAndItsImageFollowsItsSize)
{
    PictureBox box;
    box.setBackColor(oleRgb(10, 20, 30));
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    box.setPicture(picture);
    EXPECT_EQ(box.size(), QSize(20, 10));
    box.Image().setPixel(3, 3, qRgb(0, 0, 255)); // drawn persistently
    box.resize(40, 30);
    box.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(box.Image().size(), QSize(40, 30));
    EXPECT_EQ(box.Image().pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(box.Point(30, 20), oleRgb(10, 20, 30));
    EXPECT_EQ(box.Point(40, 0), InvalidColour);
    EXPECT_EQ(box.Point(-1, 0), InvalidColour);
}

} // namespace
