#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class PendingFile;
typedef struct sf_private_tag SNDFILE;

// A 16-bit mono sound file in the format its name's extension asks for (a wave
// file without one), written unnamed and given its name by commit(), so the
// target is never left half-written. Dropping an uncommitted writer leaves nothing.
class WaveWriter
{
public:
    // The engine's codes for a file that cannot be written.
    enum Failure : qint32 {
        InvalidArgument = qint32(0x80070057),
        AccessDenied = qint32(0x80070005),
        PathNotFound = qint32(0x80070003),
        DiskFull = qint32(0x80070070),
        WriteFault = qint32(0x8007001D),
    };

    // Throws AppError naming the path and the reason when it cannot be written,
    // an unknown extension included, before anything is written.
    static std::unique_ptr<WaveWriter> open(const QString &target, int sampleRate);
    ~WaveWriter();

    // False once a write has failed (a full disk); later writes are ignored.
    bool write(const qint16 *samples, qint64 count);
    // Closes and renames into place; false (and the target untouched) on failure.
    bool commit();
    void discard();

    const QString &target() const { return m_target; }
    // Empty while the file is unnamed; the hidden name where the file system has no unnamed files.
    QString temporaryPath() const;
    QString error() const { return m_error; }

private:
    WaveWriter(QString target, std::unique_ptr<PendingFile> pending, SNDFILE *file);

    QString m_target;
    std::unique_ptr<PendingFile> m_pending;
    SNDFILE *m_file = nullptr;
    QString m_error;
};
