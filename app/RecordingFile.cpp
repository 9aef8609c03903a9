#include "app/RecordingFile.h"

#include <QDir>
#include <QFileInfo>

QString recordingPath(const QString &typedName, const QString &homeFolder)
{
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return {};
    if (name.startsWith(QLatin1String("~/")))
        return QDir(homeFolder).filePath(name.mid(2));
    if (QDir::isAbsolutePath(name))
        return name;
    return QDir(homeFolder).filePath(name);
}

bool pathExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
