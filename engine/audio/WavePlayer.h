#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// Plays a wave file through the engine's kind of output and returns when it
// has ended. A missing or unplayable file plays nothing, silently.
class WavePlayer
{
public:
    enum class Result {
        Played,     // heard to its end
        Unplayable, // the file is missing or holds no sound it can play
        TimedOut,   // the output did not play it within its length and a grace
    };
    // `error` says what went wrong when it was not Played.
    static Result playAndWait(const QString &path, QString *error = nullptr);

    struct Sound
    {
        int sampleRate = 0;
        std::vector<qint16> samples; // mono
    };
    // Empty samples when the file cannot be read.
    static Sound load(const QString &path);
};
