#include "engine/effects/SoundEffect.h"

#include "engine/effects/ReverbEffect.h"
#include "engine/effects/RobotEffect.h"
#include "engine/effects/SpaceEffect.h"
#include "engine/effects/TelephoneEffect.h"
#include "engine/effects/WhisperEffect.h"

std::unique_ptr<SoundEffect> SoundEffect::create(VoiceEffect effect, int sampleRate)
{
    switch (effect) {
    case VoiceEffect::None: return nullptr;
    case VoiceEffect::Telephone: return std::make_unique<TelephoneEffect>(sampleRate);
    case VoiceEffect::Hall: return std::make_unique<ReverbEffect>(sampleRate, ReverbEffect::hall());
    case VoiceEffect::Stadium: return std::make_unique<ReverbEffect>(sampleRate, ReverbEffect::stadium());
    case VoiceEffect::Space: return std::make_unique<SpaceEffect>(sampleRate);
    case VoiceEffect::Robot1: return std::make_unique<RobotEffect>(sampleRate, RobotEffect::model(1));
    case VoiceEffect::Robot2: return std::make_unique<RobotEffect>(sampleRate, RobotEffect::model(2));
    case VoiceEffect::Robot3: return std::make_unique<RobotEffect>(sampleRate, RobotEffect::model(3));
    case VoiceEffect::Robot4: return std::make_unique<RobotEffect>(sampleRate, RobotEffect::model(4));
    case VoiceEffect::Robot5: return std::make_unique<RobotEffect>(sampleRate, RobotEffect::model(5));
    case VoiceEffect::Robot6: return std::make_unique<RobotEffect>(sampleRate, RobotEffect::model(6));
    case VoiceEffect::Whisper: return std::make_unique<WhisperEffect>(sampleRate);
    }
    return nullptr;
}
