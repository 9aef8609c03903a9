#include "skin/SkinSet.h"

#include "platform/AppError.h"
#include "skin/BmpDecoder.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace {

QImage loadCached(const QString &path)
{
    static QHash<QString, QImage> cache; // GUI thread only
    auto it = cache.constFind(path);
    if (it != cache.cend())
        return *it;
    QFile file(path);
    QImage image = file.open(QIODevice::ReadOnly) ? BmpDecoder::decode(file.readAll()) : QImage();
    if (image.isNull())
        image = QImage(path); // a bitmap of another kind
    if (image.isNull())
        throw AppError(AppError::ResourceNotFound);
    cache.insert(path, image);
    return image;
}

bool isResourceName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]+$"));
    return plain.match(name).hasMatch();
}

} // namespace

QImage SkinSet::bitmap(const QString &name)
{
    if (!isResourceName(name))
        throw AppError(AppError::ResourceNotFound);
    return loadCached(QStringLiteral(":/skin/%1.bmp").arg(name.toUpper()));
}

QImage SkinSet::picture(const QString &name)
{
    if (!isResourceName(name))
        throw AppError(AppError::ResourceNotFound);
    return loadCached(QStringLiteral(":/pictures/%1.bmp").arg(name.toLower()));
}

QString SkinSet::text(int id)
{
    QFile file(QStringLiteral(":/strings/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(AppError::ResourceNotFound);
    return QString::fromUtf8(file.readAll());
}

OleColor SkinSet::colour(int id)
{
    return hexLiteralValue(text(id));
}

quint32 hexLiteralValue(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^&[Hh]([0-9A-Fa-f]{1,8})&?$"));
    static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,10}$"));
    const QString trimmed = text.trimmed();
    bool ok = false;
    quint32 value = 0;
    if (const auto m = hex.match(trimmed); m.hasMatch())
        value = m.captured(1).toUInt(&ok, 16);
    else if (decimal.match(trimmed).hasMatch())
        value = trimmed.toUInt(&ok, 10);
    if (!ok)
        throw AppError(AppError::TypeMismatch);
    return value;
}
