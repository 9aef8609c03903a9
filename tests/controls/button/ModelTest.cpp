#include "ButtonTestSupport.h"

#include "platform/FormFile.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ButtonModel, AccessKeyFollowsTheLastSingleAmpersand)
{
    EXPECT_TRUE(qxButtons_H::FindAccessKey(QStringLiteral("Salt && Pepper")).isNull());
    EXPECT_EQ(qxButtons_H::FindAccessKey(QStringLiteral("&Speak")), QLatin1Char('S'));
    EXPECT_EQ(qxButtons_H::FindAccessKey(QStringLiteral("Salt && &Pepper")), QLatin1Char('P'));
    EXPECT_EQ(qxButtons_H::FindAccessKey(QStringLiteral("&&&Open")), QLatin1Char('O'));
    EXPECT_TRUE(qxButtons_H::FindAccessKey(QStringLiteral("Stop&")).isNull());

    qxButtons_H button;
    button.setCaption(QStringLiteral("Rock && Roll"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Rock && Roll"));
    EXPECT_TRUE(button.AccessKey().isNull());
}

TEST(ButtonModel, ValueIsRefusedInCommandModeWithADesignMessageOnly)
{
    ScriptedMessageBoxes boxes;
    TestAmbient design(false);
    qxButtons_H designed(nullptr, &design);
    designed.setValue(true);
    EXPECT_FALSE(designed.Value());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("This property is not applicable for command button modes."));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);

    qxButtons_H running;
    running.setValue(true);
    EXPECT_FALSE(running.Value());
    EXPECT_EQ(boxes.shown.size(), 1); // silent at run time

    running.setMode(1);
    running.setValue(true);
    EXPECT_TRUE(running.Value());
    running.setMode(0); // back to command mode clears it
    EXPECT_FALSE(running.Value());
}

TEST(ButtonModel, PictureSizeMapsToPixelsAndBack)
{
    qxButtons_H button;
    EXPECT_EQ(button.PictureSize(), 0); // never set reads as 16 pixels
    EXPECT_EQ(button.PicturePixels(), 16);
    button.setPictureSize(1);
    EXPECT_EQ(button.PicturePixels(), 24);
    EXPECT_EQ(button.PictureSize(), 1);
    button.setPictureSize(5);
    button.setPictureSize(-1);
    EXPECT_EQ(button.PictureSize(), 1);
}

TEST(ButtonModel, CustomShapesNeedABitmapPicture)
{
    ScriptedMessageBoxes boxes;
    TestAmbient design(false);
    qxButtons_H button(nullptr, &design);
    button.resize(40, 40);
    button.setButtonShape(3);
    button.setButtonShape(7);
    EXPECT_EQ(button.ButtonShape(), 3);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG."));

    QImage bitmap(32, 32, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    button.setPicture(bitmap);
    button.setButtonShape(8);
    EXPECT_EQ(button.ButtonShape(), 8);
    EXPECT_EQ(button.PictureSize(), 4); // custom shapes always fit the picture
    button.setPictureSize(1);
    EXPECT_EQ(button.PictureSize(), 4);
    EXPECT_EQ(boxes.shown.last().text,
              QStringLiteral("The picture size cannot be changed for Shaped buttons"));

    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    button.setPicture(icon, qxButtons_H::Icon);
    EXPECT_EQ(button.ButtonShape(), 0);
    EXPECT_TRUE(
        boxes.shown.last().text.startsWith(QStringLiteral("Icons cannot be used for custom buttons.")));
    EXPECT_TRUE(
        boxes.shown.last().text.endsWith(QStringLiteral("\r\nButton was changed to Rectangular shaped.")));
}

TEST(ButtonModel, CaptionAlignmentFollowsTopAndBottomPictures)
{
    ScriptedMessageBoxes boxes;
    TestAmbient design(false);
    qxButtons_H button(nullptr, &design);
    button.setPictureAlign(4);
    button.setCaptionAlign(0);
    EXPECT_EQ(button.CaptionAlign(), 0); // no picture yet: accepted
    EXPECT_TRUE(boxes.shown.isEmpty());

    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    button.setPicture(picture);
    button.setPictureAlign(5);
    EXPECT_EQ(button.CaptionAlign(), 2);
    button.setCaptionAlign(0);
    EXPECT_EQ(button.CaptionAlign(), 2);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("When button images are aligned top/bottom center, \r\n"
                                                  "button captions can only be center aligned"));
}

