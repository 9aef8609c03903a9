#pragma once

#include <QString>
#include <QtGlobal>

// The window that learns from the character window when the engine's audio has stopped,
// and when a speech or a recording failed on its way (the main window implements it; the
// character window knows nothing more of it).
class AudioStopTarget
{
public:
    virtual ~AudioStopTarget() = default;
    virtual void applyAudioStop() = 0;
    // The engine's code and words for the failure; the file when a recording failed.
    virtual void applyEngineFailure(qint32 code, const QString &text, const QString &recording) = 0;
};
