#include "engine/DirectSS.h"

#include "engine/EngineLog.h"
#include "engine/VoiceCatalogue.h"
#include "engine/audio/OutputFeeder.h"
#include "engine/audio/SampleRing.h"
#include "engine/mouth/MouthPainter.h"
#include "engine/synth/SynthWorker.h"
#include "platform/AppError.h"

#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int tickMs = 20;           // word events and mouth frames: 50 a second
constexpr double ringSeconds = 2.0;  // synthesis runs at most this far ahead
constexpr double mouthEasing = 0.45; // share of the way to the target per frame

qint64 steadyMs()
{
    return QElapsedTimer().msecsSinceReference();
}
} // namespace

DirectSS::DirectSS(QWidget *parent) : DirectSS(AudioOutput::create(), parent) {}

DirectSS::DirectSS(std::unique_ptr<AudioOutput> output, QWidget *parent)
    : QWidget(parent), m_surface(QSize(57, 41), QImage::Format_ARGB32_Premultiplied)
{
    const int rate = SynthWorker::sampleRate();
    m_ring = std::make_unique<SampleRing>(qint64(ringSeconds * rate));
    m_feeder = std::make_unique<OutputFeeder>(std::move(output), *m_ring, rate);
    m_ring->setDataCallback([this] { m_feeder->wake(); });
    m_worker = std::make_unique<SynthWorker>(*m_ring, [this](const JobOutcome &outcome) {
        QMetaObject::invokeMethod(
            this, [this, outcome] { jobEnded(outcome); }, Qt::QueuedConnection);
    });
    m_ticker.setTimerType(Qt::PreciseTimer);
    m_ticker.setInterval(tickMs);
    connect(&m_ticker, &QTimer::timeout, this, &DirectSS::tick);
    resize(57, 41);
    redrawMouth();
}

DirectSS::~DirectSS()
{
    m_worker.reset(); // joins the thread before the ring and the output go
    m_feeder.reset();
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
        throw AppError(InvalidArgument,
                       QStringLiteral("Voice index %1 is out of range: the engine has voices 1 to %2")
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
    announceStopBeforeSaved(); // the caller ends the stopped recording before naming the next
    m_fileName = path;
}

int DirectSS::sampleRate() const
{
    return SynthWorker::sampleRate();
}

qint64 DirectSS::playedSamples() const
{
    return m_feeder->progress().played;
}

bool DirectSS::hasAudioDevice() const
{
    return m_feeder->isDevice();
}

QString DirectSS::deviceError() const
{
    return m_feeder->deviceError();
}

void DirectSS::Speak(const QString &text)
{
    SpeakAfter(0, text);
}

void DirectSS::SpeakAfter(qint32 silenceMs, const QString &text)
{
    announceStopBeforeSaved(); // so that the caller ends the stopped recording before this one begins
    m_recordError.clear();     // a failure belongs to the recording it ended
    m_lastErrorText.clear();
    SpeechJob job;
    job.text = text;
    job.silenceBefore = qint64(std::clamp(silenceMs, 0, 10000)) * sampleRate() / 1000;
    // The voice loads on the worker: a voice that cannot speak is told through Failed().
    job.voice = VoiceCatalogue::voices().at(m_voice - 1);
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

void DirectSS::SynthesiseAhead(const QString &text, qint32 voice, qint32 speed, qint32 pitch)
{
    if (m_active || !m_fileName.isEmpty() || text.isEmpty() || voice < 1 ||
        voice > VoiceCatalogue::voices().size())
        return;
    SpeechJob job;
    job.text = text;
    job.voice = VoiceCatalogue::voices().at(voice - 1);
    job.settings = VoiceCatalogue::resolve(job.voice, speed, pitch);
    if (job.settings.outOfRange)
        return;
    job.generation = m_ring->generation();
    job.ahead = true;
    m_worker->enqueue(std::move(job));
}

void DirectSS::AudioPause()
{
    m_paused = true;
    m_feeder->setPaused(true);
    setShape(int(Viseme::Rest));
}

void DirectSS::AudioResume()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_feeder->setPaused(false);
}

// Returns at once: the synthesiser notices the stop on its own thread and a stopped
// recording saves what it holds there too, telling Failed() if that save fails.
void DirectSS::AudioReset()
{
    const bool wasActive = m_active;
    const quint64 stopped = m_ring->generation();
    const bool saving = m_worker->cancelAll();
    m_feeder->setPaused(false); // and the output drops what it holds
    m_events.clear();
    m_pending = 0;
    m_active = false;
    m_paused = false;
    setShape(int(Viseme::Rest));
    std::vector<JobOutcome> failures = std::exchange(m_failures, {});
    if (!wasActive)
        return;
    if (saving) { // the recording's end is when what it holds is saved, on the worker
        m_savingAfterStop = stopped;
        m_failuresAtStop = std::move(failures);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, failures] { announceStop(failures); }, Qt::QueuedConnection);
}

void DirectSS::announceStopBeforeSaved()
{
    if (m_savingAfterStop == 0)
        return;
    m_savingAfterStop = 0;
    announceStop(std::exchange(m_failuresAtStop, {}));
}

void DirectSS::jobEnded(const JobOutcome &outcome)
{
    if (outcome.generation != m_ring->generation()) {
        // Stopped by AudioReset: only a recording's last save is still news.
        const bool failed = outcome.recorded && !outcome.error.isEmpty();
        if (failed)
            noteFailure(outcome);
        if (outcome.generation == m_savingAfterStop) {
            m_savingAfterStop = 0;
            std::vector<JobOutcome> failures = std::exchange(m_failuresAtStop, {});
            if (failed)
                failures.push_back(outcome);
            announceStop(failures);
        } else if (failed) {
            emit Failed(outcome.code, outcome.error, outcome.recording);
        }
        return;
    }
    if (!outcome.error.isEmpty()) {
        noteFailure(outcome);
        m_failures.push_back(outcome);
    } else if (outcome.recorded) {
        m_recordError.clear();
    }
    if (outcome.recorded) {
        m_recordedWords = outcome.words;
        m_recordedFrames = outcome.frames;
    }
    m_pending = std::max<qint64>(0, m_pending - 1);
    tick();
}

void DirectSS::noteFailure(const JobOutcome &outcome)
{
    m_lastError = outcome.code;
    m_lastErrorText = outcome.error;
    if (outcome.recorded)
        m_recordError = outcome.error;
}

void DirectSS::tick()
{
    const OutputFeeder::Progress progress = m_feeder->progress();
    for (const StreamEvent &event : m_ring->takeEvents())
        m_events.push_back(event);
    qCDebug(lcEngine) << "handed" << progress.handed << "played" << progress.played << "pending" << m_pending
                      << "ring" << m_ring->available();
    deliverEvents(progress.played);
    finishIfDone(progress.drained);
    animateMouth();
    if (!m_active && m_openness <= 0.0)
        m_ticker.stop();
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

void DirectSS::finishIfDone(bool drained)
{
    if (!m_active || m_pending > 0 || !drained)
        return;
    m_active = false;
    m_events.clear();
    m_target = int(Viseme::Rest);
    announceStop(std::exchange(m_failures, {}));
}

void DirectSS::announceStop(const std::vector<JobOutcome> &failures)
{
    const qint64 stamp = steadyMs();
    emit AudioStop(qint32(stamp >> 32), qint32(stamp & 0xffffffff));
    for (const JobOutcome &failure : failures)
        emit Failed(failure.code, failure.error, failure.recording);
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
