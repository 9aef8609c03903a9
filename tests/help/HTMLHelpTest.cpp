#include "ChmBuilder.h"
#include "help/HTMLHelp.h"
#include "help/HelpPopup.h"
#include "help/HelpSystem.h"
#include "help/HelpViewer.h"
#include "help/ProgramStrings.h"
#include "help/Registry.h"
#include "help/WindowHandles.h"
#include "platform/ProgramFolder.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWhatsThis>
#include <gtest/gtest.h>

namespace {
struct Call
{
    qint32 owner;
    QString file;
    int command;
    HhData data;
};

// Watches the calls on their way to the real viewer.
class HTMLHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Registry::setFolder(registryDir.path());
        ASSERT_TRUE(QDir().mkpath(programDir.filePath(QStringLiteral("help"))));
        ASSERT_TRUE(QFile::copy(realProgramFolder + QStringLiteral("/help/Vocalino.chm"),
                                programDir.filePath(QStringLiteral("help/Vocalino.chm"))));
        setProgramFolder(programDir.path());
        help.setHelpCall([this](qint32 owner, const QString &file, int command, const HhData &data) {
            calls.append({owner, file, command, data});
            return HtmlHelp(owner, file, command, data);
        });
    }
    void TearDown() override
    {
        HtmlHelp(0, QString(), HH::CLOSE_ALL, std::monostate{});
        QApplication::processEvents();
        setProgramFolder(QString());
        Registry::setFolder(QString());
    }
    QString helpFile() const { return programDir.filePath(QStringLiteral("help/Vocalino.chm")); }
    QString lastText() const { return boxes.shown.isEmpty() ? QString() : boxes.shown.last().text; }

    const QString realProgramFolder = programFolder();
    QTemporaryDir registryDir, programDir;
    ScriptedMessageBoxes boxes;
    HTMLHelp help;
    QList<Call> calls;
};
} // namespace

TEST_F(HTMLHelpTest, TheHelpCommandMakesOneContextCallAndShowsTheMainTopic)
{
    help.setCHMFile(programFolder() + QStringLiteral("/help/Vocalino.chm"));
    help.setHHTopicID(1);
    help.setHHWindow(QStringLiteral("Main"));
    help.HHDisplayTopicID(0x1234);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].owner, 0);
    EXPECT_EQ(calls[0].file, helpFile() + ">Main");
    EXPECT_EQ(calls[0].command, HH::HELP_CONTEXT);
    EXPECT_EQ(std::get<qint32>(calls[0].data), 1);
    auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(help.HHWndHandle()));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->currentTopic(), "main.htm");
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(HTMLHelpTest, FileNameChecksUpperCaseHlpAndMissingFiles)
{
    help.setCHMFile(helpFile().chopped(3) + "CHM");
    QFile::rename(helpFile(), help.CHMFile());
    help.HHDisplayContents(0);
    EXPECT_EQ(calls.size(), 1);
    EXPECT_TRUE(boxes.shown.isEmpty());

    help.setCHMFile(QStringLiteral("/some/old.hlp"));
    help.HHDisplayTopicURL(0);
    EXPECT_EQ(calls.size(), 1);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "/some/old.hlp is not a valid HTML Help file.");
    EXPECT_EQ(boxes.shown[0].caption, "HTML Help Class");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);

    help.setCHMFile(QStringLiteral("/nowhere/gone.chm"));
    help.HHDisplaySearch(0);
    EXPECT_EQ(calls.size(), 1);
    EXPECT_EQ(lastText(), "The file /nowhere/gone.chm does not exist.\n"
                          "Please make sure the correct path and file name have been specified.");
}

TEST_F(HTMLHelpTest, ABareNameIsCompletedFromTheProgramFolderAndStaysSo)
{
    help.setCHMFile(QStringLiteral("Vocalino.chm"));
    QFile::copy(helpFile(), programDir.filePath(QStringLiteral("Vocalino.chm")));
    help.HHDisplayTopicURL(0);
    EXPECT_EQ(help.CHMFile(), programDir.path() + "/Vocalino.chm");
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].file, programDir.path() + "/Vocalino.chm");
}

