#include "tools/say/SayOptions.h"

#include "platform/TextFile.h"

namespace {
bool takeNumber(const QStringList &args, qsizetype &i, std::optional<int> &into, QString *error)
{
    const QString option = args.at(i);
    if (++i >= args.size()) {
        *error = option + QStringLiteral(" needs a number");
        return false;
    }
    bool ok = false;
    const int value = args.at(i).toInt(&ok);
    if (!ok) {
        *error = QStringLiteral("%1 needs a whole number, not \"%2\"").arg(option, args.at(i));
        return false;
    }
    into = value;
    return true;
}

bool takeText(const QStringList &args, qsizetype &i, QString &into, QString *error)
{
    const QString option = args.at(i);
    if (++i >= args.size()) {
        *error = option + QStringLiteral(" needs a value");
        return false;
    }
    into = args.at(i);
    return true;
}

// An empty name would quietly mean "no file": playing aloud, or reading standard input.
bool takeFileName(const QStringList &args, qsizetype &i, QString &into, QString *error)
{
    if (!takeText(args, i, into, error))
        return false;
    if (!into.isEmpty())
        return true;
    *error = args.at(i - 1) + QStringLiteral(" needs a file name, not an empty one");
    return false;
}

// Words laid in lines under the option descriptions.
QString wrapped(const QString &text, int indent)
{
    const QString margin(indent, u' ');
    QStringList lines{margin};
    for (const QString &word : text.split(u' ')) {
        if (lines.last().size() > indent && lines.last().size() + word.size() >= 80)
            lines += margin;
        lines.last() += (lines.last().size() > indent ? QStringLiteral(" ") : QString()) + word;
    }
    return lines.join(u'\n');
}
} // namespace

SayOptions SayOptions::parse(const QStringList &args, QString *error)
{
    SayOptions options;
    error->clear();
    QStringList words;
    bool ok = true;
    for (qsizetype i = 0; i < args.size() && ok; ++i) {
        const QString &a = args.at(i);
        if (a == u"--voice")
            ok = takeText(args, i, options.voice, error);
        else if (a == u"--speed")
            ok = takeNumber(args, i, options.speed, error);
        else if (a == u"--pitch")
            ok = takeNumber(args, i, options.pitch, error);
        else if (a == u"--wav")
            ok = takeFileName(args, i, options.wavFile, error);
        else if (a == u"--subtitles")
            ok = takeFileName(args, i, options.subtitlesFile, error);
        else if (a == u"-f")
            ok = takeFileName(args, i, options.textFile, error);
        else if (a == u"--list-voices")
            options.listVoices = true;
        else if (a == u"-h" || a == u"--help")
            options.help = true;
        else if (a == u"--version")
            options.version = true;
        else if (a == u"--") {
            words += args.mid(i + 1);
            break;
        } else if (a.startsWith(u'-') && a.size() > 1) {
            *error = QStringLiteral("unknown option \"%1\"").arg(a);
            ok = false;
        } else
            words += a;
    }
    if (ok && !options.textFile.isEmpty() && !words.isEmpty())
        *error = QStringLiteral("give either -f FILE or a text, not both");
    if (ok && !options.subtitlesFile.isEmpty() && options.wavFile.isEmpty())
        *error = QStringLiteral("--subtitles needs --wav FILE: the times are those of the recording");
    options.fromStandardInput = ok && options.textFile.isEmpty() && words.isEmpty();
    options.text = words.join(u' ');
    return options;
}

QString SayOptions::usage()
{
    return QStringLiteral("usage: vocalino-say [--voice NAME] [--speed N] [--pitch N] [--wav FILE] "
                          "[--subtitles FILE]\n                    [-f FILE | TEXT...]\n"
                          "       vocalino-say --list-voices | --help | --version");
}

QString SayOptions::helpText(const QStringList &formats)
{
    return (usage() + QStringLiteral(R"(

Speaks a text with the voices of Vocalino, or records it into a sound file.
The text is the words after the options, or the contents of -f FILE; with
neither, it is read from standard input.
  example: echo "Read me aloud." | vocalino-say --voice Sam

Options:
  --voice NAME     the voice to speak with (default Mary); see --list-voices.
                   example: vocalino-say --voice "Mike in Space" "Hello from orbit."
  --speed N        words a minute (default 150).
                   example: vocalino-say --speed 100 "Slowly now."
  --pitch N        the voice's pitch in hertz (default the voice's own).
                   example: vocalino-say --voice Sam --pitch 120 "A deep hello."
  --wav FILE       record into FILE instead of playing; the format follows the
                   extension (no extension: a wave file), one of
%1
                   An existing file is replaced only once the recording is complete.
                   example: vocalino-say --wav story.ogg -f story.txt
  --subtitles FILE with --wav: write when each sentence is heard in the recording,
                   as subtitles; FILE ends in .srt (SubRip), .vtt (WebVTT, with
                   the time of every word) or .lrc (lyrics, with word times).
                   example: vocalino-say --wav story.wav --subtitles story.srt -f story.txt
  -f FILE          read the text from FILE: UTF-16 or UTF-8 after a byte-order
                   mark, else UTF-8 when it is valid, else Windows-1252, as the
                   Vocalino window reads it (standard input likewise). At most
                   %2 is read.
                   example: vocalino-say -f poem.txt
  --list-voices    print the names of the voices, one a line, and stop.
                   example: vocalino-say --list-voices
  --version        print the version and stop.
                   example: vocalino-say --version
  -h, --help       print this help and stop.
                   example: vocalino-say --help
  --               everything after it is text, even when it starts with "-".
                   example: vocalino-say -- "-5 degrees outside today."

A speed or pitch the voice cannot take is said on standard error, and the text
is spoken at the nearest usable values. Exit status: 0 done, 1 the speech or the
file failed, 2 the command line or the voice was wrong.)"))
        .arg(wrapped(QStringLiteral(".") + formats.join(QStringLiteral(", .")) + u'.', 19),
             TextFile::sizeText(TextFile::maxBytes));
}

QString SayOptions::versionText()
{
    return QStringLiteral("vocalino-say " VOCALINO_VERSION "\n"
                          "License GPL-3.0-or-later: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.");
}
