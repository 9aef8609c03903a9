#include "engine/audio/OutputFeeder.h"

#include "engine/audio/SampleRing.h"

#include <QObject>
#include <QThread>
#include <QTimer>

namespace {
// How often the feeding thread looks while sound flows: far within what any
// output holds ahead of what is heard (a quarter of a second for the clock).
constexpr int passMs = 5;
constexpr qint64 feedBlock = 4096;
} // namespace

OutputFeeder::OutputFeeder(std::unique_ptr<AudioOutput> output, SampleRing &ring, int sampleRate)
    : m_output(std::move(output)), m_ring(ring), m_context(new QObject), m_generation(ring.generation())
{
    if (m_output->followsClock()) {
        m_thread = std::make_unique<QThread>();
        m_thread->setObjectName(QStringLiteral("vocalino audio"));
        m_context->moveToThread(m_thread.get());
        QObject::connect(m_thread.get(), &QThread::finished, m_context, &QObject::deleteLater);
        m_thread->start(QThread::HighPriority);
    }
    const auto setUp = [this, sampleRate] {
        m_timer = new QTimer(m_context);
        m_timer->setTimerType(Qt::PreciseTimer);
        m_timer->setInterval(passMs);
        QObject::connect(m_timer, &QTimer::timeout, m_context, [this] { pass(); });
        m_output->start(sampleRate);
        noteDevice();
    };
    if (m_thread)
        QMetaObject::invokeMethod(m_context, setUp, Qt::BlockingQueuedConnection);
    else
        setUp();
}

OutputFeeder::~OutputFeeder()
{
    if (!m_thread) {
        m_output.reset();
        delete m_context;
        return;
    }
    // The output was made on the feeding thread (a sound server's stream belongs to it) and goes there too.
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            m_timer->stop();
            m_output.reset();
        },
        Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

OutputFeeder::Progress OutputFeeder::progress()
{
    if (!m_thread)
        pass(); // a hand-driven output moves only when someone looks
    std::lock_guard lock(m_mutex);
    if (m_generation != m_ring.generation())
        return {0, 0, m_ring.available() == 0}; // the feeder has not caught up with a stop yet
    return {m_handed, m_played, m_carry.empty() && m_ring.available() == 0 && m_played >= m_handed};
}

void OutputFeeder::wake()
{
    if (onFeedingThread())
        pass();
    else
        QMetaObject::invokeMethod(
            m_context, [this] { pass(); }, Qt::QueuedConnection);
}

void OutputFeeder::setPaused(bool paused)
{
    m_wantPaused = paused;
    wake();
}

bool OutputFeeder::isDevice() const
{
    std::lock_guard lock(m_mutex);
    return m_isDevice;
}

QString OutputFeeder::deviceError() const
{
    std::lock_guard lock(m_mutex);
    return m_deviceError;
}

bool OutputFeeder::onFeedingThread() const
{
    return QThread::currentThread() == m_context->thread();
}

void OutputFeeder::pass()
{
    const quint64 generation = m_ring.generation();
    bool stale = false;
    {
        std::lock_guard lock(m_mutex);
        stale = generation != m_generation;
    }
    if (stale)
        restartOutput(generation);
    applyPause();
    const bool flowing = moveSamples();
    if (flowing && !m_outputPaused) {
        if (!m_timer->isActive())
            m_timer->start();
    } else {
        m_timer->stop(); // woken again by the next samples, stop or pause
    }
}

void OutputFeeder::restartOutput(quint64 generation)
{
    m_output->reset();
    m_outputPaused = false;
    noteDevice();
    std::lock_guard lock(m_mutex);
    m_generation = generation;
    m_carry.clear();
    m_handed = 0;
    m_played = 0;
}

void OutputFeeder::applyPause()
{
    const bool wanted = m_wantPaused;
    if (wanted == m_outputPaused)
        return;
    if (wanted)
        m_output->suspend();
    else
        m_output->resume();
    m_outputPaused = wanted;
}

// True while something is left to hand over or to be heard.
bool OutputFeeder::moveSamples()
{
    std::lock_guard lock(m_mutex);
    for (;;) {
        if (m_carry.empty()) {
            m_carry.resize(size_t(feedBlock));
            m_carry.resize(size_t(m_ring.pop(m_carry.data(), feedBlock, m_generation)));
            if (m_carry.empty())
                break;
        }
        const qint64 taken = m_output->write(m_carry.data(), qint64(m_carry.size()));
        m_handed += taken;
        m_carry.erase(m_carry.begin(), m_carry.begin() + taken);
        if (!m_carry.empty())
            break; // the output is full for now
    }
    m_played = m_output->playedSamples();
    return !m_carry.empty() || m_ring.available() > 0 || m_played < m_handed;
}

void OutputFeeder::noteDevice()
{
    const bool device = m_output->isDevice();
    const QString error = m_output->deviceError();
    std::lock_guard lock(m_mutex);
    m_isDevice = device;
    m_deviceError = error;
}
