#pragma once

#include <QString>
#include <QStringList>

// The sound file format a file name asks for by its extension, among those the
// installed libsndfile writes: .wav, .flac, .ogg, .mp3 where the library has it,
// and the rest of its list. A name without an extension is a wave file.
class SoundFormat
{
public:
    // The libsndfile format (major and subtype) for 16-bit mono sound under `path`;
    // 0, with `error` saying why, when no writable format has that extension.
    static int forPath(const QString &path, QString *error);
    // Every extension forPath accepts, lower case, without the dot.
    static QStringList writableExtensions();
};
