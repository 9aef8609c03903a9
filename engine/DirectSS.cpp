#include "engine/DirectSS.h"

#include "engine/EngineLog.h"
#include "engine/mouth/MouthPainter.h"
#include "engine/audio/SampleRing.h"
#include "engine/synth/SynthWorker.h"
#include "engine/VoiceCatalogue.h"
#include "platform/AppError.h"

#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int tickMs = 20;              // feeding and mouth frames: 50 a second
constexpr double ringSeconds = 2.0;     // synthesis runs at most this far ahead
constexpr qint64 feedBlock = 4096;
constexpr double mouthEasing = 0.45;    // share of the way to the target per frame

qint64 steadyMs()
{
    return QElapsedTimer().msecsSinceReference();
}
} // namespace

DirectSS::DirectSS(QWidget *parent) : DirectSS(AudioOutput::create(), parent) {}

DirectSS::DirectSS(std::unique_ptr<AudioOutput> output, QWidget *parent)
    : QWidget(parent), m_output(std::move(output)), m_surface(QSize(57, 41), QImage::Format_ARGB32_Premultiplied)
{
    const int rate = SynthWorker::sampleRate();
    m_ring = std::make_unique<SampleRing>(qint64(ringSeconds * rate));
    m_ring->setDataCallback([this] { QMetaObject::invokeMethod(this, &DirectSS::feedOutput, Qt::QueuedConnection); });
    m_worker = std::make_unique<SynthWorker>(*m_ring, [this](const JobOutcome &outcome) {
        QMetaObject::invokeMethod(this, [this, outcome] { jobEnded(outcome); }, Qt::QueuedConnection);
    });
    m_output->start(rate);
    m_ticker.setTimerType(Qt::PreciseTimer);
    m_ticker.setInterval(tickMs);
    connect(&m_ticker, &QTimer::timeout, this, &DirectSS::tick);
    resize(57, 41);
    redrawMouth();
}

DirectSS::~DirectSS()
{
    m_worker.reset(); // joins the thread before the ring and the output go
}

qint32 DirectSS::CountEngines() const
{
    return qint32(VoiceCatalogue::voices().size());
}

QString DirectSS::ModeName(qint32 index) const
{
    checkIndex(index);
    return VoiceCatalogue::voices().at(index - 1).name;
}

void DirectSS::Select(qint32 index)
{
    checkIndex(index);
    m_voice = index;
}

void DirectSS::checkIndex(qint32 index) const
{
    if (index < 1 || index > CountEngines())
        throw AppError(InvalidArgument, QStringLiteral("Voice index %1 is out of range: the engine has voices 1 to %2")
                                            .arg(index)
                                            .arg(CountEngines()));
}

void DirectSS::setSpeed(qint32 wordsPerMinute)
{
    m_speed = wordsPerMinute;
}

void DirectSS::setPitch(qint32 hertz)
{
    m_pitch = hertz;
}

void DirectSS::setFileName(const QString &path)
{
    m_fileName = path;
}

int DirectSS::sampleRate() const
{
    return SynthWorker::sampleRate();
}

bool DirectSS::hasAudioDevice() const
{
    return m_output->isDevice();
}

QString DirectSS::deviceError() const
{
    return m_output->deviceError();
}

void DirectSS::Speak(const QString &text)
{
    SpeakAfter(0, text);
}

void DirectSS::SpeakAfter(qint32 silenceMs, const QString &text)
{
    m_recordError.clear(); // a failure belongs to the recording it ended
    SpeechJob job;
    job.text = text;
    job.silenceBefore = qint64(std::clamp(silenceMs, 0, 10000)) * sampleRate() / 1000;
    job.voice = VoiceCatalogue::voices().at(m_voice - 1);
    const QString failure = SynthWorker::startError(job.voice);
    if (!failure.isEmpty())
        throw AppError(EngineFailure, QStringLiteral("The speech synthesiser could not be started: %1").arg(failure));
    job.settings = VoiceCatalogue::resolve(job.voice, m_speed, m_pitch);
    m_lastError = job.settings.outOfRange ? qint32(Unexpected) : 0;
    if (!m_fileName.isEmpty()) {
        job.writer = WaveWriter::open(m_fileName, sampleRate()); // throws before speech starts
        m_recordedWords.clear();
        m_recordedFrames = 0;
    }
    job.generation = m_ring->generation();
    job.reading = ++m_readings;
    ++m_pending;
    m_active = true;
    m_worker->enqueue(std::move(job));
    m_ticker.start();
}

