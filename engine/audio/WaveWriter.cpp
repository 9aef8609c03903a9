#include "engine/audio/WaveWriter.h"

#include "engine/audio/PendingFile.h"
#include "engine/audio/SoundFormat.h"
#include "platform/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <sndfile.h>

#include <cerrno>
#include <cstring>

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
        return WaveWriter::PathNotFound;
    case ENOSPC:
    case EDQUOT:
        return WaveWriter::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return WaveWriter::AccessDenied;
    default:
        return WaveWriter::WriteFault;
    }
}

void checkTarget(const QString &target)
{
    if (target.isEmpty())
        fail(WaveWriter::InvalidArgument, target, QStringLiteral("no file name was given"));
    const QFileInfo info(target);
    if (info.isDir())
        fail(WaveWriter::AccessDenied, target, QStringLiteral("it is a folder"));
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        fail(WaveWriter::PathNotFound, target, QStringLiteral("the folder does not exist"));
    if (!folder.isDir())
        fail(WaveWriter::PathNotFound, target, QStringLiteral("the folder is not a folder"));
    if (info.exists() && !info.isWritable())
        fail(WaveWriter::AccessDenied, target, QStringLiteral("the file is read-only"));
}

void checkFreeSpace(const QString &target)
{
    const QStorageInfo storage(QFileInfo(target).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < minimumFreeBytes)
        fail(WaveWriter::DiskFull, target, QStringLiteral("the disk is full"));
}
} // namespace

std::unique_ptr<WaveWriter> WaveWriter::open(const QString &target, int sampleRate)
{
    checkTarget(target);
    QString formatError;
    const int format = SoundFormat::forPath(target, &formatError);
    if (format == 0)
        fail(WaveWriter::InvalidArgument, target, formatError);
    checkFreeSpace(target);
    int error = 0;
    std::unique_ptr<PendingFile> pending = PendingFile::create(target, &error);
    if (!pending)
        fail(codeForErrno(error), target, QString::fromLocal8Bit(std::strerror(error)));

    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = format;
    // The descriptor stays ours: the file is named through it after libsndfile has closed.
    SNDFILE *file = sf_open_fd(pending->descriptor(), SFM_WRITE, &info, SF_FALSE);
    if (!file)
        fail(WaveWriter::WriteFault, target, QString::fromUtf8(sf_strerror(nullptr)));
    return std::unique_ptr<WaveWriter>(new WaveWriter(target, std::move(pending), file));
}

WaveWriter::WaveWriter(QString target, std::unique_ptr<PendingFile> pending, SNDFILE *file)
    : m_target(std::move(target)), m_pending(std::move(pending)), m_file(file)
{
}

WaveWriter::~WaveWriter()
{
    discard();
}

QString WaveWriter::temporaryPath() const
{
    return m_pending ? m_pending->temporaryPath() : QString();
}

bool WaveWriter::write(const qint16 *samples, qint64 count)
{
    if (!m_file || !m_error.isEmpty())
        return false;
    errno = 0;
    const sf_count_t done = sf_write_short(m_file, samples, count);
    if (done != count) {
        m_code = codeForErrno(errno);
        m_error =
            QStringLiteral("Writing \"%1\" failed: %2").arg(m_target, QString::fromUtf8(sf_strerror(m_file)));
        return false;
    }
    m_frames += count;
    return true;
}

bool WaveWriter::commit()
{
    if (!m_file)
        return false;
    // The header is only complete once libsndfile has closed the file.
    errno = 0;
    const int closed = sf_close(m_file);
    if (closed != 0 && m_error.isEmpty())
        m_code = codeForErrno(errno);
    m_file = nullptr;
    if (closed != 0 && m_error.isEmpty())
        m_error = QStringLiteral("Closing \"%1\" failed: %2")
                      .arg(m_target, QString::fromUtf8(sf_error_number(closed)));
    QString reason;
    if (m_error.isEmpty() && !m_pending->publish(&reason)) {
        m_code = codeForErrno(errno);
        m_error = QStringLiteral("Naming \"%1\" failed: %2").arg(m_target, reason);
    }
    m_pending.reset();
    return m_error.isEmpty();
}

void WaveWriter::discard()
{
    if (m_file) {
        sf_close(m_file);
        m_file = nullptr;
    }
    m_pending.reset();
}
