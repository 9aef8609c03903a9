#include "platform/FormFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FormNode sampleForm()
{
    FormNode form{"Form", "Main", QRect(0, 0, 9600, 7200), {}, {}};
    form.properties.WriteProperty("Caption", QStringLiteral("Vocalino \"5.0\"\\\n\ttab\x01"));
    form.properties.WriteProperty("BackColor", QVariant::fromValue(quint32(0x8000000F)));

    FormNode button{"UcCmd", "cmdExit", QRect(7800, -30, 1395, 285), {}, {}};
    button.properties.WriteProperty("BorderStyle", QVariant::fromValue(qint16(-1)));
    button.properties.WriteProperty("Style", QVariant::fromValue(qint32(-2147483647 - 1)));
    button.properties.WriteProperty("ScaleFactor", 0.1 + 0.2);
    button.properties.WriteProperty("Value", true);
    button.properties.WriteProperty("Enabled", false);
    QFont font("Comic Sans MS");
    font.setPointSizeF(9.75);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    button.properties.WriteProperty("Font", font);
    button.properties.WriteProperty("Picture", QVariant::fromValue(PictureRef{":/skin/SBACKGROUND.bmp"}));
    button.properties.WriteProperty("Empty", QVariant::fromValue(PictureRef{}));

    FormNode frame{"Frame", "fraInner", QRect(10, 20, 30, 40), {}, {}};
    QFont light("Verdana");
    light.setPointSizeF(12);
    light.setWeight(QFont::Light);
    frame.properties.WriteProperty("Font", light);
    frame.children.push_back(FormNode{"Timer", "tmrLevel", {}, {}, {}});
    form.children.push_back(button);
    form.children.push_back(frame);
    return form;
}

int errorLine(const QString &text)
{
    try {
        FormFile::parse(text);
    } catch (const FormFileError &error) {
        EXPECT_EQ(error.number(), FormFileError::InvalidFileFormat);
        EXPECT_TRUE(error.description().contains(QStringLiteral("line %1").arg(error.line())));
        return error.line();
    }
    return 0;
}

} // namespace

TEST(FormFile, EveryTypeSurvivesWritingAndReadingBack)
{
    const FormNode form = sampleForm();
    const QString text = FormFile::write(form);
    const FormNode back = FormFile::parse(text);
    EXPECT_EQ(back, form);
    EXPECT_EQ(FormFile::write(back), text);

    const FormNode &button = back.children.at(0);
    EXPECT_EQ(button.properties.ReadProperty("style").typeId(), QMetaType::Int);
    EXPECT_EQ(button.properties.ReadProperty("BorderStyle").typeId(), QMetaType::Short);
    EXPECT_EQ(button.properties.ReadProperty("ScaleFactor").toDouble(), 0.1 + 0.2); // exact, not 0.3
    EXPECT_EQ(back.properties.ReadProperty("BackColor").typeId(), QMetaType::UInt);
    EXPECT_EQ(back.children.at(1).children.at(0).name, "tmrLevel");
    EXPECT_EQ(back.child("CMDEXIT"), &back.children.at(0));
    EXPECT_EQ(back.child("nothing"), nullptr);
}

TEST(FormFile, WritesAReadableText)
{
    FormNode form{"Form", "Main", QRect(1, 2, 3, 4), {}, {}};
    form.properties.WriteProperty("ForeColor", QVariant::fromValue(quint32(0x0000FFFF)));
    form.properties.WriteProperty("Interval", QVariant::fromValue(qint32(1)));
    form.children.push_back(FormNode{"Label", "lblStatus", {}, {}, {}});
    EXPECT_EQ(FormFile::write(form), "Begin Form Main\n"
                                     "  Place = 1 2 3 4\n"
                                     "  ForeColor = colour &H0000FFFF&\n"
                                     "  Interval = int32 1\n"
                                     "  Begin Label lblStatus\n"
                                     "  End\n"
                                     "End\n");
}

