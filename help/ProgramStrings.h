#pragma once

#include <QString>

// The program's string table, as the text popups read it by number: the string
// resources the program carries (":/strings/<number>").
namespace ProgramStrings {
QString text(qint32 id); // empty when there is no such entry
} // namespace ProgramStrings
