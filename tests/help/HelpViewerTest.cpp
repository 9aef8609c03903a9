#include "help/HelpViewer.h"
#include "FruitHelpTest.h"
#include "help/HelpBrowser.h"
#include "help/HelpPopup.h"
#include "help/HelpSystem.h"
#include "help/WindowHandles.h"
#include "platform/ProgramFolder.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
class HelpViewerTest : public FruitHelpTest
{
protected:
    static QString shownText(HelpViewer *viewer) { return viewer->browser()->toPlainText(); }
};
} // namespace

TEST_F(HelpViewerTest, ContextOneOfOurFileShowsTheMainTopicInTheMainWindowType)
{
    const qint32 handle =
        HtmlHelp(0, programFile(QStringLiteral("help/Vocalino.chm")) + QStringLiteral(">Main"),
                 HH::HELP_CONTEXT, qint32(1));
    HelpViewer *viewer = viewerOf(handle);
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "Vocalino 5.0 Help");
    EXPECT_EQ(viewer->currentTopic(), "main.htm");
    EXPECT_TRUE(shownText(viewer).contains("Welcome to Vocalino 5.0"));
    EXPECT_GE(viewer->contentsTree()->topLevelItemCount(), 3);
    EXPECT_GT(viewer->indexList()->count(), 10);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(HelpViewerTest, TheSameFileAndTypeReuseOneWindowAnotherTypeGetsItsOwn)
{
    const qint32 first = HtmlHelp(0, *fruit + ">Big", HH::DISPLAY_TOPIC, std::monostate{});
    const qint32 again = HtmlHelp(0, *fruit + ">big", HH::HELP_CONTEXT, qint32(20));
    const qint32 other = HtmlHelp(0, *fruit + ">Small", HH::DISPLAY_TOPIC, std::monostate{});
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    HelpViewer *big = viewerOf(first);
    HelpViewer *small = viewerOf(other);
    ASSERT_TRUE(big && small);
    EXPECT_EQ(big->windowTitle(), "Big Fruit Window");
    EXPECT_EQ(big->geometry(), QRect(QPoint(20, 30), QPoint(619, 529)));
    EXPECT_EQ(big->currentTopic(), "sub/pear.htm");
    EXPECT_EQ(small->windowTitle(), "Small Fruit");
    EXPECT_FALSE(small->navigation()->isVisibleTo(small)); // not a tri-pane type
    EXPECT_FALSE(small->toolBar()->isVisibleTo(small));    // no tool bar in this type
    EXPECT_EQ(small->currentTopic(), "apple.htm");
    EXPECT_EQ(HelpSystem::instance().viewers().size(), 2);
}

TEST_F(HelpViewerTest, TopicsShowTheirPicturesAndFollowLinksBetweenFolders)
{
    HelpViewer *viewer = viewerOf(HtmlHelp(0, *fruit + "::/apple.htm", HH::DISPLAY_TOPIC, std::monostate{}));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->windowTitle(), "Fruit Book");
    const QVariant picture = viewer->browser()->loadResource(
        QTextDocument::ImageResource, HelpBrowser::topicUrl(QStringLiteral("img/red.png")));
    ASSERT_EQ(picture.typeId(), QMetaType::QImage);
    EXPECT_EQ(picture.value<QImage>().pixelColor(2, 2), QColor(Qt::red));
    emit viewer->browser()->anchorClicked(QUrl(QStringLiteral("chm:/sub/pear.htm")));
    EXPECT_EQ(viewer->currentTopic(), "sub/pear.htm");
    emit viewer->browser()->anchorClicked(
        viewer->browser()->source().resolved(QUrl(QStringLiteral("../apple.htm"))));
    EXPECT_EQ(viewer->currentTopic(), "apple.htm");
    emit viewer->browser()->anchorClicked(QUrl(QStringLiteral("ms-its:fruit.chm::/plum.htm")));
    EXPECT_EQ(viewer->currentTopic(), "plum.htm");
}

