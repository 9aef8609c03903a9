#include "controls/UcCmd.h"
#include "platform/AppError.h"
#include "platform/Twips.h"
#include "skin/SkinSet.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace ControlInput;

namespace {

const OleColor Yellow = 0x0000FFFF;
const OleColor LightYellow = 0x00C0FFFF;
const OleColor DarkGrey = 0x00404040;

class UcCmdTest : public ::testing::Test
{
protected:
    UcCmdTest()
    {
        window.resize(600, 400); // 9000 twips wide
        window.show();
    }

    UcCmd *make(int style, const QString &caption = {})
    {
        auto *cmd = new UcCmd(&window);
        cmd->setStyle(style);
        if (!caption.isEmpty())
            cmd->setCaption(caption);
        cmd->show();
        return cmd;
    }

    static QPoint middleOf(const UcCmd *cmd) { return cmd->pictureBox().center(); }

    static QImage stretched(const QString &piece, QSize size)
    {
        return SkinSet::bitmap(piece)
            .convertToFormat(QImage::Format_RGB32)
            .scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    QWidget window;
};

} // namespace

TEST_F(UcCmdTest, WithoutAnUpPictureMeasures600By300TimesItsScale)
{
    UcCmd *cmd = make(0, "Go");
    EXPECT_EQ(cmd->sizeTwips(), QSize(600, 300));
    cmd->setScaleFactor(2);
    EXPECT_EQ(cmd->sizeTwips(), QSize(1200, 600));
    const QRect caption = cmd->captionBox();
    EXPECT_NEAR(caption.center().x(), 40, 1);
    EXPECT_NEAR(caption.center().y(), 20, 1);
    EXPECT_TRUE(cmd->isCaptionShown());
    EXPECT_EQ(cmd->Tag(), "");
}

TEST_F(UcCmdTest, PushButtonAtScaleTwoStretchesBothPictures)
{
    UcCmd *cmd = make(4, "Exit");
    EXPECT_EQ(cmd->Tag(), "BOUTON");
    EXPECT_EQ(cmd->sizeTwips(), QSize(1395, 285));
    cmd->setScaleFactor(2);
    EXPECT_EQ(cmd->sizeTwips(), QSize(2790, 570));
    EXPECT_EQ(cmd->pictureBox(), QRect(0, 0, 186, 38));
    EXPECT_EQ(cmd->surface().pixel(3, 30), stretched("BUTTONUP", QSize(186, 38)).pixel(3, 30));

    press(cmd, QPoint(3, 30));
    EXPECT_TRUE(cmd->isDownShown());
    EXPECT_FALSE(cmd->isUpShown());
    EXPECT_EQ(cmd->surface().pixel(3, 30),
              stretched("BUTTONDN", QSize(186, 38)).pixel(3, 30)); // 104 wide, squeezed
    release(cmd, QPoint(3, 30));
}

TEST_F(UcCmdTest, BoxesKeepTheirScaleAtThree)
{
    UcCmd *box = make(5);
    box->setScaleFactor(5);
    EXPECT_EQ(box->ScaleFactor(), 3);
    UcCmd *push = make(4);
    push->setScaleFactor(5);
    EXPECT_EQ(push->ScaleFactor(), 5);
}

TEST_F(UcCmdTest, CheckBoxCarriesItsCaptionBeside)
{
    UcCmd *box = make(5, "Loud");
    EXPECT_EQ(box->Tag(), "CHECKBUTTON");
    const QRect caption = box->captionBox();
    const int captionTwips = pixelsToTwips(caption.width());
    EXPECT_EQ(box->width(), twipsToPixels(210 + 20 + captionTwips));
    EXPECT_EQ(caption.left(), twipsToPixels(230));
    EXPECT_EQ(box->pictureBox(), QRect(0, 0, 14, 14));
    // The skin's background sits behind a box, beside its picture.
    EXPECT_EQ(box->surface().pixel(14, 0),
              SkinSet::bitmap("SBACKGROUND").convertToFormat(QImage::Format_RGB32).pixel(14, 0));
}

TEST_F(UcCmdTest, CaptionColoursFollowEnabledPressAndRelease)
{
    UcCmd *cmd = make(0, "Help");
    cmd->setEnabled(true);
    EXPECT_EQ(cmd->captionColour(), Yellow);
    cmd->setEnabled(false);
    EXPECT_EQ(cmd->captionColour(), SystemColors::byIndex(19));
    cmd->QWidget::setEnabled(true); // as the skinned frame enables its buttons
    EXPECT_EQ(cmd->captionColour(), Yellow);
    window.setEnabled(false); // a disabled window leaves the control's own state alone
    EXPECT_TRUE(cmd->Enabled());
    window.setEnabled(true);
    cmd->setEnabled(false);

    PropertyBag bag;
    cmd->WriteProperties(bag);
    bag.remove("Enabled");
    UcCmd loaded(&window);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.captionColour(), LightYellow);
    const QPoint at = middleOf(&loaded);
    press(&loaded, at);
    EXPECT_EQ(loaded.captionColour(), DarkGrey);
    release(&loaded, at);
    EXPECT_EQ(loaded.captionColour(), LightYellow);
}

