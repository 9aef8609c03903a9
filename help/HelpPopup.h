#pragma once

#include "help/HtmlHelpApi.h"

#include <QLabel>

// A small window with one text, shown at a point until the next click or key.
class HelpPopup : public QLabel
{
    Q_OBJECT
public:
    HelpPopup(const QString &text, const HhPopup &record, QWidget *owner = nullptr);

    // Readable colours: a pair that would hide the text falls back to the usual popup colours.
    static QPair<QColor, QColor> popupColors(OleColor text, OleColor back);
    // Where the popup goes: at the point, kept inside the screen area.
    static QPoint placement(QPoint at, QSize size, QRect screen);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
