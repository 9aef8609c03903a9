#include "engine/effects/SpeechPipeline.h"

#include <sonic.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr int blockSize = 1024;
constexpr float quiet = 2.0f / 32768.0f;
constexpr int quietBlocksToEnd = 4;

qint16 toShort(float x)
{
    return qint16(std::lround(std::clamp(x, -1.0f, 32767.0f / 32768.0f) * 32768.0f));
}
} // namespace

SpeechPipeline::SpeechPipeline(int sampleRate, double slowdown, VoiceEffect effect, double pitchShift)
    : m_rate(sampleRate), m_slowdown(slowdown), m_effect(SoundEffect::create(effect, sampleRate))
{
    if (pitchShift != 1.0) {
        m_shift = std::make_unique<FormantKeepingShift>(sampleRate, slowdown, pitchShift);
    } else if (slowdown != 1.0) {
        m_stretcher = sonicCreateStream(sampleRate, 1);
        sonicSetSpeed(m_stretcher, float(1.0 / slowdown));
    }
}

SpeechPipeline::~SpeechPipeline()
{
    if (m_stretcher)
        sonicDestroyStream(m_stretcher);
}

qint64 SpeechPipeline::outputPosition(qint64 synthesisedSample) const
{
    return qint64(std::llround(double(synthesisedSample) * m_slowdown));
}

bool SpeechPipeline::feed(const qint16 *samples, qint64 count, const Sink &sink)
{
    if (m_shift)
        return shift(samples, count, sink);
    if (m_stretcher)
        return stretch(samples, count, sink);
    return applyEffect(samples, count, sink);
}

bool SpeechPipeline::finish(const Sink &sink)
{
    if (m_shift) {
        m_shift->finish(m_shifted);
        if (!m_shifted.empty() && !applyEffect(m_shifted.data(), qint64(m_shifted.size()), sink))
            return false;
    }
    if (m_stretcher) {
        sonicFlushStream(m_stretcher);
        if (!drainStretcher(sink))
            return false;
    }
    return ringOut(sink);
}

bool SpeechPipeline::stretch(const qint16 *samples, qint64 count, const Sink &sink)
{
    while (count > 0) {
        const int chunk = int(std::min<qint64>(count, blockSize));
        sonicWriteShortToStream(m_stretcher, const_cast<short *>(samples), chunk);
        samples += chunk;
        count -= chunk;
        if (!drainStretcher(sink))
            return false;
    }
    return true;
}

bool SpeechPipeline::shift(const qint16 *samples, qint64 count, const Sink &sink)
{
    while (count > 0) {
        const int chunk = int(std::min<qint64>(count, blockSize));
        m_shift->feed(samples, chunk, m_shifted);
        samples += chunk;
        count -= chunk;
        if (!m_shifted.empty() && !applyEffect(m_shifted.data(), qint64(m_shifted.size()), sink))
            return false;
    }
    return true;
}

bool SpeechPipeline::drainStretcher(const Sink &sink)
{
    std::vector<qint16> out(blockSize);
    int got = 0;
    while ((got = sonicReadShortFromStream(m_stretcher, out.data(), blockSize)) > 0)
        if (!applyEffect(out.data(), got, sink))
            return false;
    return true;
}

bool SpeechPipeline::applyEffect(const qint16 *samples, qint64 count, const Sink &sink)
{
    if (!m_effect)
        return sink(samples, count);
    m_floats.resize(size_t(count));
    m_shorts.resize(size_t(count));
    for (qint64 i = 0; i < count; ++i)
        m_floats[size_t(i)] = samples[i] / 32768.0f;
    m_effect->process(m_floats.data(), int(count));
    for (qint64 i = 0; i < count; ++i)
        m_shorts[size_t(i)] = toShort(m_floats[size_t(i)]);
    return sink(m_shorts.data(), count);
}

bool SpeechPipeline::ringOut(const Sink &sink)
{
    if (!m_effect || m_effect->tailSeconds() <= 0)
        return true;
    const qint64 limit = qint64(m_effect->tailSeconds() * m_rate);
    std::vector<float> block(blockSize);
    int quietBlocks = 0;
    for (qint64 done = 0; done < limit && quietBlocks < quietBlocksToEnd; done += blockSize) {
        std::fill(block.begin(), block.end(), 0.0f);
        m_effect->process(block.data(), blockSize);
        float peak = 0;
        m_shorts.resize(blockSize);
        for (int i = 0; i < blockSize; ++i) {
            peak = std::max(peak, std::abs(block[size_t(i)]));
            m_shorts[size_t(i)] = toShort(block[size_t(i)]);
        }
        quietBlocks = peak < quiet ? quietBlocks + 1 : 0;
        if (!sink(m_shorts.data(), blockSize))
            return false;
    }
    return true;
}
