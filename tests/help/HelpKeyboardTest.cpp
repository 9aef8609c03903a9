#include "FruitHelpTest.h"
#include "help/HelpBrowser.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The help window by keyboard alone: Tab from pane to pane and into the page, the arrow keys
// through the items, Enter opens the current topic, in Contents, Index and Search alike.
namespace {
class HelpKeyboard : public FruitHelpTest
{
protected:
    void SetUp() override
    {
        viewer = viewerOf(HtmlHelp(0, *fruit, HH::DISPLAY_TOC, std::monostate{}));
        ASSERT_TRUE(viewer);
        viewer->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
        ASSERT_EQ(viewer->currentTopic(), "apple.htm");
        viewer->navigation()->tabBar()->setFocus(Qt::TabFocusReason);
    }

    static QWidget *focused() { return QApplication::focusWidget(); }
    static void press(Qt::Key key)
    {
        ASSERT_TRUE(focused());
        QTest::keyClick(focused(), key);
    }
    static void type(const QString &text)
    {
        ASSERT_TRUE(focused());
        QTest::keyClicks(focused(), text);
    }
    // The focus is shown on an item: the view has it, an item is current, and the item's pixels
    // differ from those it shows without the focus.
    static bool showsFocusOnAnItem(QAbstractItemView *view)
    {
        if (!view->hasFocus() || !view->currentIndex().isValid())
            return false;
        const QRect item = view->visualRect(view->currentIndex());
        const QImage focused = view->viewport()->grab(item).toImage();
        view->clearFocus();
        const QImage unfocused = view->viewport()->grab(item).toImage();
        view->setFocus(Qt::TabFocusReason);
        return focused != unfocused;
    }

    HelpViewer *viewer = nullptr;
};
} // namespace

TEST_F(HelpKeyboard, ContentsByArrowsAndEnterThenTabIntoThePage)
{
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), viewer->contentsTree());
    EXPECT_TRUE(showsFocusOnAnItem(viewer->contentsTree()));
    press(Qt::Key_Down); // Pears, under Apples
    press(Qt::Key_Down); // Plums
    EXPECT_EQ(viewer->contentsTree()->currentItem()->text(0), "Plums");
    press(Qt::Key_Return);
    EXPECT_EQ(viewer->currentTopic(), "plum.htm");
    press(Qt::Key_Up);
    press(Qt::Key_Enter);
    EXPECT_EQ(viewer->currentTopic(), "sub/pear.htm");
    EXPECT_EQ(focused(), viewer->contentsTree()) << "Enter keeps the focus in the pane";

    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), viewer->browser()) << "Tab goes on into the page";
}

TEST_F(HelpKeyboard, IndexByTypingOrArrowsAndEnter)
{
    press(Qt::Key_Right); // the Index tab
    ASSERT_EQ(viewer->navigation()->currentIndex(), 1);
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), viewer->navigation()->widget(1)->findChild<QLineEdit *>());
    type("pur");
    press(Qt::Key_Return);
    EXPECT_EQ(viewer->currentTopic(), "plum.htm");

    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), viewer->indexList());
    EXPECT_TRUE(showsFocusOnAnItem(viewer->indexList()));
    press(Qt::Key_Up); // crunchy
    press(Qt::Key_Return);
    EXPECT_EQ(viewer->currentTopic(), "apple.htm");
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(viewer->currentTopic(), "plum.htm");
}

TEST_F(HelpKeyboard, SearchRunsOnEnterAndItsResultOpensWithEnter)
{
    press(Qt::Key_Right);
    press(Qt::Key_Right); // the Search tab
    ASSERT_EQ(viewer->navigation()->currentIndex(), 2);
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), viewer->searchField());
    type("juicy");
    press(Qt::Key_Return);
    ASSERT_EQ(viewer->searchResults()->count(), 1);
    EXPECT_EQ(viewer->currentTopic(), "apple.htm") << "running the search opens nothing yet";

    press(Qt::Key_Tab); // List Topics
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), viewer->searchResults());
    EXPECT_TRUE(showsFocusOnAnItem(viewer->searchResults()));
    press(Qt::Key_Return);
    EXPECT_EQ(viewer->currentTopic(), "sub/pear.htm");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), viewer->browser());
}
