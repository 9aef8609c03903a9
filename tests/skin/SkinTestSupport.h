#pragma once

#include "skin/ClsSkin.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinSet.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include "platform/SystemCommandEvent.h"

#include <QCoreApplication>
#include <QList>
#include <gtest/gtest.h>
#include <memory>

// Records the system commands a window receives, and refuses them when told to.
class CommandRecorder : public QObject
{
public:
    explicit CommandRecorder(QObject *window, bool refuseSize = false) : m_refuseSize(refuseSize)
    {
        window->installEventFilter(this);
    }
    QList<int> commands;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != SystemCommandEvent::eventType())
            return false;
        auto *command = static_cast<SystemCommandEvent *>(event);
        commands.append(command->command());
        if (m_refuseSize && command->isSizeCommand()) {
            command->ignore();
            return true;
        }
        return false;
    }

private:
    bool m_refuseSize;
};

// A borderless skinned window of a given size, shown headless, with its reports captured.
class SkinnedWindowTest : public ::testing::Test
{
protected:
    void makeWindow(int width, int height, int borderStyle = 0, bool skinned = true)
    {
        window = std::make_unique<SkinnedWindow>();
        window->setBorderStyle(borderStyle);
        window->setCaption(QStringLiteral("Vocalino 5.0"));
        window->resize(width, height);
        skin.setTheForm(window.get());
        if (skinned)
            skin.SetFrmPict();
    }
    void showWindow()
    {
        window->show();
        QCoreApplication::processEvents();
    }
    QRgb at(int x, int y) { return window->surface().pixel(x, y); }
    static QRgb pieceAt(const char *name, int x, int y)
    {
        return SkinSet::bitmap(QLatin1String(name)).pixel(x, y);
    }

    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    std::unique_ptr<SkinnedWindow> window;
    ClsSkin skin;
};
