#pragma once

#include "tools/listen/ListenTable.h"
#include "tools/listen/ListenTakes.h"

#include <QString>
#include <QStringList>

struct ListenOptions
{
    QString say;        // vocalino-say
    QString sentences;  // one sentence a line
    int count = 0;      // the first so many sentences; 0 for all
    QStringList voices; // empty for every voice
    QString folder;     // where the recordings go
    int jobs = 1;
    bool check = false;   // fail when a voice loses more words than its limit
    bool verbose = false; // show what was heard wrong
    bool rates = false;   // also measure speaking rates and pitches at the sliders' marks
};

// Records every voice saying the sentences at each of its settings, lets the
// recogniser listen, and measures words wrong, median pitch and speaking rate.
class ListenRun
{
public:
    explicit ListenRun(ListenOptions options);
    // The exit code: 0, 1 when a voice passed its limit under check, 2 on a failure.
    int run();

private:
    bool readVoices();
    bool readSentences();
    QString wavePath(qsizetype take, qsizetype sentence) const;
    QString heardPath(qsizetype take, qsizetype sentence) const;
    bool record();
    bool bringBackSlowedTakes();
    VoiceResult measure(qsizetype take, const QStringList &heard) const;
    int fail(const QString &message) const;

    ListenOptions m_options;
    QStringList m_voices;
    QList<ListenTake> m_takes;
    QStringList m_sentences;
};