TEST_F(HelpViewerTest, EachPaneCommandOpensItsPane)
{
    HelpViewer *viewer = viewerOf(HtmlHelp(0, *fruit, HH::DISPLAY_TOC, std::monostate{}));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->navigation()->currentIndex(), 0);
    EXPECT_EQ(viewer->currentTopic(), "apple.htm");
    ASSERT_EQ(viewer->contentsTree()->topLevelItemCount(), 2);
    EXPECT_EQ(viewer->contentsTree()->topLevelItem(0)->child(0)->text(0), "Pears");

    EXPECT_EQ(viewerOf(HtmlHelp(0, *fruit, HH::DISPLAY_INDEX, std::monostate{})), viewer);
    EXPECT_EQ(viewer->navigation()->currentIndex(), 1);
    EXPECT_EQ(viewer->indexList()->count(), 2);

    HhFtsQuery query;
    query.pszSearchQuery = QStringLiteral("JUICY");
    EXPECT_EQ(viewerOf(HtmlHelp(0, *fruit, HH::DISPLAY_SEARCH, query)), viewer);
    EXPECT_EQ(viewer->navigation()->currentIndex(), 2);
    ASSERT_EQ(viewer->searchResults()->count(), 1);
    EXPECT_EQ(viewer->searchResults()->item(0)->text(), "Pears");
}

TEST_F(HelpViewerTest, KeywordAndLinkLookupsFindTopicsOrFallBack)
{
    HhAkLink link;
    link.pszKeywords = QStringLiteral("nothing;PURPLE");
    HelpViewer *viewer = viewerOf(HtmlHelp(0, *fruit, HH::KEYWORD_LOOKUP, link));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->currentTopic(), "plum.htm");

    link.pszKeywords = QStringLiteral("green");
    EXPECT_EQ(viewerOf(HtmlHelp(0, *fruit, HH::ALINK_LOOKUP, link)), viewer);
    EXPECT_EQ(viewer->currentTopic(), "sub/pear.htm");

    link.pszKeywords = QStringLiteral("banana");
    link.pszUrl = QStringLiteral("apple.htm");
    EXPECT_EQ(viewerOf(HtmlHelp(0, *fruit, HH::KEYWORD_LOOKUP, link)), viewer);
    EXPECT_EQ(viewer->currentTopic(), "apple.htm");
    EXPECT_TRUE(boxes.shown.isEmpty());

    link.pszUrl.reset();
    link.pszMsgText = QStringLiteral("No fruit like that.");
    link.pszMsgTitle = QStringLiteral("Fruit");
    HtmlHelp(0, *fruit, HH::ALINK_LOOKUP, link);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "No fruit like that.");
    EXPECT_EQ(boxes.shown[0].caption, "Fruit");
}

TEST_F(HelpViewerTest, UnreadableFilesMissingTopicsAndContextsGetAMessageNotACrash)
{
    QTemporaryDir dir;
    QFile junk(dir.filePath(QStringLiteral("junk.chm")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(3000, 'x'));
    junk.close();
    EXPECT_EQ(HtmlHelp(0, junk.fileName(), HH::HELP_CONTEXT, qint32(1)), 0);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains("not a readable compiled help file"));

    EXPECT_EQ(HtmlHelp(0, *fruit, HH::HELP_CONTEXT, qint32(99)), 0);
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown[1].text.contains("no topic for context number 99"));
    EXPECT_TRUE(HelpSystem::instance().viewers().isEmpty());

    HelpViewer *viewer = viewerOf(HtmlHelp(0, *fruit, HH::DISPLAY_TOPIC, QStringLiteral("nowhere.htm")));
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(shownText(viewer).contains("could not be found"));
}

