#include "tools/say/SayOptions.h"

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
            ok = takeText(args, i, options.wavFile, error);
        else if (a == u"-f")
            ok = takeText(args, i, options.textFile, error);
        else if (a == u"--list-voices")
            options.listVoices = true;
        else if (a == u"-h" || a == u"--help")
            options.help = true;
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
    else if (ok && !options.listVoices && !options.help && options.textFile.isEmpty() && words.isEmpty())
        *error = QStringLiteral("nothing to say: give a text or -f FILE");
    options.text = words.join(u' ');
    return options;
}

QString SayOptions::usage()
{
    return QStringLiteral("usage: vocalino-say [--voice NAME] [--speed N] [--pitch N] [--wav FILE] "
                          "[--list-voices] [-f FILE | TEXT...]");
}
