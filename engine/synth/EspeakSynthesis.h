#pragma once

#include "engine/audio/SampleRing.h"
#include "engine/synth/SpeechJob.h"
#include "engine/effects/SpeechPipeline.h"

#include <QString>

#include <espeak-ng/speak_lib.h>

#include <mutex>
#include <vector>

// One job through espeak-ng: piece by piece, samples and events stamped with
// their place in the stream, until the text ends or the job is stopped.
class EspeakSynthesis
{
public:
    static int sampleRate(); // initialises espeak-ng once; 0 when it failed
    static QString initialisationError();
    // espeak-ng's state is global: every use of the library takes this lock.
    static std::mutex &libraryLock();

    EspeakSynthesis(SpeechJob &job, SampleRing &ring);
    JobOutcome run();

    // espeak-ng's callback, public for the C trampoline only.
    int onSamples(short *samples, int count, const espeak_EVENT *events);

private:
    bool deliver(const qint16 *samples, qint64 count);
    bool stillWanted() const;
    bool synthesisePiece(qsizetype from, qsizetype to);
    void handleEvent(const espeak_EVENT &event);
    qint64 streamPosition(int audioMs) const;
    int textPosition(int characterIndex) const;
    void pushShape(qint64 position, int shape);

    SpeechJob &m_job;
    SampleRing &m_ring;
    SpeechPipeline m_pipeline;
    int m_rate;
    qint64 m_streamStart = 0;  // stream position of the job's first sample
    qint64 m_synthesised = 0;  // espeak-ng samples of this job so far
    qint64 m_pieceStart = 0;   // m_synthesised when the current piece began
    qsizetype m_pieceOffset = 0;
    std::vector<qsizetype> m_codePointOffsets; // empty when the piece has no surrogates
    bool m_stopped = false;
};