TEST_F(HTMLHelpTest, ABareNameIsCompletedFromItsRegistryEntryFirst)
{
    QString full = helpFile();
    help.HHRegister(full);
    QString bare = QStringLiteral("VOCALINO.chm");
    EXPECT_TRUE(help.EnsureFileExists(bare));
    EXPECT_EQ(bare, helpFile());
}

TEST_F(HTMLHelpTest, BlankWindowPassesThePlainFileAndOnTopPassesTheOwner)
{
    help.setCHMFile(helpFile());
    help.setHHWindow(QStringLiteral("   "));
    help.setHHTopicURL(QStringLiteral("voices.htm"));
    help.HHDisplayTopicURL(77);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].file, helpFile());
    EXPECT_EQ(calls[0].owner, 0);
    EXPECT_EQ(std::get<QString>(calls[0].data), "voices.htm");

    QWidget caller;
    help.setHHShowOnTop(true);
    help.HHDisplayTopicURL(WindowHandles::handleOf(&caller));
    EXPECT_EQ(calls[1].owner, WindowHandles::handleOf(&caller));
}

TEST_F(HTMLHelpTest, IndexKeepsTheHandleOnlyWithAWindowTypeSearchSendsItsRecord)
{
    help.setCHMFile(helpFile());
    help.HHDisplayIndex(0);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].command, HH::DISPLAY_INDEX);
    EXPECT_EQ(help.HHWndHandle(), 0);
    EXPECT_EQ(lastText(), "No HTML Help window handle to retrieve.");

    help.setHHWindow(QStringLiteral("Main"));
    help.HHDisplayIndex(0);
    EXPECT_NE(help.HHWndHandle(), 0);

    help.HHDisplaySearch(0);
    const HhFtsQuery query = std::get<HhFtsQuery>(calls.last().data);
    EXPECT_EQ(query.cbStruct, 32);
    EXPECT_TRUE(query.pszSearchQuery.isEmpty());
    EXPECT_TRUE(query.fExecute);
    EXPECT_FALSE(query.fUniCodeStrings || query.fStemmedSearch || query.fTitleOnly);
    EXPECT_EQ(query.iProximity, 0);
}

TEST_F(HTMLHelpTest, KeywordOpensTheWindowThenLooksUpWithNullTextsForEmptyProperties)
{
    help.setCHMFile(helpFile());
    help.setHHWindow(QStringLiteral("Main"));
    help.setHHKeyword(QStringLiteral("Speed"));
    help.setHHMsgText(QStringLiteral(""));
    help.setHHMsgTitle(QStringLiteral("Title"));
    EXPECT_FALSE(help.HHMsgText().isNull());
    help.HHDisplayKeyword(0);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].command, HH::DISPLAY_TOPIC);
    EXPECT_EQ(calls[0].file, helpFile());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(calls[0].data));
    EXPECT_EQ(calls[1].command, HH::KEYWORD_LOOKUP);
    EXPECT_EQ(calls[1].file, helpFile());
    const HhAkLink link = std::get<HhAkLink>(calls[1].data);
    EXPECT_EQ(link.cbStruct, 28);
    EXPECT_EQ(link.pszKeywords, "Speed");
    EXPECT_FALSE(link.pszMsgText.has_value());
    EXPECT_FALSE(link.pszUrl.has_value());
    EXPECT_EQ(link.pszMsgTitle.value_or(QString()), "Title");
    EXPECT_EQ(link.pszWindow.value_or(QString()), "Main");
    EXPECT_FALSE(link.fIndexOnFail);
    EXPECT_TRUE(help.HHMsgText().isNull());
    auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(help.HHWndHandle()));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->currentTopic(), "voices.htm");
}

TEST_F(HTMLHelpTest, ALinkWithoutAMatchShowsTheMessageGiven)
{
    help.setCHMFile(helpFile());
    help.setHHALink(QStringLiteral("no such link"));
    help.setHHMsgText(QStringLiteral("Nothing about that yet."));
    help.HHDisplayALink(0);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].command, HH::ALINK_LOOKUP);
    EXPECT_FALSE(std::get<HhAkLink>(calls[0].data).pszWindow.has_value());
    EXPECT_EQ(lastText(), "Nothing about that yet.");
    help.setHHALink(QStringLiteral("record"));
    help.HHDisplayALink(0);
    auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(help.HHWndHandle()));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->currentTopic(), "recording.htm");
}

