#pragma once

#include <QProcess>
#include <QTemporaryDir>

// A PulseAudio server of our own with one null sink "test", and a recorder
// of what reaches that sink.
class PrivatePulse
{
public:
    bool start();
    void stop();
    QString server() const { return QStringLiteral("unix:") + m_dir.filePath("native"); }

    void startCapture();
    // Stops recording and returns the 16-bit mono samples at 22050 Hz.
    std::vector<qint16> stopCapture();

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_capture;
};
