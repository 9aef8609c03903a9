#include "tools/listen/WordErrorRate.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace WordErrorRate {

QStringList words(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[\\w]+(?:'[\\w]+)*"));
    QStringList found;
    for (auto it = word.globalMatch(text.toLower()); it.hasNext();)
        found += it.next().captured();
    return found;
}

WordErrors compare(const QString &said, const QString &heard)
{
    const QStringList ref = words(said);
    const QStringList hyp = words(heard);
    // One row of the edit-distance table at a time.
    std::vector<int> previous(size_t(hyp.size()) + 1), current(previous.size());
    for (size_t j = 0; j < previous.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= ref.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= hyp.size(); ++j) {
            const int substitute = previous[size_t(j - 1)] + (ref[i - 1] == hyp[j - 1] ? 0 : 1);
            current[size_t(j)] = std::min({substitute, previous[size_t(j)] + 1, current[size_t(j - 1)] + 1});
        }
        std::swap(previous, current);
    }
    return {previous.back(), int(ref.size())};
}

} // namespace WordErrorRate
