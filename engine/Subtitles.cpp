#include "engine/Subtitles.h"

#include "engine/synth/Sentences.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {
qint64 milliseconds(qint64 sample, int sampleRate)
{
    return sampleRate > 0 ? (sample * 1000 + sampleRate / 2) / sampleRate : 0;
}

// hh:mm:ss and the milliseconds after `separator`.
QString clock(qint64 ms, QChar separator)
{
    return QStringLiteral("%1:%2:%3%4%5")
        .arg(ms / 3600000, 2, 10, QChar(u'0'))
        .arg(ms / 60000 % 60, 2, 10, QChar(u'0'))
        .arg(ms / 1000 % 60, 2, 10, QChar(u'0'))
        .arg(separator)
        .arg(ms % 1000, 3, 10, QChar(u'0'));
}

// mm:ss.xx, minutes unbounded.
QString lyricsClock(qint64 ms)
{
    const qint64 hundredths = (ms + 5) / 10;
    return QStringLiteral("%1:%2.%3")
        .arg(hundredths / 6000, 2, 10, QChar(u'0'))
        .arg(hundredths / 100 % 60, 2, 10, QChar(u'0'))
        .arg(hundredths % 100, 2, 10, QChar(u'0'));
}

QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c.isSpace())
            c = u' ';
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    return line.replace(blanks, QStringLiteral(" "));
}

QString escapedForVtt(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

Subtitles::Cue cueOf(const QString &text, const Sentences::Span &sentence,
                     const std::map<int, qint64> &wordStarts)
{
    Subtitles::Cue cue;
    const auto first = wordStarts.lower_bound(int(sentence.start));
    for (auto word = first; word != wordStarts.end() && word->first < sentence.end; ++word) {
        const auto next = std::next(word);
        // The sentence's opening (a quote) goes with its first word.
        const qsizetype from = word == first ? sentence.start : word->first;
        const qsizetype to =
            next == wordStarts.end() ? sentence.end : std::min<qsizetype>(next->first, sentence.end);
        cue.pieces.append({word->second, oneLine(text.mid(from, to - from))});
    }
    if (!cue.pieces.isEmpty()) {
        cue.pieces.last().text = cue.pieces.last().text.trimmed();
        cue.startMs = cue.pieces.first().ms;
    }
    return cue;
}
} // namespace

QString Subtitles::Cue::text() const
{
    QString all;
    for (const Piece &piece : pieces)
        all += piece.text;
    return all;
}

std::optional<Subtitles::Format> Subtitles::formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"srt")
        return Format::SubRip;
    if (suffix == u"vtt")
        return Format::WebVtt;
    if (suffix == u"lrc")
        return Format::Lyrics;
    return std::nullopt;
}

QStringList Subtitles::extensions()
{
    return {QStringLiteral("srt"), QStringLiteral("vtt"), QStringLiteral("lrc")};
}

QList<Subtitles::Cue> Subtitles::cues(const QString &text, const std::vector<RecordedWord> &words,
                                      qint64 frames, int sampleRate)
{
    std::map<int, qint64> wordStarts; // text position -> ms; a word reported twice keeps its first time
    for (const RecordedWord &word : words)
        if (word.start >= 0 && word.start < text.size())
            wordStarts.emplace(word.start, milliseconds(word.sample, sampleRate));
    QList<Cue> cues;
    for (const Sentences::Span &sentence : Sentences::split(text)) {
        const Cue cue = cueOf(text, sentence, wordStarts);
        if (!cue.pieces.isEmpty())
            cues.append(cue);
    }
    const qint64 lastMs = milliseconds(frames, sampleRate);
    for (qsizetype i = 0; i < cues.size(); ++i) {
        const qint64 end = i + 1 < cues.size() ? cues.at(i + 1).startMs : lastMs;
        cues[i].endMs = std::max(end, cues.at(i).startMs + 1);
    }
    return cues;
}

QString Subtitles::write(const QList<Cue> &cues, Format format)
{
    switch (format) {
    case Format::SubRip:
        return subRip(cues);
    case Format::WebVtt:
        return webVtt(cues);
    case Format::Lyrics:
        break;
    }
    return lyrics(cues);
}

QString Subtitles::subRip(const QList<Cue> &cues)
{
    QString out;
    for (qsizetype i = 0; i < cues.size(); ++i)
        out += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                   .arg(i + 1)
                   .arg(clock(cues[i].startMs, u','), clock(cues[i].endMs, u','), cues[i].text());
    return out;
}

// Each word after the first carries its time, as WebVTT's karaoke timestamps do.
QString Subtitles::webVtt(const QList<Cue> &cues)
{
    QString out = QStringLiteral("WEBVTT\n\n");
    for (const Cue &cue : cues) {
        out += QStringLiteral("%1 --> %2\n").arg(clock(cue.startMs, u'.'), clock(cue.endMs, u'.'));
        qint64 previous = cue.startMs;
        for (const Piece &piece : cue.pieces) {
            if (piece.ms > previous && piece.ms < cue.endMs) {
                out += u'<' + clock(piece.ms, u'.') + u'>';
                previous = piece.ms;
            }
            out += escapedForVtt(piece.text);
        }
        out += QStringLiteral("\n\n");
    }
    return out;
}

// Enhanced lyrics: a line a sentence, each word with its own time; an empty line ends the last.
QString Subtitles::lyrics(const QList<Cue> &cues)
{
    QString out;
    for (const Cue &cue : cues) {
        out += u'[' + lyricsClock(cue.startMs) + u']';
        for (const Piece &piece : cue.pieces)
            out += u'<' + lyricsClock(piece.ms) + u'>' + piece.text;
        out += u'\n';
    }
    if (!cues.isEmpty())
        out += u'[' + lyricsClock(cues.last().endMs) + QStringLiteral("]\n");
    return out;
}
