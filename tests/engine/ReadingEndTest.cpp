#include "SpeechMeasure.h"

#include "engine/DirectSS.h"
#include "engine/VoiceCatalogue.h"
#include "engine/audio/ClockAudioOutput.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// A hand-driven clock that keeps what it was given to play.
class KeepingOutput : public ClockAudioOutput
{
public:
    KeepingOutput() : ClockAudioOutput(Pace::Manual) {}
    qint64 write(const qint16 *samples, qint64 count) override
    {
        const qint64 taken = ClockAudioOutput::write(samples, count);
        kept.insert(kept.end(), samples, samples + taken);
        return taken;
    }
    std::vector<qint16> kept;
};

// Mary, Sam and the first of espeak-ng's languages, 1-based.
std::vector<int> voicesToCheck()
{
    std::vector<int> indexes = {1, 3};
    if (VoiceCatalogue::voices().size() > VoiceCatalogue::ownVoices())
        indexes.push_back(VoiceCatalogue::ownVoices() + 1);
    return indexes;
}
} // namespace

// A slow reading ends when its last sound does: the stop event (and with it
// "STOPPED") comes within 150 ms, not after seconds of silence.
TEST(ReadingEnd, TheStopComesWithTheLastSoundAtTheSlowestSpeed)
{
    for (int voice : voicesToCheck()) {
        auto output = std::make_unique<KeepingOutput>();
        KeepingOutput *clock = output.get();
        DirectSS engine(std::move(output));
        QSignalSpy stops(&engine, &DirectSS::AudioStop);
        engine.Select(voice);
        engine.setSpeed(50);
        engine.Speak(QStringLiteral("The cat sat down.\n\nThe dog ran home."));
        const qint64 step = clock->sampleRate() / 100;
        qint64 stoppedAt = -1;
        for (int i = 0; i < 3000 && stoppedAt < 0; ++i) {
            QCoreApplication::processEvents();
            clock->advance(step);
            QTest::qWait(1);
            if (!stops.isEmpty())
                stoppedAt = clock->playedSamples();
        }
        ASSERT_GE(stoppedAt, 0) << voice << ": no stop within 30 s";
        const double lastSound = SpeechMeasure::lastSoundSeconds(clock->kept, clock->sampleRate());
        EXPECT_GT(lastSound, 4.0) << voice << " at 50 words a minute";
        EXPECT_LT(double(stoppedAt) / clock->sampleRate() - lastSound, 0.15) << voice;
    }
}