TEST(FormFile, ReadsCommentsBlankLinesCrLfAndColourSpellings)
{
    const FormNode form = FormFile::parse("# design\r\n\r\nBegin Form Main\r\n  # inside\r\n"
                                          "  A = colour 0x00C0FFFF\r\n  B = colour &h00404040&\r\n"
                                          "  C = string \"\\x41\\\"b\"\r\nEnd\r\n\r\n# trailing comment\r\n");
    EXPECT_EQ(form.properties.ReadProperty("a").toUInt(), 0x00C0FFFFu);
    EXPECT_EQ(form.properties.ReadProperty("b").toUInt(), 0x00404040u);
    EXPECT_EQ(form.properties.ReadProperty("c").toString(), "A\"b");
    EXPECT_EQ(form.place, QRect());
}

TEST(FormFile, MalformedInputNamesItsLine)
{
    EXPECT_EQ(errorLine(""), 1); // no form at all
    EXPECT_EQ(errorLine("# only\n\n"), 3);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = int16 32768\nEnd\n"), 2); // out of range
    EXPECT_EQ(errorLine("Begin Form Main\n  A = int32 2147483648\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = int16 1.5\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n\n  A = double nan\nEnd\n"), 3);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = bool yes\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = string \"open\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = string \"bad \\q\"\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = string \"\\x4\"\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = string \"x\" extra\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = colour red\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = font \"Arial\" 0\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = font \"Arial\" 9 heavy\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = widget 3\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A int32 3\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  A = int32 1\n  a = int32 2\nEnd\n"), 3); // keys ignore case
    EXPECT_EQ(errorLine("Begin Form Main\n  Place = 1 2 3\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  Place = 1 2 -3 4\nEnd\n"), 2);
    EXPECT_EQ(errorLine("Begin Form Main\n  Place = 0 0 1 1\n  Place = 0 0 1 1\nEnd\n"), 3);
    EXPECT_EQ(errorLine("Begin Form\nEnd\n"), 1);
    EXPECT_EQ(errorLine("Begin Form 9lives\nEnd\n"), 1);
    EXPECT_EQ(errorLine("A = int32 1\n"), 1);
    EXPECT_EQ(errorLine("End\n"), 1);
    EXPECT_EQ(errorLine("Begin Form Main\nEnd\nBegin Form Other\nEnd\n"), 3);
    EXPECT_EQ(errorLine("Begin Form Main\n  Begin Label lbl\nEnd\n"), 4); // the last line read
}

TEST(FormFile, HostileInputIsBounded)
{
    QString deep;
    for (int i = 0; i <= FormFile::MaxDepth; ++i)
        deep += QStringLiteral("Begin K n%1\n").arg(i);
    EXPECT_EQ(errorLine(deep), FormFile::MaxDepth + 1);

    const QString longLine =
        "Begin Form Main\n  A = string \"" + QString(FormFile::MaxLineLength, u'x') + "\"\nEnd\n";
    EXPECT_EQ(errorLine(longLine), 2);
    EXPECT_EQ(errorLine(QString(FormFile::MaxBytes + 1, u'\n')), 1);
}

TEST(FormFile, RefusesToWriteWhatItCannotReadBack)
{
    FormNode form{"Form", "Main", {}, {}, {}};
    form.properties.WriteProperty("Big", QVariant::fromValue(qint64(1) << 40));
    EXPECT_THROW(FormFile::write(form), AppError);

    FormNode badName{"Form", "two words", {}, {}, {}};
    EXPECT_THROW(FormFile::write(badName), AppError);
}

TEST(FormFile, SavesAndLoadsFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Main.form");
    FormFile::save(path, sampleForm());
    EXPECT_EQ(FormFile::load(path), sampleForm());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Main.form"}); // no temporary left

    try {
        FormFile::load(dir.filePath("missing.form"));
        FAIL();
    } catch (const AppError &error) {
        EXPECT_EQ(error.number(), AppError::FileNotFound);
    }
    EXPECT_THROW(FormFile::save(dir.filePath("no/such/folder/x.form"), sampleForm()), AppError);
}
