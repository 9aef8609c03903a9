#pragma once

#include "skin/ClsSkin.h"
#include "skin/SkinnedWindow.h"

#include <QLabel>

// The skinned test window: a borderless 800 by 572 window with the three caption buttons
// and the caption label, skinned as the main window is.
class SkinTestWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    explicit SkinTestWindow(QWidget *parent = nullptr);

private:
    QLabel *captionButton(const char *tag, const char *picture, const QString &tip);
    ClsSkin m_skin;
};
