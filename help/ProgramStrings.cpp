#include "help/ProgramStrings.h"

#include <QHash>

namespace {
QHash<qint32, QString> &table()
{
    static QHash<qint32, QString> strings;
    return strings;
}
} // namespace

namespace ProgramStrings {
QString text(qint32 id) { return table().value(id); }
void set(qint32 id, const QString &text) { table().insert(id, text); }
} // namespace ProgramStrings
