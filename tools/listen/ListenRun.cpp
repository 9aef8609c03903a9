#include "tools/listen/ListenRun.h"

#include "engine/VoiceCatalogue.h"
#include "tools/listen/ListenRates.h"
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

// "Flite slt", "espeak-ng en-us+f1": where the engine this tool is built with takes the voice from.
QString synthesiserOf(const QString &name)
{
    for (const VoiceEntry &voice : VoiceCatalogue::voices())
        if (voice.name == name)
            return (voice.synth == SynthKind::Flite ? QStringLiteral("Flite ")
                                                    : QStringLiteral("espeak-ng ")) +
                   QString::fromLatin1(voice.voice);
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
    m_takes = ListenTakes::forVoices(m_voices);
    if (!record() || !bringBackSlowedTakes())
        return 2;
    QStringList waves;
    for (qsizetype t = 0; t < m_takes.size(); ++t)
        for (qsizetype s = 0; s < m_sentences.size(); ++s)
            waves += heardPath(t, s);
    Recogniser recogniser(m_options.folder + QStringLiteral("/heard"), m_options.jobs);
    const auto heard = recogniser.hear(waves);
    if (!heard)
        return fail(recogniser.error());
    QList<VoiceResult> results;
    for (qsizetype t = 0; t < m_takes.size(); ++t)
        results += measure(t, heard->mid(t * m_sentences.size(), m_sentences.size()));
    print(stdout, ListenTable::format(results, m_options.check));
    if (m_options.rates) {
        ListenRates rates(m_options, m_voices, m_sentences);
        if (!rates.run())
            return fail(rates.error());
        print(stdout, QStringLiteral("\n") + rates.table());
    }
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

QString ListenRun::wavePath(qsizetype take, qsizetype sentence) const
{
    return m_options.folder + QStringLiteral("/t%1_s%2.wav").arg(take).arg(sentence);
}

// What the recogniser hears: the recording, or a slowed one brought back to length.
QString ListenRun::heardPath(qsizetype take, qsizetype sentence) const
{
    if (!m_takes[take].lengthOf)
        return wavePath(take, sentence);
    return m_options.folder + QStringLiteral("/t%1_s%2_back.wav").arg(take).arg(sentence);
}

bool ListenRun::record()
{
    std::vector<ProcessPool::Command> commands;
    for (qsizetype t = 0; t < m_takes.size(); ++t)
        for (qsizetype s = 0; s < m_sentences.size(); ++s)
            commands.push_back(
                {m_options.say,
                 {"--voice", m_takes[t].voice, "--speed", QString::number(m_takes[t].speed), "--pitch",
                  QString::number(m_takes[t].pitch), "--wav", wavePath(t, s), m_sentences[s]}});
    ProcessPool pool(m_options.jobs);
    if (!pool.run(commands)) {
        fail(pool.error());
        return false;
    }
    return true;
}

// Each slowed recording is brought back to the length of the same sentence in
// the take it is measured against (sox tempo -s, the ratio of the two lengths
// of speech): this judges what the slowing kept, not the slowness itself.
bool ListenRun::bringBackSlowedTakes()
{
    std::vector<ProcessPool::Command> commands;
    for (qsizetype t = 0; t < m_takes.size(); ++t) {
        if (!m_takes[t].lengthOf)
            continue;
        for (qsizetype s = 0; s < m_sentences.size(); ++s) {
            const auto slowed = Recording::load(wavePath(t, s));
            const auto wanted = Recording::load(wavePath(*m_takes[t].lengthOf, s));
            if (!slowed || !wanted || wanted->speechSeconds() <= 0) {
                fail(QStringLiteral("cannot read the recordings of \"%1\"").arg(m_sentences[s]));
                return false;
            }
            const double ratio = slowed->speechSeconds() / wanted->speechSeconds();
            commands.push_back( // without sox's random dither, so that a take is heard alike every run
                {QStringLiteral("sox"),
                 {"-D", wavePath(t, s), heardPath(t, s), "tempo", "-s", QString::number(ratio, 'f', 4)}});
        }
    }
    ProcessPool pool(m_options.jobs);
    if (!pool.run(commands)) {
        fail(pool.error());
        return false;
    }
    return true;
}

VoiceResult ListenRun::measure(qsizetype take, const QStringList &heard) const
{
    const ListenTake &t = m_takes[take];
    VoiceResult result{t.voice, synthesiserOf(t.voice), {}, std::nullopt, 0,
                       QStringLiteral("%1 %2/%3").arg(t.setting).arg(t.speed).arg(t.pitch), t.limitPercent};
    std::vector<double> pitches;
    double speechSeconds = 0;
    int speechFrames = 0;
    for (qsizetype s = 0; s < m_sentences.size(); ++s) {
        const WordErrors errors = WordErrorRate::compare(m_sentences[s], heard[s]);
        result.errors += errors;
        if (m_options.verbose && errors.wrong > 0)
            print(stdout, QStringLiteral("%1 (%2): \"%3\" heard as \"%4\"\n")
                              .arg(t.voice, t.setting, m_sentences[s], heard[s]));
        if (const auto recording = Recording::load(wavePath(take, s))) {
            const auto found = recording->pitches();
            pitches.insert(pitches.end(), found.begin(), found.end());
            speechSeconds += recording->speechSeconds();
            speechFrames += recording->speechFrames();
        }
    }
    result.medianPitch = Recording::medianPitch(pitches, speechFrames);
    result.wordsPerMinute = speechSeconds > 0 ? 60.0 * result.errors.said / speechSeconds : 0.0;
    return result;
}
