#pragma once

#include "controls/CmdGeometry.h"
#include "platform/PropertyBag.h"
#include "platform/SystemColors.h"

#include <QImage>
#include <QWidget>

class QPainter;

// A button made of two skin pictures, an up picture at rest and a down picture while
// pressed or checked, with an optional caption. Style picks what it is: 0 plain
// picture button, 1 to 3 a skinned window's close, maximise and minimise buttons,
// 4 push button, 5 check box, 6 option button. The style sets the Tag by which the
// skinned frame finds it. Sizes are twips; the control's own surface is pixels.
//
// The caption's font is the control's own font(): setFont() is the Font writer.
// Enabled is the window's enabled state; setEnabled() here also colours the caption,
// and so does QWidget::setEnabled() when it changes the state (as the skin does).
class UcCmd : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Tag READ Tag WRITE setTag)
    Q_PROPERTY(QString OptionGroup READ OptionGroup WRITE setOptionGroup)
    Q_PROPERTY(bool Value READ Value WRITE setValue)

public:
    enum class Element { None, ImgUP, ImgDN, Label1 };

    explicit UcCmd(QWidget *parent = nullptr);

    // The host's Tag of this control (not saved by the control itself).
    QString Tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    qint16 BorderStyle() const { return m_bordered ? 1 : 0; }
    void setBorderStyle(qint16 value);
    // The control's own state, whatever its window's is.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabled(bool enabled);
    QString PictureUP() const { return m_pictureUpName; }
    void setPictureUP(const QString &name); // an unknown name throws error 326
    QString PictureDN() const { return m_pictureDnName; }
    void setPictureDN(const QString &name);
    qint32 Style() const { return m_style; }
    void setStyle(qint32 style);
    QFont Font() const { return font(); }
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    double ScaleFactor() const { return m_scaleFactor; }
    void setScaleFactor(double value);
    bool Value() const { return m_value; }
    void setValue(bool value);
    QString OptionGroup() const { return m_optionGroup; }
    void setOptionGroup(const QString &group);

    void RePaint();
    void ResetParent();
    // What a click does, for the keyboard (Space, Return) and screen readers; nothing while disabled.
    void Press();

    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    // What the user sees, for the host's tests and the gallery.
    const QImage &surface() const { return m_surface; }
    OleColor captionColour() const { return m_captionColour; }
    bool isUpShown() const { return m_upShown; }
    bool isDownShown() const { return m_downShown; }
    bool isCaptionShown() const { return m_captionShown; }
    QRect pictureBox() const; // ImgUP and ImgDN, pixels
    QRect captionBox() const; // Label1, pixels
    QSize sizeTwips() const;

signals:
    void Click();
    void MouseMove(qint16 button, qint16 shift, float x, float y); // x, y in twips
    void PropertyChanged(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Input (UcCmdInput.cpp).
    Element elementAt(QPointF pos) const;
    void pressUp();
    void pressDown();
    void releaseUp();
    void moveOverUp(QMouseEvent *event);
    void moveOverSurface(QMouseEvent *event);
    void raiseMouseMove(QMouseEvent *event);

    // Layout (UcCmdLayout.cpp).
    void layOut();
    void placeCaptionButton();
    void showValue();
    QSizeF captionSizeTwips() const;
    void showUp(bool up);
    void compose();
    void drawFocusMark(QPainter &painter);

    void setPicture(QString &field, const char *property, QImage &shown, const QString &name);
    void loadPicture1(const QString &name);
    void loadInto(QImage &picture, const QString &name);
    void setCaptionColour(OleColor colour);
    void showEnabled();
    QWidget &host() const; // throws error 398 while the control is not on a window

    QString m_tag;
    bool m_bordered = false;
    QString m_pictureUpName;
    QString m_pictureDnName;
    qint32 m_style = 0;
    QString m_caption;
    double m_scaleFactor = 1;
    bool m_value = false;
    QString m_optionGroup;

    bool m_painted = false;
    bool m_layingOut = false;
    bool m_loading = false;
    Element m_pressed = Element::None;

    QImage m_picture1;     // the picture loaded last: the measure of the layout
    QSize m_picture1Twips; // its box, 600 by 300 without an up picture
    QImage m_upPicture;
    QImage m_downPicture;
    QImage m_background;
    bool m_upShown = true;
    bool m_downShown = false;
    bool m_captionShown = true;
    OleColor m_captionColour = 0;
    CmdGeometry::Layout m_layout;
    QImage m_surface;
};
