#include "help/HelpPopup.h"

#include "help/PopupSource.h"

#include <QGuiApplication>
#include <QScreen>

HelpPopup::HelpPopup(const QString &text, const HhPopup &record, QWidget *owner)
    : QLabel(text, owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("HelpPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setFont(PopupSource::fontFromText(record.pszFont));
    const auto [foreground, background] = popupColors(record.clrForeground, record.clrBackground);
    setStyleSheet(QStringLiteral("QLabel { color: %1; background: %2; border: 1px solid black; }")
                      .arg(foreground.name(), background.name()));
    const auto margin = [](int value) { return value < 0 ? 6 : value; };
    setContentsMargins(margin(record.rcMargins.left()), margin(record.rcMargins.top()),
                       margin(record.rcMargins.right()), margin(record.rcMargins.bottom()));
    setMaximumWidth(400);
    adjustSize();
    const QScreen *screen = QGuiApplication::screenAt(record.pt);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    move(placement(record.pt, size(), screen ? screen->availableGeometry() : QRect()));
}

QPair<QColor, QColor> HelpPopup::popupColors(OleColor text, OleColor back)
{
    const QColor foreground = toQColor(text);
    const QColor background = toQColor(back);
    if (foreground == background)
        return {QColor(Qt::black), QColor(255, 255, 225)};
    return {foreground, background};
}

QPoint HelpPopup::placement(QPoint at, QSize size, QRect screen)
{
    if (screen.isEmpty())
        return at;
    const int x = qBound(screen.left(), at.x(), qMax(screen.left(), screen.right() + 1 - size.width()));
    const int y = qBound(screen.top(), at.y(), qMax(screen.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

void HelpPopup::keyPressEvent(QKeyEvent *) { close(); }
