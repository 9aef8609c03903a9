#pragma once

#include "engine/audio/ClockAudioOutput.h"

#include <QFile>
#include <QString>

#include <sndfile.h>

#include <vector>

// An audio device that takes the sound and never plays it: a start sound given to it must
// time out, not count as played.
class StuckOutput : public ClockAudioOutput
{
public:
    StuckOutput() : ClockAudioOutput(Pace::RealTime) {}
    qint64 playedSamples() const override { return 0; }

    // A tenth of a second of sound, for it to be given.
    static QString writeShortWave(const QString &path)
    {
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        const std::vector<qint16> data(800, 1000);
        sf_writef_short(file, data.data(), sf_count_t(data.size()));
        sf_close(file);
        return path;
    }
};
