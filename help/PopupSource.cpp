#include "help/PopupSource.h"

#include <QStringList>

namespace PopupSource {

QFont fontFromText(const QString &fontText)
{
    const QStringList parts = fontText.split(QLatin1Char(','));
    QFont font(parts.value(0).trimmed().isEmpty() ? QStringLiteral("Arial") : parts.value(0).trimmed());
    bool ok = false;
    const int size = parts.value(1).trimmed().toInt(&ok);
    font.setPointSize(ok && size > 0 && size <= 400 ? size : 10);
    const QString styles = parts.mid(3).join(QLatin1Char(' '));
    font.setBold(styles.contains(QLatin1String("bold"), Qt::CaseInsensitive));
    font.setItalic(styles.contains(QLatin1String("italic"), Qt::CaseInsensitive));
    font.setUnderline(styles.contains(QLatin1String("underline"), Qt::CaseInsensitive));
    return font;
}

std::optional<QString> topicText(const QString &file, quint32 id)
{
    QStringList lines;
    bool inWanted = false;
    bool found = false;
    for (const QString &line : file.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String(".topic"), Qt::CaseInsensitive)) {
            if (found)
                break;
            bool ok = false;
            const quint32 number = trimmed.mid(6).trimmed().toUInt(&ok, 0);
            inWanted = ok && number == id;
            found = inWanted;
            continue;
        }
        if (inWanted)
            lines.append(line.trimmed());
    }
    if (!found)
        return std::nullopt;
    return lines.join(QLatin1Char('\n')).trimmed();
}

} // namespace PopupSource
