#pragma once

#include "help/Registry.h"

// What this platform offers in place of the registry entries of HTML Help and
// of the browser: the class entries name the libraries that really serve here
// (chmlib reads the help files, Qt's widgets library shows the pages), and the
// type library of HTML Help is present because the program brings its own viewer.
namespace SystemEntries {
QString helpControlClassKey();
QString browserLibraryClassKey();
QString helpTypeLibraryKey();
QString helpLibraryFile();    // the chmlib in use
QString browserLibraryFile(); // the Qt widgets library in use
QList<RegKey> keys(RegHive hive);
} // namespace SystemEntries