void DirectSS::AudioPause()
{
    m_paused = true;
    m_output->suspend();
    setShape(int(Viseme::Rest));
}

void DirectSS::AudioResume()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_output->resume();
}

void DirectSS::AudioReset()
{
    const bool wasActive = m_active;
    m_worker->cancelAll(); // a recording keeps what it has, committed
    m_output->reset();
    m_carry.clear();
    m_events.clear();
    m_handed = 0;
    m_pending = 0;
    m_active = false;
    m_paused = false;
    setShape(int(Viseme::Rest));
    if (wasActive)
        QMetaObject::invokeMethod(this, [this] { announceStop(); }, Qt::QueuedConnection);
}

void DirectSS::jobEnded(const JobOutcome &outcome)
{
    if (outcome.generation != m_ring->generation())
        return; // a job stopped by AudioReset, already accounted for
    if (!outcome.error.isEmpty())
        m_lastError = EngineFailure;
    m_recordError = outcome.error;
    if (outcome.recorded) {
        m_recordedWords = outcome.words;
        m_recordedFrames = outcome.frames;
    }
    m_pending = std::max<qint64>(0, m_pending - 1);
    tick();
}

void DirectSS::tick()
{
    feedOutput();
    const qint64 played = m_output->playedSamples();
    qCDebug(lcEngine) << "handed" << m_handed << "played" << played << "pending" << m_pending << "ring"
                      << m_ring->available() << "free" << m_output->freeSamples();
    deliverEvents(played);
    finishIfDone(played);
    animateMouth();
    if (!m_active && m_openness <= 0.0)
        m_ticker.stop();
}

void DirectSS::feedOutput()
{
    for (;;) {
        if (m_carry.empty()) {
            m_carry.resize(size_t(feedBlock));
            m_carry.resize(size_t(m_ring->pop(m_carry.data(), feedBlock)));
            if (m_carry.empty())
                break;
        }
        const qint64 taken = m_output->write(m_carry.data(), qint64(m_carry.size()));
        m_handed += taken;
        m_carry.erase(m_carry.begin(), m_carry.begin() + taken);
        if (!m_carry.empty())
            break; // the device is full for now
    }
    for (const StreamEvent &event : m_ring->takeEvents())
        m_events.push_back(event);
}

void DirectSS::deliverEvents(qint64 played)
{
    while (!m_events.empty() && m_events.front().sample <= played) {
        const StreamEvent event = m_events.front();
        m_events.pop_front();
        if (event.kind == StreamEvent::Shape)
            m_target = event.first;
        else if (event.kind == StreamEvent::Reading)
            emit ReadingHeard(event.first);
        else
            emit WordHeard(event.first, event.second);
    }
}

void DirectSS::finishIfDone(qint64 played)
{
    if (!m_active || m_pending > 0 || !m_carry.empty() || m_ring->available() > 0 || played < m_handed)
        return;
    m_active = false;
    m_events.clear();
    m_target = int(Viseme::Rest);
    announceStop();
}

void DirectSS::announceStop()
{
    const qint64 stamp = steadyMs();
    emit AudioStop(qint32(stamp >> 32), qint32(stamp & 0xffffffff));
}

void DirectSS::setShape(int shape)
{
    m_target = shape;
    if (shape == int(Viseme::Rest)) {
        m_shape = shape;
        m_openness = 0.0;
        redrawMouth();
    }
}

void DirectSS::animateMouth()
{
    const int target = (m_paused || !m_active) ? int(Viseme::Rest) : m_target;
    const double goal = visemeOpenness(Viseme(target));
    m_shape = target;
    m_openness += (goal - m_openness) * mouthEasing;
    if (std::abs(goal - m_openness) < 0.02)
        m_openness = goal;
    if (isVisible())
        redrawMouth();
}

void DirectSS::redrawMouth()
{
    const QSize wanted = size().isValid() && !size().isEmpty() ? size() : QSize(57, 41);
    if (m_surface.size() != wanted)
        m_surface = QImage(wanted, QImage::Format_ARGB32_Premultiplied);
    MouthPainter::paint(m_surface, Viseme(m_shape), m_openness);
    update();
}

void DirectSS::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, m_surface);
}

void DirectSS::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    redrawMouth();
    if (m_active)
        m_ticker.start();
}

void DirectSS::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    redrawMouth();
}
