#pragma once

// The window that learns from the character window when the engine's audio has stopped
// (the main window implements it; the character window knows nothing more of it).
class AudioStopTarget
{
public:
    virtual ~AudioStopTarget() = default;
    virtual void applyAudioStop() = 0;
};
