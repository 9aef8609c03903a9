#pragma once

#include "engine/synth/Synthesis.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>

// One job through espeak-ng, a piece of text at a time, its samples and events
// stamped with their place in the stream. espeak-ng's state is global to the
// process, so every call into it is made under one lock.
class EspeakSynthesis : public Synthesis
{
public:
    // What espeak-ng is given for a voice's speed and pitch.
    struct Controls
    {
        int rate = 175;        // espeak-ng's rate (80..450), its own words a minute
        int pitch = 50;        // 0..100, the voice's own pitch at 50
        double slowdown = 1.0; // the pipeline's stretch below espeak-ng's slowest rate
    };
    static Controls controls(const VoiceEntry &voice, const VoiceSettings &settings);
    static QString startError(); // initialises espeak-ng once
    // espeak-ng's state is global: every use of the library takes this lock.
    static std::mutex &libraryLock();

    EspeakSynthesis(SpeechJob &job, SampleRing &ring);

    // espeak-ng's callback, public for the C trampoline only.
    int onSamples(short *samples, int count, const espeak_EVENT *events);

protected:
    EspeakSynthesis(SpeechJob &job, SampleRing &ring, const Controls &controls);
    void speak(const PieceText &piece) override;

private:
    void handleEvent(const espeak_EVENT &event);
    qint64 positionOf(int audioMs) const;

    Controls m_controls;
    qint64 m_pieceStart = 0;            // synthesised() when the current piece began
    const PieceText *m_piece = nullptr; // the piece being spoken
};
