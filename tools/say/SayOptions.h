#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// vocalino-say's command line, parsed without touching the engine.
struct SayOptions
{
    QString voice = QStringLiteral("Mary");
    std::optional<int> speed;
    std::optional<int> pitch;
    QString wavFile;
    QString subtitlesFile; // the recording's sentence and word times
    QString textFile;
    QString text;
    bool listVoices = false;
    bool help = false;
    bool version = false;
    bool fromStandardInput = false; // no text and no -f: the text comes on standard input

    // Empty error when the arguments (without the program name) make sense.
    static SayOptions parse(const QStringList &arguments, QString *error);
    static QString usage();
    // Every option, with an example; `formats` are the extensions --wav can write.
    static QString helpText(const QStringList &formats);
    static QString versionText();
};
