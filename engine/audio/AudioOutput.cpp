#include "engine/audio/AudioOutput.h"

#include "engine/audio/ClockAudioOutput.h"
#include "engine/audio/QtAudioOutput.h"
#include "platform/EventLog.h"

#include <QMediaDevices>

#include <atomic>

namespace {
AudioOutput::Factory &testFactory()
{
    static AudioOutput::Factory factory;
    return factory;
}
} // namespace

std::unique_ptr<AudioOutput> AudioOutput::create()
{
    if (testFactory())
        return testFactory()();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        // Qt plays only through a PulseAudio-compatible server: name the packages that give one.
        const QString reason = QStringLiteral(
            "No audio output device was found; speech runs silently (install pipewire-pulse or pulseaudio)");
        logDeviceFailure(reason);
        return std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::RealTime, reason);
    }
    return std::make_unique<QtAudioOutput>(device);
}

void AudioOutput::setFactoryForTests(Factory factory)
{
    testFactory() = std::move(factory);
}

void AudioOutput::logDeviceFailure(const QString &reason)
{
    static std::atomic_bool logged = false;
    if (!logged.exchange(true))
        EventLog::current().write(QStringLiteral("Vocalino speech engine: ") + reason, 1);
}
