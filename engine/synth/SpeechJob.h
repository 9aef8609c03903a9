#pragma once

#include "engine/audio/WaveWriter.h"
#include "engine/synth/VoiceEntry.h"

#include <QString>

#include <memory>

// One speak call as the synthesis thread sees it.
struct SpeechJob
{
    QString text;
    VoiceEntry voice;
    VoiceSettings settings;
    std::unique_ptr<WaveWriter> writer; // set: record into it instead of playing
    quint64 generation = 0;
    qint32 reading = 0; // the speak call's number, which its word reports belong to
};

// How a job ended, reported from the synthesis thread.
struct JobOutcome
{
    static constexpr qint32 engineFailure = qint32(0x80004005); // the synthesiser failed
    quint64 generation = 0;
    bool recorded = false;
    QString recording; // the recording's file
    QString error;     // why the speech or the recording could not be completed
    qint32 code = 0;   // engineFailure, or the wave writer's code for the file
};
