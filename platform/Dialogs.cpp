#include "platform/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace {
Dialogs *installedDialogs = nullptr;

FileDialogResult runFileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(request.owner, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    Dialogs::prepare(dialog, request);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.fileName = dialog.selectedFiles().constFirst();
    result.filterIndex = Dialogs::chosenFilter(dialog);
    return result;
}
} // namespace

Dialogs &Dialogs::current()
{
    static QtDialogs qtDialogs;
    return installedDialogs ? *installedDialogs : qtDialogs;
}

void Dialogs::install(Dialogs *dialogs) { installedDialogs = dialogs; }

QStringList Dialogs::toQtFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        // The dialog hides the pattern list, so the description shows as the program wrote it.
        result << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns);
    }
    return result;
}

void Dialogs::prepare(QFileDialog &dialog, const FileDialogRequest &request)
{
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    const QStringList filters = toQtFilters(request.filter);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

int Dialogs::chosenFilter(const QFileDialog &dialog)
{
    const QStringList filters = dialog.nameFilters();
    const QString selected = dialog.selectedNameFilter();
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (filters.at(i) == selected || filters.at(i).startsWith(selected + QStringLiteral(" (")))
            return int(i) + 1;
    return 0;
}

FileDialogResult QtDialogs::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

FileDialogResult QtDialogs::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QFont> QtDialogs::chooseFont(QWidget *owner, const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, owner);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget *owner, const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial, owner);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}
