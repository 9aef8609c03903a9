#pragma once

#include "engine/audio/ClockAudioOutput.h"
#include "engine/DirectSS.h"

#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

// A DirectSS on a clock the test controls instead of the sound card.
class EngineFixture : public ::testing::Test
{
protected:
    void makeEngine(ClockAudioOutput::Pace pace)
    {
        auto output = std::make_unique<ClockAudioOutput>(pace);
        clock = output.get();
        engine = std::make_unique<DirectSS>(std::move(output));
        stops = std::make_unique<QSignalSpy>(engine.get(), &DirectSS::AudioStop);
        words = std::make_unique<QSignalSpy>(engine.get(), &DirectSS::WordHeard);
    }

    // Advances the manual clock in steps, letting the engine feed and tick.
    void playFor(double seconds)
    {
        const qint64 step = clock->sampleRate() / 50;
        for (qint64 done = 0; done < qint64(seconds * clock->sampleRate()); done += step) {
            QCoreApplication::processEvents();
            clock->advance(step);
            QTest::qWait(1);
        }
        QTest::qWait(30);
    }

    // Plays until the next audio-stop event or the limit (in seconds of sound).
    bool playToEnd(double limitSeconds = 30)
    {
        const qsizetype before = stops->size();
        for (int i = 0; i < limitSeconds * 10 && stops->size() == before; ++i)
            playFor(0.1);
        return stops->size() > before;
    }

    static qint64 waveFrames(const QString &path, int *rate = nullptr, int *channels = nullptr, int *format = nullptr)
    {
        SF_INFO info{};
        SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
        if (!file)
            return -1;
        sf_close(file);
        if (rate)
            *rate = info.samplerate;
        if (channels)
            *channels = info.channels;
        if (format)
            *format = info.format;
        return info.frames;
    }

    QTemporaryDir dir;
    ClockAudioOutput *clock = nullptr; // owned by the engine
    std::unique_ptr<DirectSS> engine;
    std::unique_ptr<QSignalSpy> stops;
    std::unique_ptr<QSignalSpy> words;
};