TEST(ButtonModel, HoverColoursFollowUntilSetApart)
{
    qxButtons_H button;
    ASSERT_EQ(button.HoverColorLocks(), 0);
    button.setForeColor(0x0000FF);
    EXPECT_EQ(button.HoverForeColor(), 0x0000FFu);
    button.setHoverForeColor(0xFF0000);
    EXPECT_EQ(button.HoverColorLocks(), 2);
    button.setForeColor(0x00FF00);
    EXPECT_EQ(button.HoverForeColor(), 0xFF0000u);

    button.setBackColor(0x123456);
    EXPECT_EQ(button.HoverBackColor(), 0x123456u);
    button.setGradientColor(0x654321);
    button.setGradientMode(3);
    EXPECT_EQ(button.HoverBackColor(), 0x654321u);
    // With a gradient set, a new back colour leaves the hover back on the gradient colour.
    button.setBackColor(0x111111);
    EXPECT_EQ(button.HoverBackColor(), 0x654321u);
    button.setHoverBackColor(0x222222);
    EXPECT_EQ(button.HoverColorLocks(), 3);
    button.setHoverColorLocks(0);
    EXPECT_EQ(button.HoverForeColor(), 0x00FF00u);
    EXPECT_EQ(button.HoverBackColor(), 0x654321u);
}

TEST(ButtonModel, ResetDefaultColorsOnlyInDesignMode)
{
    qxButtons_H running;
    running.setBackColor(0x00FF00);
    running.setResetDefaultColors(true);
    EXPECT_EQ(running.BackColor(), 0x00FF00u);
    EXPECT_FALSE(running.ResetDefaultColors());

    TestAmbient design(false);
    qxButtons_H designed(nullptr, &design);
    designed.setBackColor(0x00FF00);
    designed.setGradientMode(2);
    designed.setHoverForeColor(0x0000FF);
    designed.setResetDefaultColors(true);
    EXPECT_EQ(designed.BackColor(), SystemColors::ButtonFace);
    EXPECT_EQ(designed.ForeColor(), SystemColors::ButtonText);
    EXPECT_EQ(designed.GradientMode(), 0);
    EXPECT_EQ(designed.HoverColorLocks(), 0);
    EXPECT_EQ(designed.HoverForeColor(), SystemColors::ButtonText);
}

TEST(ButtonModel, DefaultSettingsSaveOnlyModeValueAndBackColour)
{
    QWidget form;
    qxButtons_H button(&form);
    PropertyBag bag;
    button.WriteProperties(bag);
    QStringList keys;
    for (const auto &entry : bag.entries())
        keys << entry.key;
    EXPECT_EQ(keys, (QStringList{"mode", "value", "cback"}));
}

