#include "tools/say/SubtitleFile.h"

#include "engine/DirectSS.h"
#include "engine/Subtitles.h"

#include <QSaveFile>

QString SubtitleFile::refusal(const QString &path)
{
    if (path.isEmpty() || Subtitles::formatFor(path))
        return {};
    QStringList endings = Subtitles::extensions();
    const QString last = endings.takeLast();
    return QStringLiteral("cannot write subtitles into \"%1\": the name must end in .%2 or .%3")
        .arg(path, endings.join(QStringLiteral(", .")), last);
}

QString SubtitleFile::write(const QString &path, const QString &text, const DirectSS &engine)
{
    const auto format = Subtitles::formatFor(path);
    if (!format)
        return refusal(path);
    const auto cues =
        Subtitles::cues(text, engine.recordedWords(), engine.recordedFrames(), engine.sampleRate());
    QSaveFile file(path); // an existing file is replaced only by a complete one
    if (!file.open(QIODevice::WriteOnly) || file.write(Subtitles::write(cues, *format).toUtf8()) < 0 ||
        !file.commit())
        return QStringLiteral("cannot write subtitles into \"%1\": %2").arg(path, file.errorString());
    return {};
}
