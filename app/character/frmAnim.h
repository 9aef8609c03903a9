#pragma once

#include <QPointer>
#include <QRegion>
#include <QWidget>

class AudioStopTarget;
class DirectSS;
class PictureBox;

// The borderless window shaped like the clown. It hosts the one engine control, over the
// clown's mouth, and passes the engine's audio stop and failures on to the main window.
class frmAnim : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PictureWidth = 212;
    static constexpr int PictureHeight = 200;

    explicit frmAnim(QWidget *parent = nullptr);
    ~frmAnim() override;

    void setAudioStopTarget(AudioStopTarget *target) { m_target = target; }

    PictureBox *picClown = nullptr;
    PictureBox *picMainSkin = nullptr;
    DirectSS *DirectSS1 = nullptr;

    // The shape set on the window (kept here too: some window systems do not apply masks).
    const QRegion &windowShape() const { return m_shape; }

    // The clown picture of the program's resources.
    static QImage characterPicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void picMainSkin_MouseDown(QPoint pressedAt);
    void DirectSS1_AudioStop(qint32 hi, qint32 lo);
    void DirectSS1_Failed(qint32 code, const QString &text, const QString &recording);

    AudioStopTarget *m_target = nullptr;
    QRegion m_shape;
};
