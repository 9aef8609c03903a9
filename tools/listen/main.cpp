// vocalino-listen: how well a speech recogniser understands each voice.
#include "tools/listen/ListenRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Records every voice saying the sentences and lets pocketsphinx listen.");
    parser.addHelpOption();
    const QCommandLineOption say("say", "vocalino-say to record with.", "program",
                                 QCoreApplication::applicationDirPath() + "/vocalino-say");
    const QCommandLineOption sentences("sentences", "Sentences, one a line.", "file", VOCALINO_SENTENCES);
    const QCommandLineOption count("count", "Only the first N sentences.", "N", "0");
    const QCommandLineOption voice("voice", "Only this voice (may repeat).", "name");
    const QCommandLineOption keep("keep", "Keep the recordings in this folder.", "folder");
    const QCommandLineOption jobs("jobs", "Programs to run at once.", "N",
                                  QString::number(QThread::idealThreadCount()));
    const QCommandLineOption check("check", "Exit with 1 when a voice loses more words than its limit.");
    const QCommandLineOption verbose("verbose", "Show each sentence heard wrong.");
    const QCommandLineOption rates("rates",
                                   "Also measure words a minute and median F0 at the sliders' marks.");
    parser.addOptions({say, sentences, count, voice, keep, jobs, check, verbose, rates});
    parser.process(app);

    QTemporaryDir temporary;
    ListenOptions options;
    options.say = parser.value(say);
    options.sentences = parser.value(sentences);
    options.count = parser.value(count).toInt();
    options.voices = parser.values(voice);
    options.folder = parser.isSet(keep) ? parser.value(keep) : temporary.path();
    options.jobs = std::max(1, parser.value(jobs).toInt());
    options.check = parser.isSet(check);
    options.verbose = parser.isSet(verbose);
    options.rates = parser.isSet(rates);
    if (parser.isSet(keep) ? !QDir().mkpath(options.folder) : !temporary.isValid()) {
        std::fprintf(stderr, "vocalino-listen: cannot make the folder \"%s\"\n", qPrintable(options.folder));
        return 2;
    }
    return ListenRun(options).run();
}
