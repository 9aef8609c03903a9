#include "skin/SkinSet.h"
#include "platform/AppError.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct Piece
{
    const char *name;
    int width, height, depth;
};

// Every piece the frame and the skinned controls load, at its exact size and depth.
const Piece pieces[] = {
    {"BACKGROUND", 128, 128, 24},  {"TOPLEFT", 227, 44, 24},    {"TOPRIGHT", 40, 56, 24},
    {"BOTTOMLEFT", 41, 27, 24},    {"BOTTOMRIGHT", 52, 30, 24}, {"TOPFORM", 58, 41, 24},
    {"BOTTOMFORM", 61, 19, 24},    {"LEFTFORM", 19, 49, 24},    {"RIGHTFORM", 30, 55, 24},
    {"CLOSEUP", 23, 23, 24},       {"CLOSEDN", 24, 25, 24},     {"RESTOREUP", 24, 23, 24},
    {"RESTOREDN", 24, 23, 24},     {"MINIUP", 24, 23, 24},      {"MINIDN", 24, 23, 24},
    {"BUTTONUP", 93, 19, 24},      {"BUTTONDN", 104, 19, 24},   {"CHECKOFF", 14, 14, 24},
    {"CHECKON", 14, 14, 24},       {"RADIOOFF", 14, 14, 24},    {"RADIOON", 14, 14, 24},
    {"SBACKGROUND", 128, 128, 24}, {"MHSCROLL", 104, 25, 8},    {"HLEFT", 30, 25, 8},
    {"HRIGHT", 30, 25, 8},         {"HLEFTUP", 16, 16, 8},      {"HLEFTDN", 16, 16, 8},
    {"HRIGHTUP", 16, 16, 8},       {"HRIGHTDN", 16, 16, 8},     {"THUMB", 33, 18, 8},
    {"VMIDSCROLL", 25, 104, 8},    {"VSCROLLTOP", 25, 30, 8},   {"VSCROLLBOTTOM", 25, 30, 8},
    {"VUPUP", 16, 16, 8},          {"VUPDN", 16, 16, 8},        {"VDNUP", 16, 16, 8},
    {"VDNDN", 16, 16, 8},          {"VTHUMB", 18, 33, 8},       {"HBPROGMID", 55, 13, 8},
    {"HBPROGLEFT", 14, 13, 8},     {"HBPROGRIGHT", 15, 13, 8},  {"HPROGRESS", 90, 13, 8},
    {"VBPROGMID", 13, 55, 8},      {"VPROGUP", 13, 14, 8},      {"VPROGDN", 13, 15, 8},
    {"VPROGRESS", 13, 90, 8},
};

