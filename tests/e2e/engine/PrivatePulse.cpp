#include "PrivatePulse.h"

#include <QFile>
#include <QThread>

bool PrivatePulse::start()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_RUNTIME_PATH", m_dir.path());
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start("pulseaudio", {"-n", "--exit-idle-time=-1", "--disallow-exit", "--use-pid-file=no",
                                  "--load=module-null-sink sink_name=test",
                                  "--load=module-native-protocol-unix socket=" + m_dir.filePath("native")});
    if (!m_server.waitForStarted(5000))
        return false;
    for (int i = 0; i < 100 && !QFile::exists(m_dir.filePath("native")); ++i)
        QThread::msleep(50);
    QThread::msleep(200);
    return QFile::exists(m_dir.filePath("native"));
}

void PrivatePulse::stop()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000))
            m_server.kill();
        m_server.waitForFinished(1000);
    }
}

void PrivatePulse::startCapture()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", server());
    m_capture.setProcessEnvironment(env);
    // Small fragments: what parec still holds when it is stopped is lost.
    m_capture.start("parec", {"-d", "test.monitor", "--raw", "--format=s16le", "--channels=1", "--rate=22050",
                              "--latency-msec=20"});
    m_capture.waitForStarted(3000);
    QThread::msleep(300); // until the recorder is connected
}

std::vector<qint16> PrivatePulse::stopCapture()
{
    QByteArray bytes = m_capture.readAllStandardOutput();
    m_capture.terminate();
    if (!m_capture.waitForFinished(3000))
        m_capture.kill();
    m_capture.waitForFinished(1000);
    bytes += m_capture.readAllStandardOutput();
    std::vector<qint16> samples(size_t(bytes.size() / 2));
    memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}