TEST_F(HTMLHelpTest, AnEmptyLiteralPopupShowsNothingAndKeepsItsSettings)
{
    help.setHHPopupType(4);
    help.setHHPopupTextColor(0x00112233);
    help.setHHPopupTextFont(QStringLiteral("Verdana"));
    help.setHHPopupTextBold(true);
    help.HHDisplayPopup(0);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(help.popupFontText(), "Verdana, 10, ascii, Bold ");
    EXPECT_EQ(help.popupRecord({}).clrForeground, 0x00112233u);
}

TEST_F(HTMLHelpTest, AShownPopupResetsColoursAndFontButNotTheCustomChoice)
{
    help.setHHPopupType(4);
    help.setHHPopupText(QStringLiteral("Hello"));
    help.setHHPopupTextColor(0x000000FF);
    help.setHHPopupCustomTextColor(0x0000FF00);
    help.setHHPopupCustomBackColor(0x00FFFFFF);
    help.setHHPopupCustomColors(true);
    help.setHHPopupTextFont(QStringLiteral("Impact"));
    help.setHHPopupTextSize(QStringLiteral("16"));
    help.setHHPopupTextItalic(true);
    help.setHHPopupTextUnderline(true);
    help.HHDisplayPopup(55);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].owner, 55);
    EXPECT_TRUE(calls[0].file.isEmpty());
    EXPECT_EQ(calls[0].command, HH::DISPLAY_TEXT_POPUP);
    const HhPopup sent = std::get<HhPopup>(calls[0].data);
    EXPECT_EQ(sent.cbStruct, 50);
    EXPECT_EQ(sent.pszText.value_or(QString()), "Hello");
    EXPECT_EQ(sent.clrForeground, 0x0000FF00u);
    EXPECT_EQ(sent.clrBackground, 0x00FFFFFFu);
    EXPECT_EQ(sent.pszFont, "Impact, 16, ascii, Italic Underline");
    EXPECT_EQ(sent.rcMargins.left(), -1);
    EXPECT_EQ(sent.rcMargins.bottom(), -1);
    EXPECT_EQ(help.popupFontText(), "Arial, 10, ascii, ");
    EXPECT_TRUE(help.HHPopupCustomColors());
    EXPECT_EQ(help.popupRecord({}).clrForeground, 0u);
}

TEST_F(HTMLHelpTest, PopupsFromTheHelpFileAndTheStringTable)
{
    help.setCHMFile(helpFile());
    help.setHHPopupType(1);
    help.setHHPopupFile(QStringLiteral("cshelp.doc"));
    help.HHDisplayPopup(0);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(lastText(), "The file specified as the text popup source, 'cshelp.doc', is not a valid popup file.");

    help.setHHPopupFile(QStringLiteral("cshelp.txt"));
    help.setHHPopupID(2);
    help.HHDisplayPopup(0);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].file, helpFile() + "::/cshelp.txt");
    EXPECT_EQ(std::get<HhPopup>(calls[0].data).idString, 2u);
    EXPECT_FALSE(std::get<HhPopup>(calls[0].data).pszText.has_value());
    ASSERT_TRUE(HelpSystem::instance().popup());
    EXPECT_TRUE(HelpSystem::instance().popup()->text().startsWith("Choose a voice"));

    // The program's string table holds the skin colours as 101 to 103.
    help.setHHPopupType(2);
    help.setHHPopupID(103);
    help.HHDisplayPopup(0);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(std::get<HhPopup>(calls[1].data).pszText.value_or(QString()), "&H00404040&");
    EXPECT_EQ(HelpSystem::instance().popup()->text(), "&H00404040&");
    EXPECT_EQ(ProgramStrings::text(101), "&H0000FFFF&");
    EXPECT_EQ(ProgramStrings::text(102), "&H00C0FFFF&");
    EXPECT_TRUE(ProgramStrings::text(104).isEmpty());
    help.setHHPopupID(104); // no such string: nothing to show
    help.HHDisplayPopup(0);
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(HelpSystem::instance().popup()->text(), "&H00404040&");

    help.setHHPopupType(3);
    help.HHDisplayPopup(0);
    EXPECT_EQ(calls.size(), 3);
}