TEST_F(HelpViewerTest, PopupsFromTheFileFromTextAndNothingForEmptyText)
{
    HhPopup record;
    record.idString = 7;
    record.pt = QPoint(100, 120);
    record.clrForeground = 0x000000FF; // red
    record.clrBackground = 0x00FFFFFF;
    record.pszFont = QStringLiteral("Verdana, 14, ascii, Bold Italic ");
    const qint32 handle = HtmlHelp(0, *fruit + "::/tips.txt", HH::DISPLAY_TEXT_POPUP, record);
    auto *popup = qobject_cast<HelpPopup *>(WindowHandles::widgetOf(handle));
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->text(), "Seven is a plum tip.");
    EXPECT_EQ(popup->pos(), QPoint(100, 120));
    EXPECT_TRUE(popup->font().bold());
    EXPECT_TRUE(popup->font().italic());
    EXPECT_FALSE(popup->font().underline());
    EXPECT_EQ(popup->font().pointSize(), 14);
    EXPECT_TRUE(popup->styleSheet().contains("#ff0000"));

    record.pszText = QStringLiteral("Literal words");
    const qint32 literal = HtmlHelp(0, QString(), HH::DISPLAY_TEXT_POPUP, record);
    ASSERT_TRUE(qobject_cast<HelpPopup *>(WindowHandles::widgetOf(literal)));
    EXPECT_EQ(qobject_cast<HelpPopup *>(WindowHandles::widgetOf(literal))->text(), "Literal words");
    record.pszText = QString();
    EXPECT_EQ(HtmlHelp(0, QString(), HH::DISPLAY_TEXT_POPUP, record), 0);
    record.idString = 12345;
    EXPECT_EQ(HtmlHelp(0, *fruit + "::/tips.txt", HH::DISPLAY_TEXT_POPUP, record), 0);
}

TEST_F(HelpViewerTest, PopupColoursStayReadableAndThePopupStaysOnTheScreen)
{
    const auto same = HelpPopup::popupColors(0, 0);
    EXPECT_NE(same.first, same.second);
    const auto chosen = HelpPopup::popupColors(0x00FF0000, 0x0000FFFF); // blue on yellow
    EXPECT_EQ(chosen.first, QColor(0, 0, 255));
    EXPECT_EQ(chosen.second, QColor(255, 255, 0));
    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(HelpPopup::placement(QPoint(790, 590), QSize(100, 50), screen), QPoint(700, 550));
    EXPECT_EQ(HelpPopup::placement(QPoint(-20, 10), QSize(100, 50), screen), QPoint(0, 10));
    EXPECT_EQ(HelpPopup::placement(QPoint(10, 10), QSize(900, 50), screen), QPoint(0, 10));
}

TEST_F(HelpViewerTest, CloseAllClosesEveryHelpWindowAndTheOwnerIsKept)
{
    QWidget owner;
    owner.show();
    const qint32 ownerHandle = WindowHandles::handleOf(&owner);
    HelpViewer *owned = viewerOf(HtmlHelp(ownerHandle, *fruit, HH::DISPLAY_TOPIC, std::monostate{}));
    ASSERT_TRUE(owned);
    EXPECT_EQ(owned->parentWidget(), &owner);
    HtmlHelp(0, programFile(QStringLiteral("help/Vocalino.chm")), HH::DISPLAY_TOPIC, std::monostate{});
    EXPECT_EQ(HelpSystem::instance().viewers().size(), 2);
    EXPECT_EQ(HtmlHelp(0, QString(), HH::CLOSE_ALL, std::monostate{}), 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(HelpSystem::instance().viewers().isEmpty());
}

TEST(HelpFileSpec, FileTopicAndWindowAreSplitOff)
{
    const HelpFileSpec request = HelpFileSpec::parse(QStringLiteral("/a/b.chm::/x/y.htm>Main"));
    EXPECT_EQ(request.file, "/a/b.chm");
    EXPECT_EQ(request.topic, "x/y.htm");
    EXPECT_EQ(request.window, "Main");
    const HelpFileSpec plain = HelpFileSpec::parse(QStringLiteral("/a/b.chm"));
    EXPECT_EQ(plain.file, "/a/b.chm");
    EXPECT_TRUE(plain.topic.isEmpty() && plain.window.isEmpty());
}