TEST(ButtonModel, SettingsSurviveASaveAndLoad)
{
    QWidget form;
    qxButtons_H saved(&form);
    saved.resize(120, 30);
    saved.setCaption(QStringLiteral("&Speak"));
    saved.setButtonStyle(2);
    saved.setMode(1);
    saved.setValue(true);
    saved.setBackColor(0x336699);
    saved.setForeColor(0x0000FF);
    saved.setGradientColor(0xFFFFFF);
    saved.setGradientMode(4);
    saved.setCaptionStyle(1);
    saved.setShowFocusRect(false);
    saved.setCustomClick(4);
    QFont font(QStringLiteral("Comic Sans MS"), 12);
    font.setBold(true);
    saved.setFont(font);
    saved.setEnabled(false);
    PropertyBag bag;
    saved.WriteProperties(bag);

    qxButtons_H loaded(&form);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Caption(), saved.Caption());
    EXPECT_EQ(loaded.AccessKey(), QLatin1Char('S'));
    EXPECT_EQ(loaded.ButtonStyle(), 2);
    EXPECT_EQ(loaded.Mode(), 1);
    EXPECT_TRUE(loaded.Value());
    EXPECT_EQ(loaded.BackColor(), 0x336699u);
    EXPECT_EQ(loaded.ForeColor(), 0x0000FFu);
    EXPECT_EQ(loaded.HoverForeColor(), 0x0000FFu);
    EXPECT_EQ(loaded.HoverBackColor(), saved.HoverBackColor());
    EXPECT_EQ(loaded.HoverColorLocks(), saved.HoverColorLocks());
    EXPECT_EQ(loaded.GradientMode(), 4);
    EXPECT_EQ(loaded.CaptionStyle(), 1);
    EXPECT_FALSE(loaded.ShowFocusRect());
    EXPECT_EQ(loaded.CustomClick(), 4);
    EXPECT_EQ(loaded.FontStyle(), 2);
    EXPECT_FALSE(loaded.Enabled());
    PropertyBag again;
    loaded.WriteProperties(again);
    EXPECT_EQ(again, bag);
}

TEST(ButtonModel, LoadingMatchesKeysWithoutCaseAndRefusesNonsense)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("CAPTION"), QStringLiteral("STOP"));
    bag.WriteProperty(QStringLiteral("BackStyle"), QVariant::fromValue(qint16(3)));
    bag.WriteProperty(QStringLiteral("shape"), QVariant::fromValue(qint16(42)));
    bag.WriteProperty(QStringLiteral("ImgSize"), QVariant::fromValue(qint16(17)));
    bag.WriteProperty(QStringLiteral("Mode"), QVariant::fromValue(qint16(0)));
    bag.WriteProperty(QStringLiteral("Value"), true);
    bag.WriteProperty(QStringLiteral("cBack"), QVariant::fromValue(qint32(0x8000000F)));
    qxButtons_H button;
    button.ReadProperties(bag);
    EXPECT_EQ(button.Caption(), QStringLiteral("STOP"));
    EXPECT_EQ(button.ButtonStyle(), 3);
    EXPECT_EQ(button.ButtonShape(), 0);
    EXPECT_EQ(button.PicturePixels(), 16);
    EXPECT_FALSE(button.Value()); // command buttons hold no value
    EXPECT_EQ(button.BackColor(), SystemColors::ButtonFace);
}

