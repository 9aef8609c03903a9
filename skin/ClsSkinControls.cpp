// ClsSkin: the window's mouse events, moving and resizing, and the caption controls.
#include "skin/ClsSkin.h"

#include "platform/ReportError.h"
#include "platform/Twips.h"
#include "platform/WindowCommands.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinSet.h"

#include <QLabel>
#include <QPalette>

namespace {
const QString Module = QStringLiteral("ClsSkin");
const QString TopClose = QStringLiteral("TOPCLOSE");
const QString Restore = QStringLiteral("RESTORE");
const QString Minimise = QStringLiteral("MINIMISE");
const QString LblCaption = QStringLiteral("LblCaption");
const QString TopLeftTag = QStringLiteral("TOPLEFT");

QString tagOf(const QWidget *control)
{
    return control->property("Tag").toString();
}

// The window's controls, wherever they sit on it; never those of another window.
QList<QWidget *> controlsOf(QWidget *form)
{
    QList<QWidget *> controls;
    for (QWidget *child : form->findChildren<QWidget *>())
        if (child->window() == form)
            controls.append(child);
    return controls;
}

bool hasProperty(const QObject *object, const char *name)
{
    return object->metaObject()->indexOfProperty(name) >= 0;
}

void setForeColor(QWidget *control, OleColor colour)
{
    if (hasProperty(control, "ForeColor")) {
        control->setProperty("ForeColor", QVariant::fromValue(quint32(colour)));
        return;
    }
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    palette.setColor(QPalette::Text, toQColor(colour));
    control->setPalette(palette);
}

void setCaption(QWidget *control, const QString &caption)
{
    if (hasProperty(control, "Caption"))
        control->setProperty("Caption", caption);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(caption);
}

void placeAt(QWidget *control, int topTwips, int leftTwips)
{
    control->move(control->x(), twipsToPixels(topTwips)); // top first, as the layout rule has it
    control->move(twipsToPixels(leftTwips), control->y());
}

int widthInTwips(const QWidget *widget)
{
    return pixelsToTwips(widget->width());
}

} // namespace

void ClsSkin::setMinimiseAllow(bool allow)
{
    m_minimiseAllow = allow;
    MinimiseButtonSet(allow);
}

void ClsSkin::setCloseButtonAllow(bool allow)
{
    m_closeButtonAllow = allow;
    ClosedButtonSet(allow);
}

void ClsSkin::setResizeFormAllow(bool allow)
{
    m_resizeFormAllow = allow;
    FormResizeSet(allow);
}

void ClsSkin::TheForm_MouseMove(int, int, float x, float y)
{
    runReported(QStringLiteral("TheForm_MouseMove"), Module, [&] {
        if (!m_form || m_form->BorderStyle() != 0 || !m_resizeFormAllow)
            return;
        m_pendingHitCode =
            SkinGeometry::hitZone(x, y, float(widthInTwips(m_form)), float(pixelsToTwips(m_form->height())));
        if (m_pendingHitCode == HitTest::Client)
            m_form->unsetCursor();
        else
            m_form->setCursor(SkinGeometry::zoneCursor(m_pendingHitCode));
    });
}

void ClsSkin::TheForm_MouseDown(int button, int, float x, float y)
{
    if (!m_form)
        return;
    const QPoint pressedAt = m_form->mapToGlobal(QPointF(x / TwipsPerPixel, y / TwipsPerPixel)).toPoint();
    switch (SkinGeometry::pressAction(button, y, m_form->BorderStyle() == 0, m_moveFormAllow,
                                      m_resizeFormAllow)) {
    case SkinGeometry::Press::Resize:
        FormResize(pressedAt);
        break;
    case SkinGeometry::Press::Move:
        MoveForm(pressedAt);
        break;
    case SkinGeometry::Press::Nothing:
        break;
    }
}

void ClsSkin::FormResize(QPoint pressedAt)
{
    runReported(QStringLiteral("FormResize"), Module, [&] {
        if (m_pendingHitCode != HitTest::Client)
            WindowCommands::startResize(m_form, m_pendingHitCode, pressedAt);
    });
}

void ClsSkin::MoveForm(QPoint pressedAt)
{
    WindowCommands::startMove(m_form, pressedAt);
}

void ClsSkin::ResizeControls(SkinnedWindow *form)
{
    if (m_layoutBusy)
        return;
    m_layoutBusy = true;
    struct Clear
    {
        bool &flag;
        ~Clear() { flag = false; }
    } clear{m_layoutBusy};
    runReported(QStringLiteral("ResizeControls"), Module, [&] {
        if (!form || form->BorderStyle() != 0)
            return;
        const int formWidth = widthInTwips(form);
        for (QWidget *control : controlsOf(form)) {
            const QString tag = tagOf(control);
            const int w = widthInTwips(control);
            if (tag == TopClose)
                placeAt(control, SkinGeometry::CaptionTop, SkinGeometry::captionLeft(formWidth, w, 1));
            else if (tag == Restore)
                placeAt(control, SkinGeometry::CaptionTop, SkinGeometry::captionLeft(formWidth, w, 2));
            else if (tag == Minimise)
                placeAt(control, SkinGeometry::CaptionTop, SkinGeometry::captionLeft(formWidth, w, 3));
            else if (tag == LblCaption)
                control->update();
            else if (tag == TopLeftTag)
                control->move(0, 0);
        }
    });
}

void ClsSkin::HideControls(bool visible)
{
    runReported(QStringLiteral("HideControls"), Module, [&] {
        if (!m_form)
            return;
        for (QWidget *control : controlsOf(m_form)) {
            const QString tag = tagOf(control);
            if (tag == TopClose || tag == Restore || tag == Minimise) {
                control->setVisible(visible);
            } else if (tag == LblCaption) {
                control->setVisible(visible);
                setForeColor(control, SkinSet::colour(SkinSet::CaptionColour));
                setCaption(control, m_form->Caption());
            }
        }
    });
}

void ClsSkin::enableTagged(const QString &procedure, const QString &tag, bool enabled)
{
    runReported(procedure, Module, [&] {
        if (!m_form)
            return;
        for (QWidget *control : controlsOf(m_form))
            if (tagOf(control) == tag)
                control->setEnabled(enabled);
    });
}

void ClsSkin::FormResizeSet(bool enabled)
{
    enableTagged(QStringLiteral("FormResizeSet"), Restore, enabled);
}
void ClsSkin::ClosedButtonSet(bool enabled)
{
    enableTagged(QStringLiteral("ClosedButtonSet"), TopClose, enabled);
}
void ClsSkin::MinimiseButtonSet(bool enabled)
{
    enableTagged(QStringLiteral("MinimiseButtonSet"), Minimise, enabled);
}
