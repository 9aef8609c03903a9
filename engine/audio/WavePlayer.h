#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// Plays a wave file through the engine's kind of output and returns when it
// has ended. A missing or unplayable file plays nothing, silently.
class WavePlayer
{
public:
    // False when the file is missing or holds no sound it can play.
    static bool playAndWait(const QString &path);

    struct Sound
    {
        int sampleRate = 0;
        std::vector<qint16> samples; // mono
    };
    // Empty samples when the file cannot be read.
    static Sound load(const QString &path);
};
