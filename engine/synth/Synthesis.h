#pragma once

#include "engine/effects/SpeechPipeline.h"
#include "engine/mouth/Viseme.h"
#include "engine/synth/Pacing.h"
#include "engine/synth/PieceText.h"
#include "engine/synth/QuietTail.h"
#include "engine/synth/SpeechJob.h"

#include <QString>

#include <memory>
#include <optional>

class SampleRing;

// One job through a synthesiser: the text in, samples and events out through
// the speech pipeline, into the ring (playing) or the job's wave file. Each
// synthesiser keeps its library's calls under its own lock, on the engine's
// synthesis thread; nothing after the pipeline knows which one spoke.
class Synthesis
{
public:
    static constexpr int sampleRate = 22050; // the stream's rate, whichever synthesiser speaks

    static std::unique_ptr<Synthesis> create(SpeechJob &job, SampleRing &ring);
    // Empty when the voice's synthesiser is ready, else why it is not.
    static QString startError(const VoiceEntry &voice);
    // Makes the first sentence of a Flite voice's job ahead, for a later job of the same
    // text and settings to start from; an espeak-ng voice starts soon enough without.
    static void synthesiseAhead(SpeechJob &job, SampleRing &ring);

    virtual ~Synthesis() = default;
    Synthesis(const Synthesis &) = delete;
    Synthesis &operator=(const Synthesis &) = delete;
    JobOutcome run();

protected:
    Synthesis(SpeechJob &job, SampleRing &ring, double slowdown, double pitchShift = 1.0);
    // Before the first piece: false when the voice cannot speak.
    virtual bool begin() { return true; }
    // Says one piece of the text (a sentence, or a part of one too long to be
    // taken at once) through feed(), checking stopped() as it goes.
    virtual void speak(const PieceText &piece) = 0;
    // Silence after a piece, in samples at sampleRate as synthesised (before the slowdown).
    virtual void pause(qint64 count);
    // After the last piece: hands over what the synthesiser still holds.
    virtual void end() {}
    // The job's first sentence, as the loop over the text says it first.
    std::optional<PieceText> firstSentence() const;
    // Synthesised samples of silence for a pause of that kind at the job's speed.
    qint64 pauseSamples(Pacing::Break kind) const;

    // Samples at sampleRate in the order synthesised; false once the job is stopped.
    bool feed(const qint16 *samples, qint64 count);
    // Where the n-th synthesised sample of the job is heard in the stream.
    qint64 streamPosition(qint64 synthesisedSample) const;
    qint64 synthesised() const { return m_synthesised; }
    void pushShape(qint64 position, Viseme shape);
    void pushWord(qint64 position, int start, int length);
    // Every job is watched: playing, for the mouth and the words; recording, for the
    // words alone (subtitles), kept with the job's outcome.
    bool watched() const { return true; }
    bool stopped();
    void stop() { m_stopped = true; }
    // Ends the job as failed: nothing of it is reported as done, a recording is not saved.
    void fail(const QString &why);
    const SpeechJob &job() const { return m_job; }

private:
    // One loop over the text for every synthesiser: sentence by sentence, each
    // followed by the pause its punctuation asks for.
    void synthesise();
    bool deliver(const qint16 *samples, qint64 count);
    bool stillWanted() const;
    void leadInSilence();

    SpeechJob &m_job;
    SampleRing &m_ring;
    SpeechPipeline m_pipeline;
    QuietTail m_quietTail; // what follows the last sound is never played
    double m_slowdown;
    qint64 m_streamStart = 0; // stream position of the job's first sample
    qint64 m_synthesised = 0;
    std::vector<RecordedWord> m_recordedWords;
    bool m_stopped = false;
    QString m_failure;
};
