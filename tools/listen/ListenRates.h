#pragma once

#include "tools/listen/ListenRun.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How fast and how high each voice speaks at the sliders' marks: words a minute
// within a sentence (the sentences recorded one by one) and over a text (all of
// them as one), at speed 100, 150 and the voice's natural rate; median F0 at
// tone 100, the voice's own pitch and 300.
class ListenRates
{
public:
    ListenRates(const ListenOptions &options, const QStringList &voices, const QStringList &sentences);
    bool run();
    QString table() const;
    QString error() const { return m_error; }

private:
    struct Rate
    {
        double inSentence = 0;
        double overText = 0;
    };
    struct Row
    {
        QString voice;
        QList<Rate> rates;                    // at each of the speeds
        QList<std::optional<double>> pitches; // at each of the tones
    };
    QList<int> speedsOf(const QString &voice) const;
    QList<int> tonesOf(const QString &voice) const;
    QString path(qsizetype voice, const QString &what) const;
    bool record();
    Rate rateAt(qsizetype voice, int speed) const;
    std::optional<double> pitchAt(qsizetype voice, int tone) const;

    ListenOptions m_options;
    QStringList m_voices;
    QStringList m_sentences;
    QList<Row> m_rows;
    QString m_error;
};
