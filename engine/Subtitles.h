#pragma once

#include "engine/synth/SpeechJob.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

// The timed lines of a recording for a subtitle file: one cue a sentence, from its
// first word's sound to the next sentence's, with the time of every word.
class Subtitles
{
public:
    enum class Format { SubRip, WebVtt, Lyrics };

    struct Piece
    {
        qint64 ms = 0;
        QString text; // the word and what follows it up to the next word
    };
    struct Cue
    {
        qint64 startMs = 0;
        qint64 endMs = 0;
        QList<Piece> pieces;
        QString text() const;
    };

    // By the file name's extension (.srt, .vtt, .lrc); none for any other.
    static std::optional<Format> formatFor(const QString &path);
    static QStringList extensions();

    // Sentences without a word heard (punctuation alone) get no cue.
    static QList<Cue> cues(const QString &text, const std::vector<RecordedWord> &words, qint64 frames,
                           int sampleRate);
    static QString write(const QList<Cue> &cues, Format format);

private:
    static QString subRip(const QList<Cue> &cues);
    static QString webVtt(const QList<Cue> &cues);
    static QString lyrics(const QList<Cue> &cues);
};
