#include "tools/listen/ListenTable.h"

#include <QStringList>

namespace {
QString pitchCell(const VoiceResult &r)
{
    return r.medianPitch ? QString::number(*r.medianPitch, 'f', 0) : QStringLiteral("-");
}

QString row(const QStringList &cells, const QList<int> &widths)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += i == 0 ? cells[i].leftJustified(widths[i])
                       : QStringLiteral("  ") + cells[i].rightJustified(widths[i]);
    return line.trimmed();
}
} // namespace

namespace ListenTable {

int limitPercent(const QString &voice)
{
    for (const char *strong : {"Stadium", "Space", "RoboSoft"})
        if (voice.contains(QLatin1String(strong)))
            return 50;
    for (const char *changed : {"Telephone", "Hall", "Whisper"})
        if (voice.contains(QLatin1String(changed)))
            return 35;
    return 20;
}

int limitPercent(const VoiceResult &result)
{
    return result.limit > 0 ? result.limit : limitPercent(result.voice);
}

bool withinLimit(const VoiceResult &result)
{
    return result.errors.percent() <= limitPercent(result);
}

QString format(const QList<VoiceResult> &results, bool withLimits)
{
    QStringList header = {"voice",           "setting wpm/Hz", "synthesiser",
                          "words wrong (%)", "median F0 (Hz)", "wpm"};
    if (withLimits)
        header += {"limit (%)", ""};
    QList<QStringList> rows = {header};
    for (const VoiceResult &r : results) {
        QStringList cells = {r.voice,
                             r.setting.isEmpty() ? QStringLiteral("-") : r.setting,
                             r.synthesiser.isEmpty() ? QStringLiteral("-") : r.synthesiser,
                             QString::number(r.errors.percent(), 'f', 1),
                             pitchCell(r),
                             QString::number(r.wordsPerMinute, 'f', 0)};
        if (withLimits)
            cells += {QString::number(limitPercent(r)),
                      withinLimit(r) ? QStringLiteral("ok") : QStringLiteral("TOO MANY")};
        rows += cells;
    }
    QList<int> widths(header.size(), 0);
    for (const QStringList &cells : rows)
        for (qsizetype i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], int(cells[i].size()));
    QStringList lines;
    for (const QStringList &cells : rows)
        lines += row(cells, widths);
    return lines.join(u'\n') + u'\n';
}

} // namespace ListenTable
