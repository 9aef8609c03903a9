#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}

QString defaultFolder()
{
    const QString binary = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(binary + QStringLiteral("/../share/vocalino"));
    if (QFileInfo(installed).isDir())
        return installed;
    return binary;
}
} // namespace

QString programFolder()
{
    return overriddenFolder().isEmpty() ? defaultFolder() : overriddenFolder();
}

QString programFile(const QString &relative)
{
    return programFolder() + QLatin1Char('/') + relative;
}

void setProgramFolder(const QString &folder) { overriddenFolder() = folder; }
