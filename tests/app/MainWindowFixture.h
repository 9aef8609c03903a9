#pragma once

#include "app/Main.h"
#include "app/VoiceDefaults.h"
#include "app/character/frmAnim.h"
#include "controls/UcScroll.h"
#include "controls/button/qxButtons_H.h"
#include "engine/DirectSS.h"
#include "engine/VoiceCatalogue.h"
#include "engine/audio/ClockAudioOutput.h"
#include "platform/ProgramFolder.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// The sound card, played at a pace the test sets; it keeps what it was given.
class TestSoundCard : public ClockAudioOutput
{
public:
    TestSoundCard() : ClockAudioOutput(Pace::Manual) {}
    bool isDevice() const override { return hasDevice; }
    qint64 write(const qint16 *samples, qint64 count) override
    {
        const qint64 taken = ClockAudioOutput::write(samples, count);
        given.insert(given.end(), samples, samples + taken);
        return taken;
    }
    void reset() override
    {
        ClockAudioOutput::reset();
        given.clear();
    }
    bool hasDevice = true;
    std::vector<qint16> given; // stream position = index
};

// What the window shows of its speaking state.
struct SpeakingRow
{
    QString status;
    QColor statusColor;
    bool speakOn, pauseOn;
    QString pauseCaption;
    bool eraseOn, timerOn;
    qint16 vState, recState;
    bool operator==(const SpeakingRow &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const SpeakingRow &r)
{
    return out << r.status.toStdString() << " " << r.statusColor.name().toStdString() << " speak "
               << r.speakOn << " pause " << r.pauseOn << " " << r.pauseCaption.toStdString() << " erase "
               << r.eraseOn << " timer " << r.timerOn << " V " << r.vState << " rec " << r.recState;
}

// The row of the voice list that names the voice, -1 when none does.
inline int rowOfVoice(QListWidget *list, const QString &name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.first());
}

// A voice and a pitch the pitch slider allows but that voice cannot use: since
// every Flite voice reaches the whole slider, an espeak-ng language voice.
struct UnusablePitch
{
    int row = -1;
    qint32 pitch = 0;
    std::optional<VoiceSetting> defaults; // the voice's row of the defaults table, if it has one
};

inline std::optional<UnusablePitch> findUnusablePitch(const UcScroll &pitchSlider)
{
    const QList<VoiceEntry> &voices = VoiceCatalogue::voices();
    for (int i = 0; i < voices.size(); ++i) {
        const auto known = knownVoiceDefaults(voices[i].name);
        if (VoiceCatalogue::maximumPitch(voices[i]) < pitchSlider.Max())
            return UnusablePitch{i, VoiceCatalogue::maximumPitch(voices[i]) + 1, known};
        if (VoiceCatalogue::minimumPitch(voices[i]) > pitchSlider.Min())
            return UnusablePitch{i, VoiceCatalogue::minimumPitch(voices[i]) - 1, known};
    }
    return std::nullopt;
}

// The real main window, built from its form, on an engine whose sound card the test drives.
class MainWindowFixture : public ::testing::Test
{
protected:
    static inline const QColor red{255, 0, 0}, yellow{255, 255, 0}, cyan{0, 255, 255};
    static inline const SpeakingRow stopped{"STOPPED", red, true, false, "PAUSE", true, false, 1, 0};
    static inline const SpeakingRow speaking{"SPEAKING", yellow, true, true, "PAUSE", false, true, 1, 0};
    static inline const SpeakingRow paused{"PAUSED", yellow, false, true, "RESUME", false, false, 2, 0};
    static inline const SpeakingRow recording{"RECORDING", cyan, false, false, "PAUSE", false, true, 1, -1};

    void SetUp() override
    {
        setProgramFolder(programDir.path()); // no start sound here: the load skips it
        AudioOutput::setFactoryForTests([this] {
            auto card = std::make_unique<TestSoundCard>();
            card->hasDevice = withDevice;
            soundCard = card.get();
            return card;
        });
        window = std::make_unique<Main>();
        stops = std::make_unique<QSignalSpy>(window->engine(), &DirectSS::AudioStop);
    }

    void TearDown() override
    {
        window.reset();
        AudioOutput::setFactoryForTests({});
        setProgramFolder({});
    }

    SpeakingRow row() const
    {
        Main &w = *window;
        return {w.lblStatus->text(),
                w.lblStatus->palette().color(QPalette::WindowText),
                w.cmdSpkText->isEnabled(),
                w.cmdPauseText->isEnabled(),
                w.cmdPauseText->Caption(),
                w.cmdClearText->isEnabled(),
                w.Timer1->isActive(),
                w.VState,
                w.recState};
    }

    void type(const QString &text) { window->RichTextBox1->setPlainText(text); }

    // Shown and active, as for a child at the keyboard: the window's shortcuts work.
    void showActive()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        window->RichTextBox1->setFocus();
        QApplication::processEvents();
    }

    // Plays the sound card until the engine reports the end of the audio.
    bool playToEnd(double limitSeconds = 60)
    {
        const qsizetype before = stops->size();
        const qint64 step = 22050 / 20;
        // A recording is not played: it takes as long as synthesis does, so the limit is
        // also one of real time (a sanitized build on a busy machine is slow).
        QElapsedTimer clock;
        clock.start();
        for (int i = 0;
             (i < limitSeconds * 20 || clock.elapsed() < limitSeconds * 1000) && stops->size() == before;
             ++i) {
            QCoreApplication::processEvents();
            soundCard->advance(step);
            QTest::qWait(1);
        }
        QCoreApplication::processEvents();
        return stops->size() > before;
    }

    // Lets the engine synthesise and hand over some sound without playing it.
    void settle() { QTest::qWait(50); }

    // Selects a voice and a pitch it cannot use; the sliders the engine check should bring back:
    // the voice's defaults, or, for a voice the table does not know, the sliders as they are.
    std::optional<std::pair<qint32, qint32>> chooseUnusablePitch()
    {
        const auto unusable = findUnusablePitch(*window->scrPitch);
        if (!unusable)
            return std::nullopt;
        window->lstVoice->setCurrentRow(unusable->row);
        window->scrPitch->setValue(unusable->pitch);
        if (!unusable->defaults)
            return sliders();
        const auto clamp = [](const UcScroll *s, qint32 v) { return std::clamp(v, s->Min(), s->Max()); };
        return std::pair{clamp(window->scrSpeed, unusable->defaults->speed),
                         clamp(window->scrPitch, unusable->defaults->pitch)};
    }

    std::pair<qint32, qint32> sliders() const
    {
        return {window->scrSpeed->Value(), window->scrPitch->Value()};
    }

    bool withDevice = true;
    QTemporaryDir programDir;
    ScriptedMessageBoxes boxes;
    ScriptedDialogs dialogs;
    TestSoundCard *soundCard = nullptr; // owned by the engine
    std::unique_ptr<Main> window;
    std::unique_ptr<QSignalSpy> stops;
};
