#include "engine/audio/WaveWriter.h"

#include "engine/DirectSS.h"
#include "platform/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <sndfile.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Below this a recording cannot even hold its header and a breath of speech.
constexpr qint64 minimumFreeBytes = 64 * 1024;

[[noreturn]] void fail(qint32 code, const QString &path, const QString &reason)
{
    throw AppError(code, QStringLiteral("Cannot write the wave file \"%1\": %2").arg(path, reason));
}

qint32 codeForErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return DirectSS::PathNotFound;
    case ENOSPC:
    case EDQUOT:
        return DirectSS::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return DirectSS::AccessDenied;
    default:
        return DirectSS::WriteFault;
    }
}

void checkTarget(const QString &target)
{
    if (target.isEmpty())
        fail(DirectSS::InvalidArgument, target, QStringLiteral("no file name was given"));
    const QFileInfo info(target);
    if (info.isDir())
        fail(DirectSS::AccessDenied, target, QStringLiteral("it is a folder"));
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        fail(DirectSS::PathNotFound, target, QStringLiteral("the folder does not exist"));
    if (!folder.isDir())
        fail(DirectSS::PathNotFound, target, QStringLiteral("the folder is not a folder"));
    if (info.exists() && !info.isWritable())
        fail(DirectSS::AccessDenied, target, QStringLiteral("the file is read-only"));
}
} // namespace

std::unique_ptr<WaveWriter> WaveWriter::open(const QString &target, int sampleRate)
{
    checkTarget(target);
    const QFileInfo info(target);
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                           + QStringLiteral(".XXXXXX"));
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        const int error = errno;
        fail(codeForErrno(error), target, QString::fromLocal8Bit(std::strerror(error)));
    }
    const QString temporary = QFile::decodeName(pattern);
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    const QStorageInfo storage(info.absolutePath());
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < minimumFreeBytes) {
        close(fd);
        QFile::remove(temporary);
        fail(DirectSS::DiskFull, target, QStringLiteral("the disk is full"));
    }

    SF_INFO format{};
    format.samplerate = sampleRate;
    format.channels = 1;
    format.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open_fd(fd, SFM_WRITE, &format, SF_TRUE);
    if (!file) {
        const QString reason = QString::fromUtf8(sf_strerror(nullptr));
        close(fd);
        QFile::remove(temporary);
        fail(DirectSS::WriteFault, target, reason);
    }
    return std::unique_ptr<WaveWriter>(new WaveWriter(target, temporary, file));
}

WaveWriter::WaveWriter(QString target, QString temporary, SNDFILE *file)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_file(file)
{
}

WaveWriter::~WaveWriter()
{
    discard();
}

bool WaveWriter::write(const qint16 *samples, qint64 count)
{
    if (!m_file || !m_error.isEmpty())
        return false;
    const sf_count_t done = sf_write_short(m_file, samples, count);
    m_frames += done;
    if (done != count) {
        m_error = QStringLiteral("Writing \"%1\" failed: %2").arg(m_target, QString::fromUtf8(sf_strerror(m_file)));
        return false;
    }
    return true;
}

bool WaveWriter::commit()
{
    if (!m_file)
        return false;
    // The header is only complete once libsndfile has closed the file.
    const int closed = sf_close(m_file);
    m_file = nullptr;
    if (closed != 0 && m_error.isEmpty())
        m_error = QStringLiteral("Closing \"%1\" failed: %2").arg(m_target, QString::fromUtf8(sf_error_number(closed)));
    if (m_error.isEmpty()
        && std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        m_error = QStringLiteral("Renaming into \"%1\" failed: %2")
                      .arg(m_target, QString::fromLocal8Bit(std::strerror(errno)));
    if (!m_error.isEmpty()) {
        QFile::remove(m_temporary);
        return false;
    }
    m_temporary.clear();
    return true;
}

void WaveWriter::discard()
{
    if (m_file) {
        sf_close(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        m_temporary.clear();
    }
}
