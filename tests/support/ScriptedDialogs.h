#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <deque>

// Stands in for the person choosing files, fonts and colours. Each call takes the
// next queued answer; with none queued the dialog counts as cancelled.
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs() { Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(nullptr); }

    FileDialogResult openFile(const FileDialogRequest &request) override;
    FileDialogResult saveFile(const FileDialogRequest &request) override;
    std::optional<QFont> chooseFont(QWidget *owner, const QFont &initial) override;
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) override;

    std::deque<FileDialogResult> fileAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;

    QList<FileDialogRequest> fileRequests;
    QList<QFont> fontRequests;
    QList<QColor> colorRequests;
};
