// What the window says when a part of the program is missing or broken, so the
// rest keeps working and the person knows what cannot.
#include "app/Main.h"

#include "engine/DirectSS.h"
#include "engine/audio/WavePlayer.h"
#include "platform/AppError.h"
#include "platform/EventLog.h"

#include <QDir>

#include <cstdio>

void Main::Roll(const QString &WaveFile)
{
    QString failure;
    const WavePlayer::Result result = WavePlayer::playAndWait(WaveFile, &failure);
    if (result == WavePlayer::Result::Played)
        return;
    if (result == WavePlayer::Result::TimedOut) {
        // The sound device took the sound but did not play it: speech would not be heard either.
        warn(failure + QStringLiteral("."));
        EventLog::current().write(QStringLiteral("Vocalino 5.0: ") + failure, 2);
        return;
    }
    // No box for a missing welcome sound: the program works without it, so only the log hears of it.
    const QString note = QStringLiteral("Vocalino 5.0: the start sound \"%1\" is missing or damaged; "
                                        "starting without it.")
                             .arg(QDir::toNativeSeparators(WaveFile));
    std::fprintf(stderr, "%s\n", note.toLocal8Bit().constData());
    EventLog::current().write(note, 2);
}

bool Main::tellEngineFailure(const AppError &error)
{
    if (error.number() != DirectSS::EngineFailure)
        return false;
    warn(QStringLiteral("Vocalino cannot speak: %1.\r\n"
                        "The voices' data may be missing; installing Vocalino again puts it back.\r\n"
                        "You can still type, open and save your text.")
             .arg(error.description()));
    return true;
}

// A speech or a recording that failed after it had begun: the synthesiser's words, or the
// file that could not be written and why (a full disk, a folder gone, also after STOP).
// The old file, if any, is untouched.
void Main::applyEngineFailure(qint32 code, const QString &text, const QString &recording)
{
    if (code == DirectSS::EngineFailure || recording.isEmpty())
        tellEngineFailure(AppError(DirectSS::EngineFailure, text));
    else
        warnNotWritten(recording, text);
}
