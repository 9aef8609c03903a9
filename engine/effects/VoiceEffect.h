#pragma once

// The sound treatment a voice gets after synthesis.
enum class VoiceEffect {
    None,
    Telephone,
    Hall,
    Stadium,
    Space,
    Robot1,
    Robot2,
    Robot3,
    Robot4,
    Robot5,
    Robot6,
    Whisper,
};
