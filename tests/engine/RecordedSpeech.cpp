#include "RecordedSpeech.h"

#include "engine/VoiceCatalogue.h"
#include "engine/audio/SampleRing.h"
#include "engine/synth/Synthesis.h"

#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

namespace RecordedSpeech {

std::vector<qint16> synthesise(VoiceEntry voice, const QString &text, int speed, int pitch)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("voice.wav");
    SampleRing ring(4096);
    SpeechJob job;
    job.text = text;
    voice.effect = VoiceEffect::None;
    job.voice = voice;
    job.settings = VoiceCatalogue::resolve(voice, speed, pitch);
    job.writer = WaveWriter::open(path, Synthesis::sampleRate);
    job.generation = ring.generation();
    Synthesis::create(job, ring)->run();
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    std::vector<qint16> samples(size_t(std::max<sf_count_t>(info.frames, 0)));
    if (file) {
        sf_read_short(file, samples.data(), sf_count_t(samples.size()));
        sf_close(file);
    }
    return samples;
}

} // namespace RecordedSpeech
