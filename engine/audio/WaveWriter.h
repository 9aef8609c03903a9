#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

typedef struct sf_private_tag SNDFILE;

// A 16-bit mono RIFF WAVE file written under a unique temporary name beside
// its target and renamed into place by commit(), so the target is never left
// half-written. Dropping an uncommitted writer removes the temporary file.
class WaveWriter
{
public:
    // Throws AppError naming the path and the reason when it cannot be written.
    static std::unique_ptr<WaveWriter> open(const QString &target, int sampleRate);
    ~WaveWriter();

    // False once a write has failed (a full disk); later writes are ignored.
    bool write(const qint16 *samples, qint64 count);
    // Closes and renames into place; false (and the target untouched) on failure.
    bool commit();
    void discard();

    const QString &target() const { return m_target; }
    const QString &temporaryPath() const { return m_temporary; }
    QString error() const { return m_error; }
    qint64 frames() const { return m_frames; }

private:
    WaveWriter(QString target, QString temporary, SNDFILE *file);

    QString m_target;
    QString m_temporary;
    SNDFILE *m_file = nullptr;
    QString m_error;
    qint64 m_frames = 0;
};
