#pragma once

#include "platform/PropertyBag.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>

class ClsPictureDC;
class PictureBox;

// A progress bar drawn from skin pieces: a trough of tiles and caps with the bar
// picture laid over it, one colour of the picture made transparent. Horizontal bars
// fill from the left; vertical ones grow upwards. Inside it works in pixels.
class UcProgress : public QWidget
{
    Q_OBJECT

public:
    explicit UcProgress(QWidget *parent = nullptr);
    ~UcProgress() override;

    qint32 Min() const { return m_min; }
    void setMin(qint32 value); // a negative minimum is stored as 0
    qint32 Max() const { return m_max; }
    void setMax(qint32 value);
    qint32 Value() const { return m_value; }
    void setValue(qint32 value); // outside Min..Max ignored
    qint16 Orientation() const { return m_orientation; }
    void setOrientation(qint16 value);
    void Refresh() { Repaint(); }

    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    // The procedures of the control; each catches and reports its own failures.
    void UserResize();
    void Repaint();
    void GetThePict();
    int GetHorizontalPos();
    int GetVerticalPos();
    void CopyTransPict();
    void MaskSprite();

    bool isHorizontal() const { return m_orientation == 0; }
    QSize innerSize() const { return size(); }
    const QImage &surface() const { return m_surface; }
    const QImage &sprite() const;
    const QImage &mask() const;

signals:
    void PropertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum Slot { Tile, LeadCap, EndCap, Sprite, Mask };
    void UserControl_Resize();
    void loadPiece(Slot slot, const QString &name);

    qint32 m_min = 0;
    qint32 m_max = 100;
    qint32 m_value = 0;
    qint16 m_orientation = 0;
    bool m_painting = false;

    std::array<std::unique_ptr<ClsPictureDC>, 5> m_pieces;
    PictureBox *m_pictBar = nullptr; // hidden child: the bar picture before it is copied
    QImage m_pictDC;                 // the work surface, composed off screen
    QImage m_surface;                // what is on screen
};
