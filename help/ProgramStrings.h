#pragma once

#include <QString>

// The program's string table, as the text popups read it by number.
namespace ProgramStrings {
QString text(qint32 id); // empty when there is no such entry
void set(qint32 id, const QString &text);
} // namespace ProgramStrings
