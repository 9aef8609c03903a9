#include "tests/app/MainWindowFixture.h"

using MainVoices = MainWindowFixture;

TEST_F(MainVoices, ChoosingAVoiceMovesTheSlidersToItsDefaultsClamped)
{
    const int mike = rowOfVoice(window->lstVoice, "Mike");
    const int five = rowOfVoice(window->lstVoice, "RoboSoft Five");
    ASSERT_GE(mike, 0);
    ASSERT_GE(five, 0);
    window->lstVoice->setCurrentRow(mike);
    EXPECT_EQ(window->scrSpeed->Value(), 170);
    EXPECT_EQ(window->scrPitch->Value(), 100);
    window->lstVoice->setCurrentRow(five);
    EXPECT_EQ(window->scrSpeed->Value(), 130);
    EXPECT_EQ(window->scrPitch->Value(), 130);
}

TEST_F(MainVoices, FirstVoiceDefaultsReplaceTheLoadValues)
{
    ASSERT_GT(window->lstVoice->count(), 0);
    EXPECT_EQ(window->lstVoice->currentRow(), 0);
    const auto known = knownVoiceDefaults(window->lstVoice->item(0)->text());
    const std::pair<qint32, qint32> expected = known ? std::pair{std::clamp<qint32>(known->speed, 50, 270),
                                                                 std::clamp<qint32>(known->pitch, 100, 300)}
                                                     : std::pair{140, 169};
    EXPECT_EQ(sliders(), expected);
}

TEST_F(MainVoices, ClickingTheSelectedVoiceBringsItsDefaultsBack)
{
    const int five = rowOfVoice(window->lstVoice, "RoboSoft Five");
    ASSERT_GE(five, 0);
    window->lstVoice->setCurrentRow(five);
    window->show();
    window->scrSpeed->setValue(220);
    window->scrPitch->setValue(280);
    QListWidget *list = window->lstVoice;
    list->scrollToItem(list->item(five));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(five)).center());
    EXPECT_EQ(list->currentRow(), five);
    EXPECT_EQ(sliders(), (std::pair{130, 130}));
}

TEST_F(MainVoices, UnknownNamesLeaveTheSliders)
{
    window->scrSpeed->setValue(200);
    window->scrPitch->setValue(250);
    EXPECT_EQ(window->GetVoiceDefaults("mary"), (std::pair<qint16, qint16>{200, 250}));
    EXPECT_EQ(window->GetVoiceDefaults("Mary "), (std::pair<qint16, qint16>{200, 250}));
    EXPECT_EQ(window->GetVoiceDefaults("Mary in Space"), (std::pair<qint16, qint16>{150, 200}));
}

TEST_F(MainVoices, SpeakHandsVoiceSpeedAndPitchToTheEngine)
{
    const int sam = rowOfVoice(window->lstVoice, "Sam");
    ASSERT_GE(sam, 0);
    window->lstVoice->setCurrentRow(sam);
    window->scrSpeed->setValue(90);
    window->cmdSpkText_Click(); // refused for the empty text, after the hand-over
    EXPECT_EQ(window->engine()->CurrentMode(), sam + 1);
    EXPECT_EQ(window->engine()->Speed(), 90);
    EXPECT_EQ(window->engine()->Pitch(), 120);
}

TEST_F(MainVoices, UnusableSettingWarnsAndResetsTheSlidersButKeepsTheState)
{
    const auto defaults = chooseUnusablePitch();
    ASSERT_TRUE(defaults) << "every voice reaches the whole pitch slider";
    type("Out of my range.");
    window->cmdSpkText_Click();
    EXPECT_EQ(window->engine()->LastError(), Main::SettingNotUsable);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "This setting is not compatible with the selected\r\n"
                                   "     Voice. Please try a different setting.");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(sliders(), *defaults);
    EXPECT_EQ(row(), speaking);
}
