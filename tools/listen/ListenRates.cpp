#include "tools/listen/ListenRates.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/FliteVoices.h"
#include "tools/listen/ProcessPool.h"
#include "tools/listen/Recording.h"
#include "tools/listen/WordErrorRate.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int ownTone = 0;        // stands for the voice's own pitch
constexpr int pitchSentences = 4; // the first few are enough for a median F0
constexpr int pitchSpeed = 150;

const VoiceEntry *entryOf(const QString &name)
{
    for (const VoiceEntry &voice : VoiceCatalogue::voices())
        if (voice.name == name)
            return &voice;
    return nullptr;
}

QString cell(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 0) : QStringLiteral("-");
}
} // namespace

ListenRates::ListenRates(const ListenOptions &options, const QStringList &voices,
                         const QStringList &sentences)
    : m_options(options), m_voices(voices), m_sentences(sentences)
{
}

QList<int> ListenRates::speedsOf(const QString &voice) const
{
    const VoiceEntry *entry = entryOf(voice);
    const double natural = entry ? FliteVoices::naturalRate(entry->voice) : 0.0;
    return {100, 150, natural > 0 ? int(std::lround(natural)) : 150};
}

QList<int> ListenRates::tonesOf(const QString &voice) const
{
    const VoiceEntry *entry = entryOf(voice);
    return {100, entry ? entry->basePitch : ownTone, VoiceCatalogue::highestTone};
}

QString ListenRates::path(qsizetype voice, const QString &what) const
{
    return m_options.folder + QStringLiteral("/rate_v%1_%2.wav").arg(voice).arg(what);
}

bool ListenRates::record()
{
    std::vector<ProcessPool::Command> commands;
    const auto say = [&](qsizetype v, int speed, int tone, const QString &text, const QString &what) {
        commands.push_back({m_options.say,
                            {"--voice", m_voices[v], "--speed", QString::number(speed), "--pitch",
                             QString::number(tone), "--wav", path(v, what), text}});
    };
    for (qsizetype v = 0; v < m_voices.size(); ++v) {
        const int own = tonesOf(m_voices[v])[1];
        for (int speed : speedsOf(m_voices[v])) {
            for (qsizetype s = 0; s < m_sentences.size(); ++s)
                say(v, speed, own, m_sentences[s], QStringLiteral("w%1_s%2").arg(speed).arg(s));
            say(v, speed, own, m_sentences.join(u' '), QStringLiteral("w%1_text").arg(speed));
        }
        for (int tone : tonesOf(m_voices[v]))
            for (qsizetype s = 0; s < std::min<qsizetype>(pitchSentences, m_sentences.size()); ++s)
                say(v, pitchSpeed, tone, m_sentences[s], QStringLiteral("p%1_s%2").arg(tone).arg(s));
    }
    ProcessPool pool(m_options.jobs);
    if (!pool.run(commands)) {
        m_error = pool.error();
        return false;
    }
    return true;
}

bool ListenRates::run()
{
    if (!record())
        return false;
    for (qsizetype v = 0; v < m_voices.size(); ++v) {
        Row row{m_voices[v], {}, {}};
        for (int speed : speedsOf(m_voices[v]))
            row.rates += rateAt(v, speed);
        for (int tone : tonesOf(m_voices[v]))
            row.pitches += pitchAt(v, tone);
        m_rows += row;
    }
    return true;
}

ListenRates::Rate ListenRates::rateAt(qsizetype voice, int speed) const
{
    int words = 0;
    double seconds = 0;
    for (qsizetype s = 0; s < m_sentences.size(); ++s) {
        words += int(WordErrorRate::words(m_sentences[s]).size());
        if (const auto recording = Recording::load(path(voice, QStringLiteral("w%1_s%2").arg(speed).arg(s))))
            seconds += recording->speechSeconds();
    }
    Rate rate;
    rate.inSentence = seconds > 0 ? 60.0 * words / seconds : 0.0;
    if (const auto text = Recording::load(path(voice, QStringLiteral("w%1_text").arg(speed))))
        rate.overText = text->speechSeconds() > 0 ? 60.0 * words / text->speechSeconds() : 0.0;
    return rate;
}

std::optional<double> ListenRates::pitchAt(qsizetype voice, int tone) const
{
    std::vector<double> pitches;
    int frames = 0;
    for (qsizetype s = 0; s < std::min<qsizetype>(pitchSentences, m_sentences.size()); ++s)
        if (const auto recording = Recording::load(path(voice, QStringLiteral("p%1_s%2").arg(tone).arg(s)))) {
            const auto found = recording->pitches();
            pitches.insert(pitches.end(), found.begin(), found.end());
            frames += recording->speechFrames();
        }
    return Recording::medianPitch(pitches, frames);
}

QString ListenRates::table() const
{
    QStringList lines = {
        QStringLiteral("voice | wpm in a sentence at 100, 150, natural | wpm over the text at 100, "
                       "150, natural | median F0 (Hz) at tone 100, own, 300")};
    for (const Row &row : m_rows) {
        QStringList sentence, text, pitch;
        for (const Rate &r : row.rates) {
            sentence += QString::number(r.inSentence, 'f', 0);
            text += QString::number(r.overText, 'f', 0);
        }
        for (const auto &p : row.pitches)
            pitch += cell(p);
        lines += QStringLiteral("%1 | %2 | %3 | %4")
                     .arg(row.voice, sentence.join(u' '), text.join(u' '), pitch.join(u' '));
    }
    return lines.join(u'\n') + u'\n';
}
