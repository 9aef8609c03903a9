#pragma once

#include "engine/synth/VoiceEntry.h"

#include <QByteArray>
#include <QString>

#include <mutex>

typedef struct cst_voice_struct cst_voice;

// The Flite voices the engine links, registered once, and how a voice's speed
// and pitch become Flite's voice features. Call only under FliteVoices::lock().
namespace FliteVoices {
constexpr int voiceRate = 16000; // every linked voice speaks at this rate
// Flite lengthens cleanly up to this stretch; the speech pipeline slows down the rest.
// Measured with Mary on the 32 sentences (506 words) of tests/data/engine/story300.txt
// and tests/data/engine/pacing.txt, each recording brought back to her own length
// with `sox tempo -s` and heard by pocketsphinx: 14.2% of the words missed at her
// own rate; slowed 2.0 times by Flite alone 15.2%, by the pipeline alone 14.6%;
// slowed 3.0 times by Flite alone 21.3%, Flite 2.0 then the pipeline 15.0%, the
// pipeline alone 14.0%. Flite's duration model holds to 2.0 and smears beyond.
constexpr double cleanestStretch = 2.0;

// How a voice's pitch is moved.
enum class PitchControl { F0Shift, TargetMean, Excitation };

struct Controls
{
    double durationStretch = 1.0; // relative to the voice's own
    double f0Factor = 1.0;        // pitch over the voice's base pitch, given to Flite
    double slowdown = 1.0;        // the pipeline's stretch beyond Flite's
    double pitchShift = 1.0;      // the pipeline's pitch change, for a voice that keeps its own F0
};
Controls controls(const VoiceEntry &voice, const VoiceSettings &settings);
// Words a minute of the voice's words (within a sentence, first to last sound)
// at its own settings; 0 for an unknown voice.
double naturalRate(const QByteArray &name);
// The rate the voice's samples are played at: voiceRate, or less for a voice
// whose formants are lowered.
int playbackRate(const QByteArray &name);

// The lock every Flite call is made under: Flite's voices are not thread-safe.
std::mutex &lock();
// Registers the voices once; empty when the named voice is ready, else why not. Needs no
// lock: nothing speaks before the registration, which runs once, ends.
QString initialise(const QByteArray &name);
// The registered voice, nullptr when unknown.
cst_voice *find(const QByteArray &name);
// Sets the voice's duration and F0 features for the controls.
void apply(const QByteArray &name, const Controls &controls);
} // namespace FliteVoices
