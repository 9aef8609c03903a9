#pragma once

#include <QString>

class DirectSS;

// The subtitles of vocalino-say's recording, written beside it.
namespace SubtitleFile {
// Empty when `path` is empty or names a subtitle format this tool writes, else why not.
QString refusal(const QString &path);
// Writes the times of the engine's last recording of `text`; empty on success, else the reason.
QString write(const QString &path, const QString &text, const DirectSS &engine);
} // namespace SubtitleFile
