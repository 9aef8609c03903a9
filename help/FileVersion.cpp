#include "help/FileVersion.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace FileVersion {

std::optional<FileVersionNumbers> fromFileName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("\\.so\\.(\\d+(?:\\.\\d+){0,3})$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    quint16 parts[4] = {0, 0, 0, 0};
    const QStringList numbers = match.captured(1).split(QLatin1Char('.'));
    for (int i = 0; i < numbers.size(); ++i) {
        bool ok = false;
        const uint value = numbers[i].toUInt(&ok);
        if (!ok || value > 0xFFFF)
            return std::nullopt;
        parts[i] = quint16(value);
    }
    return FileVersionNumbers{parts[0], parts[1], parts[2], parts[3]};
}

std::optional<FileVersionNumbers> read(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return std::nullopt;
    const QString real = file.canonicalFilePath();
    return fromFileName(QFileInfo(real.isEmpty() ? path : real).fileName());
}

QString text(const FileVersionNumbers &version)
{
    const auto padded = [](int value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    };
    if (qint16(version.build) > 0)
        return QStringLiteral("%1.%2.%3.%4")
            .arg(version.major)
            .arg(padded(version.minor, 2), padded(version.build, 2), padded(version.revision, 2));
    return QStringLiteral("%1.%2.%3").arg(version.major).arg(padded(version.minor, 2), padded(version.revision, 4));
}

std::optional<int> compare(const QString &a, const QString &b)
{
    const QStringList left = a.split(QLatin1Char('.'));
    const QStringList right = b.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < qMax(left.size(), right.size()); ++i) {
        bool leftOk = true;
        bool rightOk = true;
        const qulonglong l = i < left.size() ? left[i].toULongLong(&leftOk) : 0;
        const qulonglong r = i < right.size() ? right[i].toULongLong(&rightOk) : 0;
        if (!leftOk || !rightOk)
            return std::nullopt;
        if (l != r)
            return l < r ? -1 : 1;
    }
    return 0;
}

} // namespace FileVersion