TEST_F(UcCmdTest, OneClickPerReleaseForPushStylesOnly)
{
    UcCmd *push = make(4, "About");
    QSignalSpy clicks(push, &UcCmd::Click);
    click(push, middleOf(push));
    EXPECT_EQ(clicks.count(), 1);
    click(push, push->captionBox().center()); // the caption presses the button too
    EXPECT_EQ(clicks.count(), 2);
    press(push, middleOf(push));
    release(push, QPoint(-50, -50)); // released anywhere: no position test
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_TRUE(push->isUpShown());

    UcCmd *check = make(5, "Check");
    UcCmd *option = make(6, "Option");
    QSignalSpy checkClicks(check, &UcCmd::Click);
    QSignalSpy optionClicks(option, &UcCmd::Click);
    click(check, middleOf(check));
    click(option, middleOf(option));
    click(check, check->captionBox().center());
    EXPECT_EQ(checkClicks.count() + optionClicks.count(), 0);
}

TEST_F(UcCmdTest, CheckBoxTogglesAndItsCaptionDoesNothing)
{
    UcCmd *box = make(5, "Loud");
    click(box, middleOf(box));
    EXPECT_TRUE(box->Value());
    EXPECT_TRUE(box->isDownShown());
    click(box, box->captionBox().center());
    EXPECT_TRUE(box->Value());
    click(box, middleOf(box));
    EXPECT_FALSE(box->Value());
    EXPECT_TRUE(box->isUpShown());
    EXPECT_EQ(box->captionColour(), LightYellow);
}

TEST_F(UcCmdTest, OptionButtonsClearTheirOwnGroupOnly)
{
    UcCmd *a = make(6, "A");
    UcCmd *b = make(6, "B");
    UcCmd *other = make(6, "Other");
    other->setOptionGroup("opt1"); // groups compare with case
    UcCmd *check = make(5, "Check");
    check->setValue(true);
    EXPECT_EQ(a->OptionGroup(), "OPT1");

    click(a, middleOf(a));
    click(other, middleOf(other));
    EXPECT_TRUE(a->Value());
    click(b, middleOf(b));
    EXPECT_FALSE(a->Value());
    EXPECT_TRUE(a->isUpShown());
    EXPECT_TRUE(b->Value());
    EXPECT_TRUE(other->Value());
    EXPECT_TRUE(check->Value());
    click(b, middleOf(b)); // pressed again it stays selected
    EXPECT_TRUE(b->Value());
    EXPECT_TRUE(b->isDownShown());
}

TEST_F(UcCmdTest, AStoredSelectionSurvivesLoadingInAnyOrder)
{
    UcCmd *first = make(6, "First");
    first->setValue(true);
    PropertyBag selected, unselected;
    first->WriteProperties(selected);
    UcCmd *second = make(6, "Second");
    second->WriteProperties(unselected);
    delete first;
    delete second;

    for (const bool selectedFirst : {true, false}) {
        QWidget form;
        auto *a = new UcCmd(&form);
        auto *b = new UcCmd(&form);
        a->setTag("OPTBUTTON"); // the host carries the tag
        b->setTag("OPTBUTTON");
        (selectedFirst ? a : b)->ReadProperties(selected);
        (selectedFirst ? b : a)->ReadProperties(unselected);
        EXPECT_TRUE((selectedFirst ? a : b)->Value()) << selectedFirst;
        EXPECT_TRUE((selectedFirst ? a : b)->isDownShown());
        EXPECT_FALSE((selectedFirst ? b : a)->Value());
    }
}

