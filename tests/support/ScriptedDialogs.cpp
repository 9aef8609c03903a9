#include "tests/support/ScriptedDialogs.h"

namespace {
template <typename T>
T takeNext(std::deque<T> &queue, T none)
{
    if (queue.empty())
        return none;
    T next = queue.front();
    queue.pop_front();
    return next;
}
} // namespace

FileDialogResult ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    fileRequests.append(request);
    return takeNext(fileAnswers, FileDialogResult{});
}

FileDialogResult ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    fileRequests.append(request);
    return takeNext(fileAnswers, FileDialogResult{});
}

std::optional<QFont> ScriptedDialogs::chooseFont(QWidget *, const QFont &initial)
{
    fontRequests.append(initial);
    return takeNext(fontAnswers, std::optional<QFont>{});
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget *, const QColor &initial)
{
    colorRequests.append(initial);
    return takeNext(colorAnswers, std::optional<QColor>{});
}
