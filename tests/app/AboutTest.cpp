#include "app/About.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
// Stands in for the desktop's browser.
class BrowserCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

void flushDeletes() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
} // namespace

TEST(About, LooksAsTheProductSays)
{
    About *box = About::showShared();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle(), " About Vocalino 5.0");
    EXPECT_EQ(box->size(), QSize(353, 306)); // 5295 by 4590 twips
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(248, 192, 78));
    EXPECT_EQ(box->parentWidget(), nullptr);
    EXPECT_FALSE(box->isModal());
    EXPECT_FALSE(box->Image1->pixmap().isNull());
    EXPECT_TRUE(box->Label1->text().contains("Vocalino 5.0"));
    EXPECT_EQ(box->Label4->text(), About::WebAddress);
    EXPECT_EQ(box->Label4->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(box->Label4->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box->Command1->text(), "Close");
    for (QWidget *child : box->findChildren<QWidget *>())
        EXPECT_TRUE(box->rect().contains(child->geometry())) << child->objectName().toStdString();
    About::closeShared();
    flushDeletes();
}

TEST(About, NamesTheLicenceAndShowsAllOfItsText)
{
    About *box = About::showShared();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->Label1->text().contains("Free software: GNU GPL version 3 or later"));
    // Nothing of the text is cut off at the label's foot.
    EXPECT_LE(box->Label1->heightForWidth(box->Label1->width()), box->Label1->height());
    About::closeShared();
    flushDeletes();
}

TEST(About, ASecondShowBringsBackTheSameBoxAndCloseEndsIt)
{
    About *first = About::showShared();
    first->lower();
    About *second = About::showShared();
    EXPECT_EQ(first, second);
    EXPECT_TRUE(second->isVisible());
    QTest::mouseClick(second->Command1, Qt::LeftButton);
    flushDeletes();
    EXPECT_EQ(About::shared(), nullptr);
    About *third = About::showShared();
    EXPECT_NE(third, nullptr);
    About::closeShared();
    flushDeletes();
    EXPECT_EQ(About::shared(), nullptr);
    About::closeShared(); // nothing open: nothing happens
}

TEST(About, TheLinkOpensTheMakersWebAddress)
{
    BrowserCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    About *box = About::showShared();
    QTest::mouseClick(box->Label4, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl(About::WebAddress));
    About::closeShared();
    flushDeletes();
}

// Without a mouse: Tab reaches the link, which shows its focus, and Enter opens it.
TEST(About, TheLinkIsReachedByTabAndOpensWithEnter)
{
    BrowserCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    About *box = About::showShared();
    QApplication::setActiveWindow(box);
    box->Command1->setFocus();
    for (int i = 0; i < 3 && box->focusWidget() != box->Label4; ++i)
        QTest::keyClick(box->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(box->focusWidget(), box->Label4);
    const QImage focused = box->Label4->grab().toImage();
    box->Command1->setFocus();
    EXPECT_NE(box->Label4->grab().toImage(), focused) << "the focus is not shown";
    box->Label4->setFocus();
    QTest::keyClick(box->Label4, Qt::Key_Return);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl(About::WebAddress));
    About::closeShared();
    flushDeletes();
}

#include "AboutTest.moc"
