#pragma once

#include "engine/synth/FliteVoices.h"
#include "engine/synth/Resampler.h"
#include "engine/synth/Synthesis.h"

#include <vector>

typedef struct cst_utterance_struct cst_utterance;
typedef struct cst_wave_struct cst_wave;
typedef struct cst_tokenstream_struct cst_tokenstream;
typedef struct cst_relation_struct cst_relation;
typedef struct cst_item_struct cst_item;

// One job through a Flite voice: each piece cut into utterances by the voice's
// own rule, each utterance's audio handed over in pieces while it is
// synthesised, without its leading and trailing pause (the shared loop pauses
// by the punctuation), raised to the stream's rate. Words and mouth shapes come
// from the utterance's tokens and segments.
class FliteSynthesis : public Synthesis
{
public:
    static QString startError(const QByteArray &voice); // registers the voices once

    FliteSynthesis(SpeechJob &job, SampleRing &ring);
    // Synthesises the first utterance of the job's first sentence and keeps it for a later
    // job of the same text and settings (FliteHeadStart); nothing is heard.
    void synthesiseAhead();

    // Flite's streaming callback, public for the C trampoline only.
    int onAudio(const cst_wave *wave, int start, int size, const cst_utterance *utterance);

protected:
    FliteSynthesis(SpeechJob &job, SampleRing &ring, const FliteVoices::Controls &controls);
    bool begin() override;
    void speak(const PieceText &piece) override;
    void pause(qint64 count) override;
    void end() override;

private:
    bool breakBefore(cst_tokenstream *ts, const char *token, cst_relation *tokens, int count) const;
    void appendToken(cst_relation *tokens, cst_tokenstream *ts, const char *token, const PieceText &piece);
    void speakUtterance(cst_utterance *utterance);
    cst_utterance *synthesise(cst_utterance *utterance, const QByteArray &key);
    void keepAhead(cst_utterance *utterance, const QByteArray &key);
    cst_utterance *synthesiseAfresh(cst_utterance *utterance);
    void prepare(const cst_utterance *utterance);
    void deliver(const cst_wave *wave, qint64 from, qint64 to);
    void handOver(const qint16 *samples, qint64 count);
    void pushEvents(const cst_item *segment);
    static qint64 secondsToSamples(float seconds);
    qint64 positionOf(float seconds) const;

    cst_voice *m_voice = nullptr;
    FliteVoices::Controls m_controls;
    Resampler m_resampler;
    std::vector<qint16> m_resampled;
    qint64 m_utteranceStart = 0; // voice samples of the job before the current utterance
    qint64 m_streamed = 0;       // voice samples of the current utterance handed over
    qint64 m_keepFrom = 0;       // the current utterance's samples that are heard
    qint64 m_keepTo = 0;
    bool m_prepared = false;
    bool m_ahead = false; // synthesising ahead: keep the first utterance, hand nothing over
};
