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
    quint64 generation = 0;
    bool recorded = false;
    QString error; // a recording that could not be completed
};
