#pragma once

#include "engine/audio/AudioOutput.h"
#include "engine/audio/SampleRing.h"
#include "engine/audio/WaveWriter.h"
#include "engine/synth/SpeechJob.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <memory>
#include <vector>

class OutputFeeder;
class SynthWorker;

// The speech engine control: voices, speed, pitch, speaking, pausing,
// stopping, recording to a wave file, the last error and the animated mouth.
// Members keep the names their callers use. Failures throw AppError with the
// engine's code.
class DirectSS : public QWidget
{
    Q_OBJECT
public:
    enum Code : qint32 {
        Unexpected = qint32(0x8000FFFF), // speed or pitch not usable with the voice
        InvalidArgument = WaveWriter::InvalidArgument,
        AccessDenied = WaveWriter::AccessDenied,
        PathNotFound = WaveWriter::PathNotFound,
        DiskFull = WaveWriter::DiskFull,
        WriteFault = WaveWriter::WriteFault,
        NoAudioDevice = qint32(0x80040200),
        EngineFailure = JobOutcome::engineFailure,
    };

    explicit DirectSS(QWidget *parent = nullptr); // uses AudioOutput::create()
    DirectSS(std::unique_ptr<AudioOutput> output, QWidget *parent = nullptr);
    ~DirectSS() override;

    qint32 CountEngines() const;
    QString ModeName(qint32 index) const; // 1-based
    void Select(qint32 index);            // 1-based
    qint32 CurrentMode() const { return m_voice; }

    void setSpeed(qint32 wordsPerMinute);
    qint32 Speed() const { return m_speed; }
    void setPitch(qint32 hertz);
    qint32 Pitch() const { return m_pitch; }
    void setFileName(const QString &path);
    QString FileName() const { return m_fileName; }

    void Speak(const QString &text); // returns at once
    // Speaks after a stretch of silence: the gap between the parts of a word said slowly.
    void SpeakAfter(qint32 silenceMs, const QString &text);
    // Synthesises the first sentence of `text` ahead, unheard, so that speaking the same text
    // with this voice (1-based), speed and pitch starts from it. Ignored while speaking or
    // recording, and for settings the voice cannot use.
    void SynthesiseAhead(const QString &text, qint32 voice, qint32 speed, qint32 pitch);
    void AudioPause();
    void AudioResume();
    void AudioReset();
    qint32 LastError() const { return m_lastError; }
    // The last failure in words the window can show; empty when the last speak call went well.
    QString LastErrorText() const { return m_lastErrorText; }
    // The number of the last speak call; ReadingHeard tells when its sound begins.
    qint32 LastReading() const { return m_readings; }

    bool hasAudioDevice() const;
    QString deviceError() const;
    qint32 deviceErrorCode() const { return hasAudioDevice() ? 0 : qint32(NoAudioDevice); }

    bool isSpeaking() const { return m_active; }
    // Why the last recording could not be completed (empty when it was).
    QString recordingError() const { return m_recordError; }
    // The words of the last completed recording, each with the sample of the file where it
    // is heard, and the recording's length in samples.
    const std::vector<RecordedWord> &recordedWords() const { return m_recordedWords; }
    qint64 recordedFrames() const { return m_recordedFrames; }
    bool isPaused() const { return m_paused; }
    int sampleRate() const;
    // Samples of the reading under way heard so far.
    qint64 playedSamples() const;
    // The mouth shape being shown (0 is closed, at rest).
    int mouthShape() const { return m_shape; }
    // What paintEvent copies to the screen.
    const QImage &mouthSurface() const { return m_surface; }
    QSize sizeHint() const override { return {57, 41}; }

signals:
    // Once per end, on the GUI thread. A recording stopped by AudioReset() ends when what
    // it holds is saved, or at the next setFileName() or Speak(), whichever comes first.
    void AudioStop(qint32 hi, qint32 lo);
    void WordHeard(qint32 position, qint32 length);
    // The reading whose words follow (0: none; the sound of a reading has ended).
    void ReadingHeard(qint32 reading);
    // A speech or a recording failed after Speak() had returned: the code (also LastError()),
    // what went wrong and, for a recording, its file. Follows the audio-stop event of its end.
    void Failed(qint32 code, const QString &text, const QString &recording);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void tick();
    void deliverEvents(qint64 played);
    void finishIfDone(bool drained);
    void jobEnded(const JobOutcome &outcome);
    void noteFailure(const JobOutcome &outcome);
    void announceStop(const std::vector<JobOutcome> &failures);
    void announceStopBeforeSaved();
    void setShape(int shape);
    void animateMouth();
    void redrawMouth();
    void checkIndex(qint32 index) const;

    std::unique_ptr<SampleRing> m_ring;
    std::unique_ptr<OutputFeeder> m_feeder;
    std::unique_ptr<SynthWorker> m_worker;
    QTimer m_ticker;
    QImage m_surface;
    std::deque<StreamEvent> m_events;   // waiting for their sample to be heard
    std::vector<JobOutcome> m_failures; // of the speech under way, told at its end
    QString m_fileName;
    QString m_recordError;
    std::vector<RecordedWord> m_recordedWords;
    qint64 m_recordedFrames = 0;
    QString m_lastErrorText;
    qint32 m_voice = 1;
    qint32 m_speed = 150;
    qint32 m_pitch = 170;
    qint32 m_lastError = 0;
    qint32 m_readings = 0; // speak calls so far
    qint64 m_pending = 0;  // jobs handed to the worker and not yet ended
    // A recording stopped by AudioReset: its generation, while its audio-stop waits for its last save.
    quint64 m_savingAfterStop = 0;
    std::vector<JobOutcome> m_failuresAtStop;
    bool m_active = false;
    bool m_paused = false;
    int m_shape = 0;
    int m_target = 0;
    double m_openness = 0.0;
};
