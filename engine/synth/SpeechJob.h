#pragma once

#include "engine/audio/WaveWriter.h"
#include "engine/synth/VoiceEntry.h"

#include <QString>

#include <memory>
#include <vector>

// One speak call as the synthesis thread sees it.
struct SpeechJob
{
    QString text;
    VoiceEntry voice;
    VoiceSettings settings;
    std::unique_ptr<WaveWriter> writer; // set: record into it instead of playing
    quint64 generation = 0;
    qint32 reading = 0;       // the speak call's number, which its word reports belong to
    qint64 silenceBefore = 0; // samples of silence ahead of the speech (a gap between parts)
    bool ahead = false;       // synthesise the first sentence ahead of a speak call, unheard
};

// A word of a recording: the sample of the file where its sound begins, and its place in the text.
struct RecordedWord
{
    qint64 sample = 0;
    int start = 0;
    int length = 0;
    bool operator==(const RecordedWord &) const = default;
};

// How a job ended, reported from the synthesis thread.
struct JobOutcome
{
    static constexpr qint32 engineFailure = qint32(0x80004005); // the synthesiser failed
    quint64 generation = 0;
    bool recorded = false;
    QString recording;               // the recording's file
    QString error;                   // why the speech or the recording could not be completed
    qint32 code = 0;                 // engineFailure, or the wave writer's code for the file
    std::vector<RecordedWord> words; // a recording's words, in the order heard
    qint64 frames = 0;               // a recording's length in samples
};
