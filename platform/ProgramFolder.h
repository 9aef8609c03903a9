#pragma once

#include <QString>

// Where the program's data lies: next to the binary in the build tree,
// <prefix>/share/vocalino when installed.
QString programFolder();
// programFolder() + "/" + relative.
QString programFile(const QString &relative);
// Tests point the program elsewhere; an empty folder restores the default.
void setProgramFolder(const QString &folder);
