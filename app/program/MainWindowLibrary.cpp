#include "app/program/MainWindowLibrary.h"

#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

MainWindowLibrary::MainWindowLibrary(const QString &path) : m_path(path.isEmpty() ? defaultPath() : path) {}

QString MainWindowLibrary::defaultPath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../lib/vocalino/vocalino-main.so"));
}

bool MainWindowLibrary::showMainWindow()
{
    // Kept loaded for the rest of the run: the main window's code lives in it.
    QLibrary library(m_path);
    using Entry = void (*)();
    const auto entry = reinterpret_cast<Entry>(library.resolve(entryPoint));
    if (!entry) {
        MessageBoxes::current().show(
            QStringLiteral("Vocalino 5.0"),
            QStringLiteral(
                "Vocalino cannot open its main window: the file %1 is missing or damaged.\n\n%2\n\n"
                "Installing Vocalino again puts it back.")
                .arg(QDir::toNativeSeparators(m_path), library.errorString()),
            MsgIcon::Critical, MsgButtons::Ok);
        return false;
    }
    entry();
    return true;
}

void MainWindowLibrary::prepare()
{
    QLibrary library(m_path);
    using Entry = void (*)();
    if (const auto entry = reinterpret_cast<Entry>(library.resolve(prepareEntryPoint)))
        entry();
}
