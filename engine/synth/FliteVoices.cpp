#include "engine/synth/FliteVoices.h"

#include "engine/synth/Pacing.h"
#include "engine/synth/SynthLog.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <mutex>

#include <dlfcn.h>

extern "C" {
#include <flite/flite.h>
}

namespace {
struct Known
{
    const char *name;
    const char *library; // loaded when first needed, so that a missing voice is a message, not a failed start
    // Measured within sentences at the voice's own settings: words over the time
    // from the first to the last sound (tests/data/engine/pacing.txt).
    double naturalWpm;
    FliteVoices::PitchControl pitch;
    // Formants over the voice's own. Played slower than it speaks, a voice sounds
    // from a longer vocal tract; its F0 and durations are raised to make up for it.
    double formantScale;
};
// rms keeps its F0 whatever f0_shift or int_f0_target_mean say (measured), so
// the pipeline moves his pitch.
//
// slt's formants sit where the recogniser hears her worst. Decided on the 503
// words of tests/data/tuning-sentences.txt, which the listening guard never
// hears (slt at its own rate, pocketsphinx_batch): 23.7% missed untouched,
// 18.1% with formants at 0.97, 14.3% at 0.945, 13.5% at 0.92. 0.945 wins 9.4
// points; lower gains under a point for a tract nearer a man's. rms and kal16
// lose words either way. At 0.945 she plays at 15120 Hz, a small ratio to the
// stream's rate, and still sounds a woman at 171 Hz.
const Known known[] = {
    {"slt", "cmu_us_slt", 229.0, FliteVoices::PitchControl::F0Shift, 0.945},
    {"rms", "cmu_us_rms", 194.0, FliteVoices::PitchControl::Excitation, 1.0},
    {"kal16", "cmu_us_kal16", 240.0, FliteVoices::PitchControl::TargetMean, 1.0},
};

// kal16's median F0 against its int_f0_target_mean, measured from 95 to 324 Hz
// with its own spread: 88 Hz at its own 95, 200 at 200, 308 at 300; a line,
// F0 = 1.073 target - 14. Scaling the target, or its spread, overshoots by 10%
// at 300 Hz.
constexpr double targetSlope = 1.073;

// The target that gives the voice f0Factor times its own F0.
double targetMeanFor(double ownTarget, double f0Factor)
{
    const double ownF0 = targetSlope * ownTarget - 14.0;
    return ownTarget + (f0Factor - 1.0) * ownF0 / targetSlope;
}

struct Registered
{
    cst_voice *voice = nullptr;
    float stretch = 1.0f; // the voice's own duration_stretch
    float f0Mean = 0.0f;  // diphone voices' own F0 target
};

struct State
{
    Registered voices[std::size(known)];
};

State &state()
{
    static State s;
    return s;
}

int indexOf(const QByteArray &name)
{
    for (size_t i = 0; i < std::size(known); ++i)
        if (name == known[i].name)
            return int(i);
    return -1;
}

// The voice's library from the folder VOCALINO_FLITE_VOICES names, else from the
// loader's own search path.
cst_voice *loadVoice(const Known &voice)
{
    const QString file = QStringLiteral("libflite_%1.so.1").arg(QLatin1String(voice.library));
    const QString folder = qEnvironmentVariable("VOCALINO_FLITE_VOICES");
    const QString path = folder.isEmpty() ? file : QDir(folder).filePath(file);
    void *library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    using Register = cst_voice *(*)(const char *);
    const QByteArray symbol = QByteArrayLiteral("register_") + voice.library;
    auto registerVoice = reinterpret_cast<Register>(dlsym(library, symbol.constData()));
    return registerVoice ? registerVoice(nullptr) : nullptr;
}

void registerAll()
{
    flite_init();
    for (size_t i = 0; i < std::size(known); ++i) {
        Registered &r = state().voices[i];
        r.voice = loadVoice(known[i]);
        if (!r.voice) {
            qCWarning(lcSynth) << "Flite's voice" << known[i].library << "could not be loaded:" << dlerror();
            continue;
        }
        r.stretch = flite_get_param_float(r.voice->features, "duration_stretch", 1.0f);
        r.f0Mean = flite_get_param_float(r.voice->features, "int_f0_target_mean", 100.0f);
    }
}
} // namespace

namespace FliteVoices {

double naturalRate(const QByteArray &name)
{
    const int i = indexOf(name);
    return i < 0 ? 0.0 : known[i].naturalWpm;
}

int playbackRate(const QByteArray &name)
{
    const int i = indexOf(name);
    return int(std::lround(voiceRate * (i < 0 ? 1.0 : known[i].formantScale)));
}

Controls controls(const VoiceEntry &voice, const VoiceSettings &settings)
{
    Controls c;
    const int i = indexOf(voice.voice);
    const double natural = naturalRate(voice.voice);
    const double lengthening = natural > 0 ? natural / std::max(settings.wordsPerMinute, 1) : 1.0;
    const Pacing::Slowing slowing = Pacing::slowing(lengthening, cleanestStretch);
    c.durationStretch = slowing.own;
    c.slowdown = slowing.pipeline;
    const double factor = double(settings.pitchHertz) / voice.basePitch;
    if (i >= 0 && known[i].pitch == PitchControl::Excitation)
        c.pitchShift = factor;
    else
        c.f0Factor = factor;
    return c;
}

std::mutex &lock()
{
    static std::mutex m;
    return m;
}

QString initialise(const QByteArray &name)
{
    static std::once_flag once;
    std::call_once(once, registerAll);
    const int i = indexOf(name);
    if (i < 0)
        return QStringLiteral("Flite has no voice called %1").arg(QLatin1String(name));
    if (!state().voices[i].voice)
        return QStringLiteral("Flite's voice %1 is not installed (package libflite1)")
            .arg(QLatin1String(known[i].library));
    return {};
}

cst_voice *find(const QByteArray &name)
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : state().voices[i].voice;
}

void apply(const QByteArray &name, const Controls &controls)
{
    const int i = indexOf(name);
    if (i < 0 || !state().voices[i].voice)
        return;
    const Registered &r = state().voices[i];
    cst_features *features = r.voice->features;
    const double scale = known[i].formantScale;
    feat_set_float(features, "duration_stretch", float(r.stretch * controls.durationStretch * scale));
    const double f0Factor = controls.f0Factor / scale;
    if (known[i].pitch == PitchControl::F0Shift) {
        feat_set_float(features, "f0_shift", float(f0Factor));
    } else if (known[i].pitch == PitchControl::TargetMean) {
        feat_set_float(features, "int_f0_target_mean", float(targetMeanFor(r.f0Mean, f0Factor)));
    }
}

} // namespace FliteVoices