TEST_F(UcCmdTest, CaptionButtonsSitAtTheTopRight)
{
    UcCmd *close = make(1);
    EXPECT_EQ(close->Tag(), "TOPCLOSE");
    EXPECT_FALSE(close->isCaptionShown());
    EXPECT_EQ(close->sizeTwips(), QSize(345, 345)); // measured by CLOSEUP, not the bigger CLOSEDN
    EXPECT_EQ(close->pos(), QPoint(twipsToPixels(9000 - 345 - 90), twipsToPixels(55)));
    UcCmd *restore = make(2);
    EXPECT_EQ(restore->Tag(), "RESTORE");
    EXPECT_EQ(restore->x(), twipsToPixels(9000 - 2 * 360 - 90));
    UcCmd *minimise = make(3);
    EXPECT_EQ(minimise->Tag(), "MINIMISE");
    EXPECT_EQ(minimise->x(), twipsToPixels(9000 - 3 * 360 - 90));
}

TEST_F(UcCmdTest, NotYetOnAWindowIsDroppedOtherFailuresAreReported)
{
    UcCmd loose;
    loose.setStyle(1);
    EXPECT_EQ(loose.Tag(), "TOPCLOSE");
    EXPECT_TRUE(boxes.shown.isEmpty());

    QWidget stranger(&window);
    stranger.setProperty("Tag", "OPTBUTTON"); // tagged, but no option group to read
    UcCmd *option = make(6, "O");
    click(option, middleOf(option));
    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_EQ(boxes.shown[0].caption, "ERROR - 438 - ResetParent - UcCmd");
    ASSERT_FALSE(log.entries.isEmpty());

    try {
        option->setPictureUP("NOSUCHPIECE");
        FAIL();
    } catch (const AppError &error) {
        EXPECT_EQ(error.number(), AppError::ResourceNotFound);
    }
}

TEST_F(UcCmdTest, PointerMovesResetTheCursorAndRaiseMouseMove)
{
    UcCmd *cmd = make(4, "Exit");
    window.setCursor(Qt::SizeVerCursor);
    QSignalSpy moves(cmd, &UcCmd::MouseMove);
    move(cmd, QPointF(3, 3), Qt::NoButton);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves[0][0].value<qint16>(), 0);
    EXPECT_FLOAT_EQ(moves[0][2].toFloat(), 45.0f);
}

TEST_F(UcCmdTest, StoresOnlyWhatDiffersInItsOrder)
{
    UcCmd *plain = make(0);
    PropertyBag empty;
    plain->WriteProperties(empty);
    EXPECT_TRUE(empty.isEmpty());

    UcCmd *option = make(6, "Pick");
    option->setValue(true);
    option->setScaleFactor(1.5);
    PropertyBag bag;
    option->WriteProperties(bag);
    QStringList keys;
    for (const auto &entry : bag.entries())
        keys << entry.key;
    EXPECT_EQ(keys, (QStringList{"ScaleFactor", "PictureUP", "PictureDN", "Style", "Caption", "Value",
                                 "OptionGroup"}));
    EXPECT_EQ(bag.ReadProperty("Style").typeId(), QMetaType::Int);
    EXPECT_EQ(bag.ReadProperty("PictureDN").toString(), "RADIOON");
}

TEST_F(UcCmdTest, LoadingRestoresWithoutRunningTheStyleSteps)
{
    PropertyBag bag;
    bag.WriteProperty("Style", QVariant::fromValue(qint32(1)));
    bag.WriteProperty("PictureUP", QStringLiteral("CLOSEUP"));
    bag.WriteProperty("PictureDN", QStringLiteral("CLOSEDN"));
    bag.WriteProperty("Enabled", false);
    UcCmd *cmd = new UcCmd(&window);
    cmd->ReadProperties(bag);
    EXPECT_EQ(cmd->Tag(), ""); // the tag is the host's to restore
    EXPECT_FALSE(cmd->Enabled());
    EXPECT_EQ(cmd->captionColour(), SystemColors::byIndex(19));
    EXPECT_EQ(cmd->sizeTwips(), QSize(345, 345));
    EXPECT_EQ(cmd->x(), twipsToPixels(9000 - 345 - 90));
}