TEST_F(HTMLHelpTest, CloseWhatsThisJumpMenuAndHelpFileNames)
{
    help.setCHMFile(helpFile());
    help.setHHWindow(QStringLiteral("Main"));
    help.HHDisplayContents(0);
    auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(help.HHWndHandle()));
    ASSERT_TRUE(viewer);
    const auto hasJump = [&] {
        for (QAction *action : viewer->menuCommands())
            if (action->data().toInt() == 61439)
                return true;
        return false;
    };
    EXPECT_TRUE(hasJump());
    help.HHDeleteJumpURLSysMenu(help.HHWndHandle());
    EXPECT_FALSE(hasJump());
    help.HHDeleteJumpURLSysMenu(0); // no window: nothing happens

    help.HHInvokeWhatsThisHelp(0);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();

    help.HHClose();
    EXPECT_EQ(calls.last().command, HH::CLOSE_ALL);
    EXPECT_TRUE(calls.last().file.isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(HelpSystem::instance().viewers().isEmpty());

    EXPECT_EQ(help.HHSetHelpFile(1), programFolder() + "/Library.chm");
    EXPECT_EQ(help.HHSetHelpFile(2), "Library.txt");
    EXPECT_TRUE(help.HHSetHelpFile(3).isEmpty());
}

TEST_F(HTMLHelpTest, AFailingHelpCallIsIgnoredAndKeepsTheLastHandle)
{
    help.setCHMFile(helpFile());
    help.HHDisplayContents(0);
    const qint32 handle = help.HHWndHandle();
    help.setHelpCall([](qint32, const QString &, int, const HhData &) -> qint32 { throw std::runtime_error("gone"); });
    help.HHDisplayContents(0);
    help.HHClose();
    EXPECT_EQ(help.HHWndHandle(), handle);
}

TEST_F(HTMLHelpTest, EachDisplayCommandLeavesOneViewerForTheWindowTypeItUses)
{
    const auto viewerCount = [] {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return HelpSystem::instance().viewers().size();
    };
    help.setCHMFile(helpFile());
    help.setHHWindow(QStringLiteral("Main"));
    help.setHHKeyword(QStringLiteral("Bold"));
    help.HHDisplayKeyword(0); // opens without a type (the file's default, "Main"), then looks up in "Main"
    EXPECT_EQ(viewerCount(), 1);
    help.setHHTopicID(1);
    help.HHDisplayTopicID(0);
    EXPECT_EQ(viewerCount(), 1);
    help.HHDisplayContents(0);
    help.HHDisplayIndex(0);
    help.HHDisplaySearch(0);
    EXPECT_EQ(viewerCount(), 1);
    help.setHHALink(QStringLiteral("nothing"));
    help.HHDisplayALink(0);
    EXPECT_EQ(viewerCount(), 1);
    help.setHHWindow(QStringLiteral("  "));
    help.setHHTopicURL(QStringLiteral("voices.htm"));
    help.HHDisplayTopicURL(0);
    EXPECT_EQ(viewerCount(), 1);
    auto *viewer = HelpSystem::instance().viewers().value(0);
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->windowTypeName(), "Main");
    EXPECT_EQ(viewer->currentTopic(), "voices.htm");

    // A window name the file does not define is no type: the untyped viewer serves it.
    ChmBuilder builder;
    help.setCHMFile(ChmBuilder::fruitHelp(builder));
    help.setHHWindow(QStringLiteral("Elsewhere"));
    help.setHHKeyword(QStringLiteral("purple"));
    help.HHDisplayKeyword(0);
    EXPECT_EQ(viewerCount(), 2);
    help.setHHWindow(QStringLiteral("Big"));
    help.HHDisplayContents(0);
    EXPECT_EQ(viewerCount(), 3);
}
