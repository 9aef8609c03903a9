#include "app/RecordingFile.h"

#include "engine/DirectSS.h"

#include <QDir>
#include <QFileInfo>

QString recordingPath(const QString &typedName, const QString &homeFolder)
{
    // Blanks around a name belong to it; only a box of blanks holds no name.
    const QString &name = typedName;
    if (name.trimmed().isEmpty())
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

bool isFileProblem(qint32 code)
{
    switch (code) {
    case DirectSS::InvalidArgument:
    case DirectSS::AccessDenied:
    case DirectSS::PathNotFound:
    case DirectSS::DiskFull:
    case DirectSS::WriteFault:
        return true;
    default:
        return false;
    }
}
