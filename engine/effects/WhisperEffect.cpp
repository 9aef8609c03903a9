#include "engine/effects/WhisperEffect.h"

WhisperEffect::WhisperEffect(int sampleRate) : m_rate(sampleRate) {}

void WhisperEffect::process(float *, int) {}
