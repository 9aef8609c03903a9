// vocalino-effect: puts one of the voices' effects on a wave file, to hear
// (or let a recogniser hear) an effect on any speech.
#include "engine/effects/SoundEffect.h"
#include "tools/listen/Recording.h"

#include <QByteArray>
#include <QString>

#include <sndfile.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {
const std::map<QString, VoiceEffect> effects = {
    {"telephone", VoiceEffect::Telephone}, {"hall", VoiceEffect::Hall},
    {"stadium", VoiceEffect::Stadium},     {"space", VoiceEffect::Space},
    {"whisper", VoiceEffect::Whisper},     {"robot1", VoiceEffect::Robot1},
    {"robot2", VoiceEffect::Robot2},       {"robot3", VoiceEffect::Robot3},
    {"robot4", VoiceEffect::Robot4},       {"robot5", VoiceEffect::Robot5},
    {"robot6", VoiceEffect::Robot6},
};

bool writeMono(const char *path, const std::vector<float> &samples, int rate)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path, SFM_WRITE, &info);
    if (!file)
        return false;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const bool ok =
        sf_writef_float(file, samples.data(), sf_count_t(samples.size())) == sf_count_t(samples.size());
    return sf_close(file) == 0 && ok;
}
} // namespace

int main(int argc, char **argv)
{
    const auto effect = argc == 4 ? effects.find(QString::fromLocal8Bit(argv[1])) : effects.end();
    if (effect == effects.end()) {
        std::fputs("usage: vocalino-effect telephone|hall|stadium|space|whisper|robot1..6 IN.wav OUT.wav\n",
                   stderr);
        return 2;
    }
    const auto recording = Recording::load(QString::fromLocal8Bit(argv[2]));
    if (!recording) {
        std::fprintf(stderr, "vocalino-effect: cannot read \"%s\"\n", argv[2]);
        return 2;
    }
    const int rate = recording->rate();
    std::vector<float> samples = recording->samples();
    auto fx = SoundEffect::create(effect->second, rate);
    samples.resize(samples.size() + size_t(fx->tailSeconds() * rate), 0.0f);
    fx->process(samples.data(), int(samples.size()));
    if (!writeMono(argv[3], samples, rate)) {
        std::fprintf(stderr, "vocalino-effect: cannot write \"%s\"\n", argv[3]);
        return 2;
    }
    return 0;
}
