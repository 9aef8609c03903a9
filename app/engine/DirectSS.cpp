#include "app/engine/DirectSS.h"
#include "app/engine/SampleRing.h"
#include "app/engine/SynthWorker.h"
#include "platform/AppError.h"
#include <QPainter>

DirectSS::DirectSS(QWidget *parent) : DirectSS(AudioOutput::create(), parent) {}
DirectSS::DirectSS(std::unique_ptr<AudioOutput> output, QWidget *parent)
    : QWidget(parent), m_output(std::move(output)) {}
DirectSS::~DirectSS() = default;
qint32 DirectSS::CountEngines() const { return 19; }
QString DirectSS::ModeName(qint32 index) const { checkIndex(index); return {}; }
void DirectSS::Select(qint32 index) { checkIndex(index); m_voice = index; }
void DirectSS::setSpeed(qint32 v) { m_speed = v; }
void DirectSS::setPitch(qint32 v) { m_pitch = v; }
void DirectSS::setFileName(const QString &p) { m_fileName = p; }
void DirectSS::Speak(const QString &) {}
void DirectSS::AudioPause() {}
void DirectSS::AudioResume() {}
void DirectSS::AudioReset() {}
bool DirectSS::hasAudioDevice() const { return m_output && m_output->isDevice(); }
QString DirectSS::deviceError() const { return m_output ? m_output->deviceError() : QString(); }
int DirectSS::sampleRate() const { return 22050; }
void DirectSS::paintEvent(QPaintEvent *) { QPainter(this).drawImage(0, 0, m_surface); }
void DirectSS::showEvent(QShowEvent *) {}
void DirectSS::resizeEvent(QResizeEvent *) {}
void DirectSS::tick() {}
void DirectSS::feedOutput() {}
void DirectSS::deliverEvents(qint64) {}
void DirectSS::finishIfDone() {}
void DirectSS::setShape(int) {}
void DirectSS::redrawMouth() {}
void DirectSS::checkIndex(qint32 index) const
{
    if (index < 1 || index > CountEngines())
        throw AppError(InvalidArgument, QStringLiteral("Voice index %1 is out of range").arg(index));
}
