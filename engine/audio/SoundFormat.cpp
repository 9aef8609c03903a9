#include "engine/audio/SoundFormat.h"

#include <QFileInfo>
#include <QHash>

#include <sndfile.h>

#include <algorithm>

namespace {
// Names people use that the library lists under another extension.
const QHash<QString, QString> aliases{{QStringLiteral("ogg"), QStringLiteral("oga")},
                                      {QStringLiteral("mp3"), QStringLiteral("m1a")},
                                      {QStringLiteral("aif"), QStringLiteral("aiff")}};

// Lossless first; the compressed formats take only their own encodings.
constexpr int subtypes[] = {SF_FORMAT_PCM_16, SF_FORMAT_VORBIS, SF_FORMAT_MPEG_LAYER_III, SF_FORMAT_OPUS};

int writableFormat(int major)
{
    for (int subtype : subtypes) {
        SF_INFO info{};
        info.samplerate = 22050;
        info.channels = 1;
        info.format = major | subtype;
        if (sf_format_check(&info))
            return info.format;
    }
    return 0;
}

// Extension (as the library lists it) to format, first listed first.
const QHash<QString, int> &formatsByExtension()
{
    static const QHash<QString, int> formats = [] {
        QHash<QString, int> found;
        int count = 0;
        sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
        for (int i = 0; i < count; ++i) {
            SF_FORMAT_INFO major{};
            major.format = i;
            if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &major, sizeof major) != 0 || !major.extension)
                continue;
            const QString extension = QString::fromLatin1(major.extension).toLower();
            const int format = writableFormat(major.format);
            if (format != 0 && !found.contains(extension))
                found.insert(extension, format);
        }
        return found;
    }();
    return formats;
}

QString extensionOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    // ".name" alone is a hidden file; blanks kept around a name do not change its kind
    return dot <= 0 ? QString() : name.mid(dot + 1).trimmed().toLower();
}
} // namespace

int SoundFormat::forPath(const QString &path, QString *error)
{
    const QString extension = extensionOf(path);
    if (extension.isEmpty())
        return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const int format = formatsByExtension().value(aliases.value(extension, extension), 0);
    if (format == 0)
        *error = QStringLiteral(".%1 is not a sound file format this program can write (it writes .%2)")
                     .arg(extension, writableExtensions().join(QStringLiteral(", .")));
    return format;
}

QStringList SoundFormat::writableExtensions()
{
    QStringList extensions = formatsByExtension().keys();
    for (auto it = aliases.cbegin(); it != aliases.cend(); ++it)
        if (formatsByExtension().contains(it.value()))
            extensions += it.key();
    // The common ones first, as people look for them.
    const QStringList common{QStringLiteral("wav"), QStringLiteral("flac"), QStringLiteral("ogg"),
                             QStringLiteral("mp3")};
    std::sort(extensions.begin(), extensions.end(), [&](const QString &a, const QString &b) {
        const qsizetype ia = common.indexOf(a), ib = common.indexOf(b);
        if ((ia >= 0) != (ib >= 0))
            return ia >= 0;
        return ia >= 0 ? ia < ib : a < b;
    });
    return extensions;
}
