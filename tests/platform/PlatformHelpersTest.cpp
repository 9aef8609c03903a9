#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/PropertyBag.h"
#include "platform/SystemColors.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>
#include <limits>

TEST(Twips, RoundsHalfToEvenAndClamps)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(roundHalfEven(1e12), std::numeric_limits<qint32>::max());
    EXPECT_EQ(roundHalfEven(-1e12), std::numeric_limits<qint32>::min());
    EXPECT_EQ(twipsToPixels(1140), 76);
    EXPECT_EQ(twipsToPixels(7.5), 0); // half a pixel rounds to even
    EXPECT_EQ(pixelsToTwips(57), 855);
}

TEST(SystemColors, TranslatesOnlyValuesWithTheTopBit)
{
    EXPECT_EQ(TranslateColor(SystemColors::ButtonFace), oleRgb(212, 208, 200));
    EXPECT_EQ(TranslateColor(SystemColors::ButtonText), 0u);
    EXPECT_EQ(TranslateColor(0x00404040), 0x00404040u);
    EXPECT_EQ(toQColor(oleRgb(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(fromQColor(QColor(255, 0, 0)), 0x000000FFu);
}

TEST(PropertyBag, DefaultsAreNotStoredAndKeysIgnoreCase)
{
    PropertyBag bag;
    bag.WriteProperty("CapAlign", qint16(2), qint32(2));
    EXPECT_FALSE(bag.contains("capalign"));
    bag.WriteProperty("Caption", QString("Speak"), QString());
    bag.WriteProperty("Mode", qint32(0)); // no default: always written
    EXPECT_EQ(bag.ReadProperty("CAPTION").toString(), "Speak");
    EXPECT_EQ(bag.ReadProperty("missing", 7).toInt(), 7);
    ASSERT_EQ(bag.entries().size(), 2u);
    bag.WriteProperty("caption", QString("Stop"), QString());
    ASSERT_EQ(bag.entries().size(), 2u);
    EXPECT_EQ(bag.ReadProperty("Caption").toString(), "Stop");

    PropertyBag other;
    other.WriteProperty("mode", qint16(0));
    other.WriteProperty("CAPTION", QString("Stop"));
    EXPECT_FALSE(bag == other); // order matters
    other.remove("mode");
    other.WriteProperty("Mode", qint32(0));
    EXPECT_TRUE(bag == other);
}

TEST(PropertyBag, PicturesAndFontsCompareByValue)
{
    PropertyBag bag;
    bag.WriteProperty("Image", QVariant::fromValue(PictureRef{}), QVariant::fromValue(PictureRef{}));
    EXPECT_TRUE(bag.isEmpty());
    bag.WriteProperty("Image", QVariant::fromValue(PictureRef{":/pictures/open.bmp"}), QVariant::fromValue(PictureRef{}));
    EXPECT_EQ(bag.ReadProperty("image").value<PictureRef>().source, ":/pictures/open.bmp");
}

TEST(Dialogs, ConvertsTheProgramsFilterForm)
{
    const QStringList filters = Dialogs::toQtFilters(
        "Text Files (*.txt)|*.txt|Rich Text (*.rtf)|*.rtf|Word Document (*.doc)|*.doc|All files (*.*)|*.*");
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters[0], "Text Files (*.txt) (*.txt)");
    EXPECT_EQ(filters[3], "All files (*.*) (*)");
    EXPECT_EQ(Dialogs::toQtFilters("Word Document (*.doc)|*.doc;*.docx")[0],
              "Word Document (*.doc) (*.doc *.docx)");
}

// Every byte of a single-byte code page is one character, even where the page leaves it
// undefined; double-byte pages decode as such; an unknown page reads as Windows-1252.
TEST(CodePage, DecodesEveryByteOfAPageAndFallsBackToWindows1252)
{
    EXPECT_EQ(CodePage::decode("\xcf\xf0\xe8\x98", 1251), QStringLiteral("\u041f\u0440\u0438\u0098"));
    EXPECT_EQ(CodePage::decode("\x82\xa0", 932), QStringLiteral("\u3042"));
    EXPECT_EQ(CodePage::decode("\x80\x81", 4242), QStringLiteral("\u20ac\u0081"));
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    for (int page : {874, 1250, 1251, 1253, 1254, 1255, 1256, 1257, 1258})
        EXPECT_EQ(CodePage::decode(everyByte, page).size(), 256) << page;
}