TEST(ButtonModel, NewControlTakesItsNameAndMarksTheDefaultFrameInDesignOnly)
{
    ScriptedMessageBoxes boxes;
    TestAmbient design(false);
    qxButtons_H button(nullptr, &design);
    button.InitProperties();
    EXPECT_EQ(button.Caption(), QStringLiteral("qxButtons1"));
    EXPECT_EQ(button.CaptionAlign(), 2);
    EXPECT_TRUE(button.ShowFocusRect());

    design.asDefault = true;
    button.AmbientChanged(QStringLiteral("DisplayAsDefault"));
    EXPECT_TRUE(button.stateFlags() & qxButtons_H::DefaultFrame);
    button.setShowFocusRect(true);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(
        boxes.shown[0].text.startsWith(QStringLiteral("The focus rectangle may appear on default buttons")));

    design.user = true;
    button.setShowFocusRect(true); // at run time the frame goes instead
    EXPECT_FALSE(button.stateFlags() & qxButtons_H::DefaultFrame);
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST(ButtonModel, FormFileBlockRoundTripKeepsColoursAndAMissingPicture)
{
    const FormNode node = FormFile::parse(QStringLiteral("Begin qxButtons_H cmdOpen\n"
                                                         "  BackStyle = int16 2\n"
                                                         "  cBack = colour &H00AAECFF&\n"
                                                         "  cFore = colour &H80000012&\n"
                                                         "  Image = picture \"/nowhere/open.bmp\"\n"
                                                         "  ImgSize = int16 24\n"
                                                         "  ImgAlign = int16 4\n"
                                                         "  Mode = int16 0\n"
                                                         "  Value = bool false\n"
                                                         "End\n"));
    QWidget form;
    qxButtons_H button(&form);
    button.ReadProperties(node.properties);
    EXPECT_EQ(button.BackColor(), 0x00AAECFFu);
    EXPECT_EQ(button.ForeColor(), SystemColors::ButtonText);
    EXPECT_EQ(button.PictureSize(), 1);
    EXPECT_EQ(button.PictureAlign(), 4);
    EXPECT_EQ(button.Picture().source, QStringLiteral("/nowhere/open.bmp")); // kept for saving

    FormNode saved{node.kind, node.name, {}, {}, {}};
    button.WriteProperties(saved.properties);
    const FormNode again = FormFile::parse(FormFile::write(saved));
    EXPECT_EQ(again.properties.ReadProperty(QStringLiteral("cBack")).typeId(), qMetaTypeId<quint32>());
    qxButtons_H reloaded(&form);
    reloaded.ReadProperties(again.properties);
    EXPECT_EQ(reloaded.BackColor(), 0x00AAECFFu);
    EXPECT_EQ(reloaded.PictureSize(), 1);
    EXPECT_EQ(reloaded.Picture().source, QStringLiteral("/nowhere/open.bmp"));
}

TEST(ButtonModel, DesignMessagesForCustomClickAndMouseIcon)
{
    ScriptedMessageBoxes boxes;
    TestAmbient design(false);
    qxButtons_H button(nullptr, &design);
    button.setCustomClick(3);
    EXPECT_EQ(button.CustomClick(), 3); // stored all the same
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("This property has no effect unless the Button Shape is a custom shape."));
    button.setCustomClick(9);
    EXPECT_EQ(button.CustomClick(), 3);

    button.setMouseIcon(PictureRef{QStringLiteral("/nowhere/hand.cur")});
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[1].caption, QStringLiteral("Select .ico Or .cur Files Only"));
    EXPECT_TRUE(button.MouseIcon().isNull());
    EXPECT_EQ(button.MousePointer(), 0);
}

TEST(ButtonModel, LoadingACustomShapeKeepsItWithoutItsPictureAndShowsNothing)
{
    ScriptedMessageBoxes boxes;
    TestAmbient design(false);
    QTemporaryDir folder;
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    const QString iconFile = folder.filePath("star.ico");
    ASSERT_TRUE(icon.save(iconFile, "ICO"));
    for (const QString &source : {folder.filePath("missing.bmp"), iconFile}) {
        PropertyBag bag;
        bag.WriteProperty(QStringLiteral("Shape"), QVariant::fromValue(qint16(7)));
        bag.WriteProperty(QStringLiteral("Image"), QVariant::fromValue(PictureRef{source}));
        qxButtons_H button(nullptr, &design);
        button.resize(40, 40);
        button.ReadProperties(bag);
        EXPECT_EQ(button.ButtonShape(), 7) << source.toStdString();
        EXPECT_EQ(button.Picture().source, source);
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(ButtonModel, LoadingADisabledStyleThreeButtonDrawsOnceAtTheEnd)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("BackStyle"), QVariant::fromValue(qint16(3)));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("&Stop"));
    bag.WriteProperty(QStringLiteral("Enabled"), false);
    Form form;
    qxButtons_H *button = form.add(QRect(10, 10, 90, 30));
    form.show();
    const int before = button->redrawCount();
    button->ReadProperties(bag);
    EXPECT_EQ(button->redrawCount() - before, 1);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->AccessKey().toLower(), QChar(u's'));
}
