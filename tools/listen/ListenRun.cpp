#include "tools/listen/ListenRun.h"

#include "engine/VoiceCatalogue.h"
#include "tools/listen/ProcessPool.h"
#include "tools/listen/Recogniser.h"
#include "tools/listen/Recording.h"

#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {
void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

std::optional<double> median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// A whisper has hardly any voiced frames; its "pitch" would be noise.
constexpr double voicedShareForPitch = 0.1;

// "Flite slt", "espeak-ng en-us+f1": where the engine this tool is built with takes the voice from.
QString synthesiserOf(const QString &name)
{
    for (const VoiceEntry &voice : VoiceCatalogue::voices())
        if (voice.name == name)
            return (voice.synth == SynthKind::Flite ? QStringLiteral("Flite ") : QStringLiteral("espeak-ng "))
                   + QString::fromLatin1(voice.voice);
    return {};
}
} // namespace

ListenRun::ListenRun(ListenOptions options) : m_options(std::move(options)) {}

int ListenRun::fail(const QString &message) const
{
    print(stderr, QStringLiteral("vocalino-listen: %1\n").arg(message));
    return 2;
}

int ListenRun::run()
{
    if (!readVoices())
        return fail(QStringLiteral("cannot list the voices with %1").arg(m_options.say));
    if (!readSentences())
        return fail(QStringLiteral("no sentences in %1").arg(m_options.sentences));
    if (!record())
        return 2;
    QStringList waves;
    for (qsizetype v = 0; v < m_voices.size(); ++v)
        for (qsizetype s = 0; s < m_sentences.size(); ++s)
            waves += wavePath(v, s);
    Recogniser recogniser(m_options.folder + QStringLiteral("/heard"), m_options.jobs);
    const auto heard = recogniser.hear(waves);
    if (!heard)
        return fail(recogniser.error());
    QList<VoiceResult> results;
    for (qsizetype v = 0; v < m_voices.size(); ++v)
        results += measure(v, heard->mid(v * m_sentences.size(), m_sentences.size()));
    print(stdout, ListenTable::format(results, m_options.check));
    const bool allWithin = std::all_of(results.begin(), results.end(), ListenTable::withinLimit);
    return m_options.check && !allWithin ? 1 : 0;
}

// One voice a line, as vocalino-say lists them. The English sentences are for the catalogue's
// own voices, which come first; the language voices after them are left out.
bool ListenRun::readVoices()
{
    constexpr qsizetype catalogueVoices = 19;
    QProcess list;
    list.start(m_options.say, {"--list-voices"});
    if (!list.waitForFinished(60000) || list.exitCode() != 0)
        return false;
    const QStringList lines = QString::fromLocal8Bit(list.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines.mid(0, catalogueVoices)) {
        const QString name = line.trimmed();
        if (name.isEmpty() || (!m_options.voices.isEmpty() && !m_options.voices.contains(name)))
            continue;
        m_voices += name;
        m_synthesisers += synthesiserOf(name);
    }
    return !m_voices.isEmpty();
}

bool ListenRun::readSentences()
{
    QFile file(m_options.sentences);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.trimmed().isEmpty())
            m_sentences += line.trimmed();
    if (m_options.count > 0)
        m_sentences = m_sentences.mid(0, m_options.count);
    return !m_sentences.isEmpty();
}

QString ListenRun::wavePath(qsizetype voice, qsizetype sentence) const
{
    return m_options.folder + QStringLiteral("/v%1_s%2.wav").arg(voice).arg(sentence);
}

bool ListenRun::record()
{
    std::vector<ProcessPool::Command> commands;
    for (qsizetype v = 0; v < m_voices.size(); ++v)
        for (qsizetype s = 0; s < m_sentences.size(); ++s)
            commands.push_back(
                {m_options.say, {"--voice", m_voices[v], "--wav", wavePath(v, s), m_sentences[s]}});
    ProcessPool pool(m_options.jobs);
    if (!pool.run(commands)) {
        fail(pool.error());
        return false;
    }
    return true;
}

VoiceResult ListenRun::measure(qsizetype voice, const QStringList &heard) const
{
    VoiceResult result{m_voices[voice], m_synthesisers[voice], {}, std::nullopt, 0};
    std::vector<double> pitches;
    double speechSeconds = 0;
    int speechFrames = 0;
    for (qsizetype s = 0; s < m_sentences.size(); ++s) {
        const WordErrors errors = WordErrorRate::compare(m_sentences[s], heard[s]);
        result.errors += errors;
        if (m_options.verbose && errors.wrong > 0)
            print(stdout, QStringLiteral("%1: \"%2\" heard as \"%3\"\n")
                              .arg(m_voices[voice], m_sentences[s], heard[s]));
        if (const auto recording = Recording::load(wavePath(voice, s))) {
            const auto found = recording->pitches();
            pitches.insert(pitches.end(), found.begin(), found.end());
            speechSeconds += recording->speechSeconds();
            speechFrames += recording->speechFrames();
        }
    }
    if (double(pitches.size()) >= voicedShareForPitch * speechFrames)
        result.medianPitch = median(pitches);
    result.wordsPerMinute = speechSeconds > 0 ? 60.0 * result.errors.said / speechSeconds : 0.0;
    return result;
}
