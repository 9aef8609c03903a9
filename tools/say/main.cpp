// vocalino-say: speaks (or records) a text with the Vocalino speech engine.
#include "engine/DirectSS.h"
#include "engine/VoiceCatalogue.h"
#include "engine/audio/SoundFormat.h"
#include "platform/AppError.h"
#include "platform/TextFile.h"
#include "tools/say/SayOptions.h"
#include "tools/say/SubtitleFile.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {
void printLine(FILE *stream, const QString &line)
{
    std::fprintf(stream, "%s\n", line.toLocal8Bit().constData());
}

int voiceIndex(const DirectSS &engine, const QString &name)
{
    for (int i = 1; i <= engine.CountEngines(); ++i)
        if (engine.ModeName(i) == name)
            return i;
    for (int i = 1; i <= engine.CountEngines(); ++i)
        if (engine.ModeName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

// The bytes of -f FILE or of standard input; nullopt, said on standard error, when they
// cannot be read or pass the limit.
std::optional<QByteArray> textBytes(const SayOptions &options)
{
    QFile standardInput;
    TextFile::Opened opened;
    if (options.fromStandardInput) {
        if (isatty(STDIN_FILENO))
            printLine(stderr, QStringLiteral(
                                  "vocalino-say: reading the text from standard input (end it with Ctrl+D)"));
        standardInput.open(stdin, QIODevice::ReadOnly);
    } else {
        opened = TextFile::openAny(options.textFile);
    }
    QIODevice *source = options.fromStandardInput ? &standardInput : opened.file.get();
    const TextFile::Read read =
        source ? TextFile::readAll(*source, TextFile::maxBytes) : TextFile::Read{std::nullopt, opened.reason};
    if (!read.bytes) {
        const QString from = options.fromStandardInput ? QStringLiteral("standard input")
                                                       : QStringLiteral("\"%1\"").arg(options.textFile);
        printLine(stderr, QStringLiteral("vocalino-say: cannot read %1: %2").arg(from, read.reason));
    }
    return read.bytes;
}

// The words to say, read from a file or standard input as the Vocalino window reads a text file.
bool textToSay(const SayOptions &options, QString *text)
{
    if (options.fromStandardInput || !options.textFile.isEmpty()) {
        const std::optional<QByteArray> bytes = textBytes(options);
        if (!bytes)
            return false;
        *text = TextFile::decode(*bytes);
    }
    if (text->trimmed().isEmpty()) {
        printLine(
            stderr,
            QStringLiteral("vocalino-say: nothing to say: give a text, -f FILE or text on standard input"));
        return false;
    }
    return true;
}

// An unknown extension is refused before the engine starts or anything is written.
bool formatUsable(const QString &path)
{
    QString error;
    if (path.isEmpty() || SoundFormat::forPath(path, &error) != 0)
        return true;
    printLine(stderr, QStringLiteral("vocalino-say: cannot record into \"%1\": %2").arg(path, error));
    return false;
}

int say(const SayOptions &options)
{
    DirectSS engine;
    if (options.listVoices) {
        for (int i = 1; i <= engine.CountEngines(); ++i)
            printLine(stdout, engine.ModeName(i));
        return 0;
    }
    const int index = voiceIndex(engine, options.voice);
    if (index == 0) {
        printLine(
            stderr,
            QStringLiteral("vocalino-say: unknown voice \"%1\" (see --list-voices)").arg(options.voice));
        return 2;
    }
    // Speaking into no sound server would only pass the time: say so before anything is read.
    if (options.wavFile.isEmpty() && !engine.hasAudioDevice()) {
        printLine(stderr, QStringLiteral("vocalino-say: no sound server or audio device can be reached, so nothing "
                                         "can be heard; give --wav FILE to record the speech into a file instead"));
        return 1;
    }
    QString text = options.text;
    if (!textToSay(options, &text))
        return 2;
    const VoiceEntry &voice = VoiceCatalogue::voices().at(index - 1);
    engine.Select(index);
    engine.setSpeed(options.speed.value_or(150));
    engine.setPitch(options.pitch.value_or(voice.basePitch));
    engine.setFileName(options.wavFile);

    QEventLoop loop;
    QObject::connect(&engine, &DirectSS::AudioStop, &loop, &QEventLoop::quit);
    engine.Speak(text);
    if (engine.LastError() == DirectSS::Unexpected) {
        printLine(stderr,
                  QStringLiteral("vocalino-say: speed %1 or pitch %2 is not usable with %3 "
                                 "(speed %4-%5, pitch %6-%7 Hz); speaking at the nearest usable values")
                      .arg(engine.Speed())
                      .arg(engine.Pitch())
                      .arg(voice.name)
                      .arg(VoiceCatalogue::minimumSpeed)
                      .arg(VoiceCatalogue::maximumSpeed)
                      .arg(VoiceCatalogue::minimumPitch(voice))
                      .arg(VoiceCatalogue::maximumPitch(voice)));
    }
    loop.exec();
    if (!engine.LastErrorText().isEmpty()) { // a voice, the synthesiser or the file failed on the way
        printLine(stderr, QStringLiteral("vocalino-say: ") + engine.LastErrorText());
        return 1;
    }
    const QString unwritten = options.subtitlesFile.isEmpty()
                                  ? QString()
                                  : SubtitleFile::write(options.subtitlesFile, text, engine);
    if (!unwritten.isEmpty()) {
        printLine(stderr, QStringLiteral("vocalino-say: ") + unwritten);
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    // A command-line tool: the control's window is never shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString error;
    const SayOptions options = SayOptions::parse(app.arguments().mid(1), &error);
    if (options.help) {
        printLine(stdout, SayOptions::helpText(SoundFormat::writableExtensions()));
        return 0;
    }
    if (options.version) {
        printLine(stdout, SayOptions::versionText());
        return 0;
    }
    if (!error.isEmpty()) {
        printLine(stderr, QStringLiteral("vocalino-say: ") + error);
        printLine(stderr, SayOptions::usage());
        return 2;
    }
    if (!formatUsable(options.wavFile))
        return 2;
    if (const QString refused = SubtitleFile::refusal(options.subtitlesFile); !refused.isEmpty()) {
        printLine(stderr, QStringLiteral("vocalino-say: ") + refused);
        return 2;
    }
    try {
        return say(options);
    } catch (const AppError &e) {
        printLine(stderr, QStringLiteral("vocalino-say: ") + e.description());
        return 1;
    }
}
