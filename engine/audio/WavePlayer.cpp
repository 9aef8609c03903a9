#include "engine/audio/WavePlayer.h"

#include "engine/audio/AudioOutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <sndfile.h>

namespace {
// Sounds longer than this are not start sounds; the rest is not waited for.
constexpr sf_count_t maximumFrames = sf_count_t(48000) * 60 * 5;
// A new stream may start late: here an audio server took two seconds to play one second
// through, paplay as well as we. Closing the stream sooner cuts the sound's end off.
constexpr qint64 graceMs = 2000;
} // namespace

WavePlayer::Sound WavePlayer::load(const QString &path)
{
    Sound sound;
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return sound;
    if (info.channels > 0 && info.channels <= 16 && info.samplerate > 0 && info.frames > 0) {
        const sf_count_t frames = std::min(info.frames, maximumFrames);
        std::vector<qint16> interleaved(size_t(frames * info.channels));
        const sf_count_t got = sf_readf_short(file, interleaved.data(), frames);
        sound.sampleRate = info.samplerate;
        sound.samples.resize(size_t(std::max<sf_count_t>(got, 0)));
        for (sf_count_t f = 0; f < got; ++f) {
            int sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += interleaved[size_t(f * info.channels + c)];
            sound.samples[size_t(f)] = qint16(sum / info.channels);
        }
    }
    sf_close(file);
    return sound;
}

WavePlayer::Result WavePlayer::playAndWait(const QString &path, QString *error)
{
    const Sound sound = load(path);
    if (sound.samples.empty()) {
        if (error)
            *error = QStringLiteral("The sound \"%1\" is missing or damaged").arg(path);
        return Result::Unplayable;
    }
    std::unique_ptr<AudioOutput> output = AudioOutput::create();
    output->start(sound.sampleRate);
    if (!output->followsClock()) {
        // A sink a test drives by hand: nobody would play it while we wait.
        output->write(sound.samples.data(), qint64(sound.samples.size()));
        return Result::Played;
    }
    const qint64 total = qint64(sound.samples.size());
    const qint64 limitMs = total * 1000 / sound.sampleRate + graceMs;
    QElapsedTimer clock;
    clock.start();
    qint64 handed = 0;
    for (;;) {
        handed += output->write(sound.samples.data() + handed, total - handed);
        if (handed == total && output->playedSamples() >= total)
            return Result::Played;
        if (clock.elapsed() >= limitMs)
            break;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(5);
    }
    if (error)
        *error = QStringLiteral("The sound \"%1\" did not finish playing within %2 seconds: "
                                "the sound device played %3% of it")
                     .arg(path)
                     .arg(double(limitMs) / 1000.0, 0, 'f', 1)
                     .arg(output->playedSamples() * 100 / total);
    return Result::TimedOut;
}