TEST(SkinSet, EveryPieceHasItsNameSizeAndDepth)
{
    for (const Piece &p : pieces) {
        SCOPED_TRACE(p.name);
        const QImage image = SkinSet::bitmap(QString::fromLatin1(p.name));
        EXPECT_EQ(image.width(), p.width);
        EXPECT_EQ(image.height(), p.height);
        EXPECT_EQ(image.bitPlaneCount(), p.depth);
        EXPECT_EQ(image.format(), p.depth == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
        // The stored bitmap itself, as the header of the resource gives it.
        QFile file(QStringLiteral(":/skin/%1.bmp").arg(QString::fromLatin1(p.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        ASSERT_EQ(header.size(), 30);
        EXPECT_EQ(qFromLittleEndian<qint32>(header.constData() + 18), p.width);
        EXPECT_EQ(qFromLittleEndian<qint32>(header.constData() + 22), p.height);
        EXPECT_EQ(qFromLittleEndian<quint16>(header.constData() + 28), p.depth);
    }
}

TEST(SkinSet, UnknownOrMalformedNamesAreResourceNotFound)
{
    for (const char *name : {"NOSUCHPIECE", "", "../skin/TOPLEFT", "TOPLEFT.bmp", ":/skin/TOPLEFT"}) {
        SCOPED_TRACE(name);
        try {
            SkinSet::bitmap(QString::fromLatin1(name));
            FAIL() << "no error";
        } catch (const AppError &e) {
            EXPECT_EQ(e.number(), 326);
        }
    }
    EXPECT_THROW(SkinSet::picture(QStringLiteral("nobody")), AppError);
}

TEST(SkinSet, NamesAreLookedUpWithoutCase)
{
    EXPECT_EQ(SkinSet::bitmap(QStringLiteral("vthumb")).size(), QSize(18, 33));
}

TEST(SkinSet, PicturesOfTheWindows)
{
    const QImage clown = SkinSet::picture(QStringLiteral("clown"));
    EXPECT_EQ(clown.size(), QSize(212, 200));
    EXPECT_EQ(clown.bitPlaneCount(), 24);
    // the surrounding colour is the corner's and it reaches all four corners
    const QRgb surround = clown.pixel(0, 0);
    EXPECT_EQ(surround & 0xFFFFFF, 0xFFE499u);
    EXPECT_EQ(clown.pixel(211, 0), surround);
    // the face behind the mouth box is drawn, not see-through
    for (int y = 120; y < 161; y += 8)
        for (int x = 76; x < 133; x += 8)
            EXPECT_NE(clown.pixel(x, y), surround) << x << "," << y;
    for (const char *name : {"start1", "start2", "about"})
        EXPECT_FALSE(SkinSet::picture(QString::fromLatin1(name)).isNull()) << name;
    for (const char *name : {"open", "copy", "paste", "selectall", "forecolor", "backcolor", "character"}) {
        SCOPED_TRACE(name);
        const QImage icon = SkinSet::picture(QString::fromLatin1(name));
        EXPECT_LE(icon.width(), 30);
        EXPECT_EQ(icon.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu); // the see-through colour is the corner's
        EXPECT_NE(icon.pixel(icon.width() / 2, icon.height() / 2), icon.pixel(0, 0));
    }
}

TEST(SkinSet, BarPicturesAreSeeThroughAtPixelOneOne)
{
    for (const char *name : {"HPROGRESS", "VPROGRESS"}) {
        const QImage bar = SkinSet::bitmap(QString::fromLatin1(name));
        const QRgb key = bar.pixel(1, 1);
        EXPECT_EQ(key & 0xFFFFFF, 0xFF00FFu) << name;
        EXPECT_NE(bar.pixel(bar.width() / 2, bar.height() / 2), key) << name;
    }
}

TEST(SkinSet, SkinColoursReadBackFromTheirText)
{
    EXPECT_EQ(SkinSet::text(101), QStringLiteral("&H0000FFFF&"));
    EXPECT_EQ(SkinSet::text(102), QStringLiteral("&H00C0FFFF&"));
    EXPECT_EQ(SkinSet::text(103), QStringLiteral("&H00404040&"));
    EXPECT_EQ(SkinSet::colour(101), oleRgb(255, 255, 0));
    EXPECT_EQ(SkinSet::colour(102), oleRgb(255, 255, 192));
    EXPECT_EQ(SkinSet::colour(103), oleRgb(64, 64, 64));
    EXPECT_THROW(SkinSet::colour(104), AppError);
}

TEST(SkinSet, HexLiterals)
{
    EXPECT_EQ(hexLiteralValue(QStringLiteral("&HFFFFFFFF&")), 0xFFFFFFFFu);
    EXPECT_EQ(hexLiteralValue(QStringLiteral("&hff")), 0xFFu);
    EXPECT_EQ(hexLiteralValue(QStringLiteral("255")), 255u);
    for (const char *bad : {"", "&H&", "&H123456789&", "&HXYZ&", "0x10", "&H10&&", "99999999999"})
        EXPECT_THROW(hexLiteralValue(QString::fromLatin1(bad)), AppError) << bad;
}

} // namespace
