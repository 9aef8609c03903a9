#include "SkinTestSupport.h"

#include <QFrame>
#include <QLabel>

namespace {

QWidget *tagged(QWidget *parent, const char *tag, int width, int height = 23)
{
    auto *control = new QWidget(parent);
    control->setProperty("Tag", QString::fromLatin1(tag));
    control->resize(width, height);
    return control;
}

class ClsSkinLayout : public SkinnedWindowTest
{
};

TEST_F(ClsSkinLayout, CaptionButtonsSitAtTheTopRightAfterEverySizeChange)
{
    makeWindow(400, 300, 0, false);
    QWidget *close = tagged(window.get(), "TOPCLOSE", 24);
    QWidget *restore = tagged(window.get(), "RESTORE", 24);
    QWidget *minimise = tagged(window.get(), "MINIMISE", 24);
    QWidget *corner = tagged(window.get(), "TOPLEFT", 50);
    QWidget *other = tagged(window.get(), "BOUTON", 93);
    corner->move(30, 30);
    other->move(20, 40);
    skin.SetFrmPict();
    showWindow();
    // 55 twips is 4 pixels; 90 twips is 6
    EXPECT_EQ(close->pos(), QPoint(400 - 24 - 6, 4));
    EXPECT_EQ(restore->pos(), QPoint(400 - 48 - 6, 4));
    EXPECT_EQ(minimise->pos(), QPoint(400 - 72 - 6, 4));
    EXPECT_EQ(corner->pos(), QPoint(0, 0));
    EXPECT_EQ(other->pos(), QPoint(20, 40));
    window->resize(500, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(close->pos(), QPoint(500 - 30, 4));
    EXPECT_EQ(minimise->pos(), QPoint(500 - 78, 4));
}

TEST_F(ClsSkinLayout, ButtonsOfDifferentWidthsArePlacedByTheirOwnWidth)
{
    makeWindow(400, 300);
    QWidget *close = tagged(window.get(), "TOPCLOSE", 23);
    QWidget *restore = tagged(window.get(), "RESTORE", 30);
    showWindow();
    EXPECT_EQ(close->x(), 400 - 23 - 6);
    EXPECT_EQ(restore->x(), 400 - 60 - 6);
    EXPECT_EQ(SkinGeometry::captionLeft(12000, 360, 3), 12000 - 1080 - 90);
}

TEST_F(ClsSkinLayout, TwoCloseButtonsArePlacedAndEnabledTogether)
{
    makeWindow(400, 300);
    QWidget *first = tagged(window.get(), "TOPCLOSE", 24);
    auto *panel = new QFrame(window.get()); // a control inside a container still counts
    QWidget *second = tagged(panel, "TOPCLOSE", 24);
    showWindow();
    EXPECT_EQ(first->pos(), second->pos());
    skin.setCloseButtonAllow(false);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(second->isEnabled());
    EXPECT_FALSE(skin.CloseButtonAllow());
    skin.setCloseButtonAllow(true);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(second->isEnabled());
}

TEST_F(ClsSkinLayout, AllowPropertiesTouchOnlyTheirOwnButtonsAndOnlyWhenWritten)
{
    makeWindow(400, 300);
    QWidget *close = tagged(window.get(), "TOPCLOSE", 24);
    QWidget *restore = tagged(window.get(), "RESTORE", 24);
    QWidget *minimise = tagged(window.get(), "MINIMISE", 24);
    showWindow();
    // the defaults (minimise and close false) have not disabled anything
    EXPECT_FALSE(skin.MinimiseAllow());
    EXPECT_TRUE(close->isEnabled());
    EXPECT_TRUE(minimise->isEnabled());
    skin.setMinimiseAllow(false);
    EXPECT_FALSE(minimise->isEnabled());
    EXPECT_TRUE(close->isEnabled());
    EXPECT_TRUE(restore->isEnabled());
    skin.setResizeFormAllow(false);
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(close->isEnabled());
}

TEST_F(ClsSkinLayout, CaptionControlsShowAndHideWithTheSkin)
{
    makeWindow(400, 300, 0, false);
    QWidget *close = tagged(window.get(), "TOPCLOSE", 24);
    QWidget *corner = tagged(window.get(), "TOPLEFT", 24);
    close->hide();
    skin.SetFrmPict();
    EXPECT_FALSE(close->isHidden());
    skin.SetFrmBackPict();
    EXPECT_TRUE(close->isHidden());
    EXPECT_FALSE(corner->isHidden()); // not one of the caption controls
}

TEST_F(ClsSkinLayout, ControlsOfAnotherWindowAreLeftAlone)
{
    makeWindow(400, 300);
    auto *dialog = new QWidget(window.get(), Qt::Window);
    QWidget *foreign = tagged(dialog, "TOPCLOSE", 24);
    foreign->move(1, 1);
    showWindow();
    skin.setCloseButtonAllow(false);
    EXPECT_EQ(foreign->pos(), QPoint(1, 1));
    EXPECT_TRUE(foreign->isEnabled());
}

// Moving this button resizes its window, which lays the window out again.
class Restless : public QWidget
{
public:
    Restless(SkinnedWindow *form) : QWidget(form), m_form(form)
    {
        setProperty("Tag", QStringLiteral("TOPCLOSE"));
    }
    int moves = 0;

protected:
    void moveEvent(QMoveEvent *) override
    {
        if (++moves < 50)
            m_form->resize(m_form->width() + 1, m_form->height());
    }

private:
    SkinnedWindow *m_form;
};

TEST_F(ClsSkinLayout, LayoutIsNotReenteredWhileItRuns)
{
    makeWindow(400, 300);
    auto *restless = new Restless(window.get());
    restless->resize(24, 23);
    showWindow();
    const int afterShow = restless->moves;
    EXPECT_LT(afterShow, 50);
    window->resize(420, 300);
    QCoreApplication::processEvents();
    // laid out again by the next size change: the busy flag was cleared
    EXPECT_GT(restless->moves, afterShow);
    EXPECT_LT(restless->moves, 50);
}

} // namespace
