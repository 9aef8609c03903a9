#include "help/ProgramStrings.h"

#include <QFile>

namespace {
constexpr qint64 MaxStringBytes = 64 * 1024;
} // namespace

namespace ProgramStrings {
QString text(qint32 id)
{
    QFile entry(QStringLiteral(":/strings/%1").arg(id));
    if (id < 0 || !entry.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(entry.read(MaxStringBytes));
}
} // namespace ProgramStrings
