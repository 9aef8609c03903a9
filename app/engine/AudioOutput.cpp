#include "app/engine/AudioOutput.h"
namespace { AudioOutput::Factory &testFactory() { static AudioOutput::Factory f; return f; } }
std::unique_ptr<AudioOutput> AudioOutput::create() { return testFactory() ? testFactory()() : nullptr; }
void AudioOutput::setFactoryForTests(Factory factory) { testFactory() = std::move(factory); }
