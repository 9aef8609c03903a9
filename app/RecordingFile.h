#pragma once

#include <QString>

// The file a recording goes to, from the name in the file box: a name without a
// folder lands in the user's home folder; the name is otherwise used unchanged
// (no extension is added). Blank text gives an empty path.
QString recordingPath(const QString &typedName, const QString &homeFolder);

// True when the path names an existing file or folder; never fails.
bool pathExists(const QString &path);

// True when an engine failure code says the file could not be written (not the synthesiser).
bool isFileProblem(qint32 code);
