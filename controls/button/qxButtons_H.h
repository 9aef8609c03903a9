#pragma once

#include "platform/PropertyBag.h"
#include "platform/SystemColors.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <array>
#include <vector>

class QMimeData;
class QPainter;
class QShortcut;

// The styled push button: eight looks, nine outlines, gradients, pictures, hover
// colours, and command, check and option modes. Everything is drawn into an
// off-screen buffer and reaches the surface in one copy; paintEvent only shows the surface.
class qxButtons_H : public QWidget
{
    Q_OBJECT

public:
    // What the hosting form tells the control about itself. Without one, the
    // control runs in user mode, named after its object name, on its parent's colour.
    class Ambient
    {
    public:
        virtual ~Ambient() = default;
        virtual bool UserMode() const = 0;
        virtual QString DisplayName() const = 0;
        virtual OleColor BackColor() const = 0;
        virtual bool DisplayAsDefault() const = 0;
    };

    enum Mode { CommandMode = 0, CheckMode = 1, OptionMode = 2 };
    enum StateFlag : quint16 { DefaultFrame = 1, Pressed = 2, Hovered = 4, Shifted = 0x400 };
    enum PictureKind { Bitmap = 0, Icon = 1 };

    static constexpr OleColor NoLine = 0xFFFFFFFF; // a border slot that is not drawn
    using Slots = std::array<OleColor, 13>;        // indexes 1..12

    explicit qxButtons_H(QWidget *parent = nullptr, Ambient *ambient = nullptr);
    ~qxButtons_H() override;

    // Not owned; nullptr restores the built-in run-time host.
    void setAmbient(Ambient *ambient);
    void AmbientChanged(const QString &name); // "DisplayAsDefault" or "BackColor"

    // Persistence.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    // Properties.
    int ButtonStyle() const { return m_buttonStyle; }
    void setButtonStyle(int style);
    int Mode() const { return m_mode; }
    void setMode(int mode);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QChar AccessKey() const { return m_accessKey; }
    int CaptionAlign() const { return m_captionAlign; }
    void setCaptionAlign(int align);
    int CaptionStyle() const { return m_captionStyle; }
    void setCaptionStyle(int style);
    int CustomClick() const { return m_customClick; }
    void setCustomClick(int shift);
    int ButtonShape() const { return m_shape; }
    void setButtonShape(int shape);
    PictureRef Picture() const { return m_pictureRef; }
    void setPicture(const PictureRef &picture); // loads the file or resource it names
    void setPicture(const QImage &image, PictureKind kind = Bitmap, const PictureRef &source = {});
    QImage PictureImage() const { return m_picture; }
    int PictureKindOf() const { return m_pictureKind; }
    int PictureAlign() const { return m_pictureAlign; }
    void setPictureAlign(int align);
    int PictureSize() const;
    void setPictureSize(int size);
    int PicturePixels() const { return m_picturePixels == 0 ? 16 : m_picturePixels; }
    bool Enabled() const { return isEnabled(); } // written through QWidget::setEnabled
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool show);
    bool Value() const { return m_value; }
    void setValue(bool value);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    PictureRef MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const PictureRef &icon);
    QFont Font() const { return font(); } // written through QWidget::setFont
    int FontStyle() const;
    void setFontStyle(int style);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor color);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    OleColor GradientColor() const { return m_gradientColor; }
    void setGradientColor(OleColor color);
    int GradientMode() const { return m_gradientMode; }
    void setGradientMode(int mode);
    bool ResetDefaultColors() const { return false; }
    void setResetDefaultColors(bool reset);
    int HoverColorLocks() const { return m_hoverLocks; }
    void setHoverColorLocks(int locks);
    OleColor HoverForeColor() const { return m_hoverForeColor; }
    void setHoverForeColor(OleColor color);
    OleColor HoverBackColor() const { return m_hoverBackColor; }
    void setHoverBackColor(OleColor color);
    // Return and Escape reach a default or cancel button as access keys.
    void setDefault(bool isDefault);
    void setCancel(bool isCancel);
    void setOLEDropMode(int mode); // 0 none, 1 manual: the OLE drop events are raised

    // Methods.
    void Refresh();
    void DelayDrawing(bool delay);
    void OLEDrag(); // starts a drag from the button: OLEStartDrag, then OLECompleteDrag

    // What is drawn and where, for the host and for tests.
    const QImage &surface() const { return m_surface; }
    // Full redraws so far: loading and batched setters are meant to draw once.
    int redrawCount() const { return m_redraws; }
    quint16 stateFlags() const { return m_state; }
    QRect captionRect() const { return m_captionRect; }
    QRect pictureRect() const { return m_pictureRect; }
    QRegion outline() const { return m_outline; }
    QRegion innerRegion(int inset) const { return inset == 1 ? m_inner1 : m_inner2; }
    int bodyLeft() const { return m_bodyLeft; }
    int bodyRight() const { return m_bodyRight; }
    std::array<OleColor, 4> derivedColors() const { return {m_face, m_shadow, m_hoverFace, m_light}; }
    bool hoverTimerRunning() const { return m_timerRunning; }

    // Host notifications that have no Qt event of their own.
    void AccessKeyPress(int keyAscii);
    void HoverTimerTick(int timerId); // called by modQxTimer
    // The option-group routine: 1 join, -1 leave, 0 enforce one selection, 2 query.
    void OptionToggle(int action, bool *anySelected = nullptr);

    // The arithmetic of the look, callable without a widget.
    static OleColor ShiftColor(OleColor color, int delta, bool blueScaled = false, bool avoidExtremes = false,
                               bool invert = false);
    static std::vector<OleColor> GradientTable(OleColor from, OleColor to, int bands);
    static int GradientBandSize(int screenExtent, int buttonExtent);
    static std::array<OleColor, 4> ComputeColors(int style, OleColor back, OleColor hover);
    static QChar FindAccessKey(const QString &caption);
    static QSize PictureFit(QSize picture, QSize available);
    static int WidenForSlant(int width, int height);
    struct Span
    {
        int x0, w, xr;
    };
    static Span UsableSpan(int shape, int width, int bodyLeft, int bodyRight);
    static QImage PictureMask(const QImage &picture, QSize size);
    static QRegion OpaqueRegion(const QImage &mask);
    static QRegion Erode(const QRegion &region, int pixels);

signals:
    void MouseDown(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);
    void MouseMove(short button, short shift, float x, float y);
    void KeyDown(short keyCode, short shift);
    void KeyPress(short keyAscii);
    void KeyUp(short keyCode, short shift);
    void MouseOnButton(bool onButton);
    void Click();
    void DoubleClick(short button);
    void OLECompleteDrag(int effect);
    void OLEDragDrop(const QMimeData *data, int &effect, short button, short shift, float x, float y);
    void OLEDragOver(const QMimeData *data, int &effect, short button, short shift, float x, float y,
                     short state);
    void OLEGiveFeedback(int &effect, bool &defaultCursors);
    void OLESetData(QMimeData *data, short dataFormat);
    void OLEStartDrag(QMimeData *data, int &allowedEffects);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct PaintPass
    {
        Slots lines;
        int state = 0;
        int cont = 2; // 0: the pass ended early; 1: no region frame; 2: frame in slot 12
    };

    // Model and persistence helpers.
    bool userMode() const;
    QString displayName() const;
    OleColor ambientBackColor() const;
    bool displayAsDefault() const;
    void designMessage(const QString &text) const;
    bool has(quint16 flag) const { return (m_state & flag) != 0; }
    void setFlag(quint16 flag, bool on);
    void readPictureInfo();
    // Takes a picture in without layout, redraw or shape checks (loading does those at its end).
    void storePicture(const QImage &image, PictureKind kind, const PictureRef &source);
    void storePicture(const PictureRef &picture);
    void afterNewPicture();
    void updateHoverBack();
    void refreshColors();
    void updateAccessShortcut();
    void applyLoadedFinalSteps();
    QWidget *container() const { return parentWidget(); }

    // Rendering.
    void ResizeHandling();
    void CreateBuffer();
    void PresentBuffer();
    void RebuildFont();
    void RedrawButton();
    bool CustomClickShift();
    void PaintBackground(QPainter &p, OleColor fill, OleColor gradient, PaintPass &pass);
    void PaintGradient(QPainter &p, OleColor from, OleColor to, int mode, const QRect &area);
    void PrepareShape(QPainter &p);
    void DrawBorderLines(QPainter &p, const Slots &lines);
    void DrawCaption(QPainter &p, OleColor face, OleColor disabledColor, bool pressedOffset);
    void DrawPicture(QPainter &p, QRect target);
    void DrawFocusMark(QPainter &p, OleColor color);
    void DrawRegionFrame(OleColor color);
    bool hoveredUnpressed() const { return has(Hovered) && !has(Pressed); }
    bool pressedAndHovered() const { return has(Pressed) && has(Hovered); }
    bool heldOrSelected() const { return m_mode != CommandMode && (m_keyOrMouseDown || m_value); }
    void PaintStyle2(QPainter &p, PaintPass &pass);
    void PaintClassic(QPainter &p, PaintPass &pass); // styles 0, 1, 4, 5, 6
    void PaintStyle3(QPainter &p, PaintPass &pass);
    void PaintStyle7(QPainter &p, PaintPass &pass);
    OleColor classicFace() const;
    void classicSlots(PaintPass &pass, OleColor face) const;
    void regionFrameSlot(PaintPass &pass) const;
    void cornerPixels(QPainter &p, const std::vector<std::pair<QPoint, OleColor>> &pixels);

    // Input.
    void mouseDownHandling(short button, short shift, QPointF pos);
    void startHover();
    void InternalClick();
    void postArrowToContainer(int key);
    void moveFocusToSibling(bool forward);
    static short vbShift(Qt::KeyboardModifiers modifiers);
    static short vbButton(Qt::MouseButton button);
    static short vbKeyCode(const QKeyEvent *event);
    QPoint customClickOffset() const;

    void dragOver(QDragMoveEvent *event, short state); // 0 entering, 2 over

    // Layout and outlines.
    void CalcLayout(bool rebuildMask);
    void BuildOutline();
    void buildCustomOutline();
    void buildSlantedOutline();
    void shadeRing(QPainter &p, const QRegion &inner);
    int cornerCut() const;

    Ambient *m_ambient = nullptr;
    QImage m_buffer;  // the off-screen device context
    QImage m_surface; // what the control shows
    QFont m_drawFont;

    QString m_caption;
    QChar m_accessKey;
    int m_captionAlign = 2;
    int m_captionStyle = 0;
    int m_buttonStyle = 0;
    quint16 m_state = 0;
    int m_shape = 0;
    int m_width = 0;
    int m_height = 0;
    QRect m_captionRect;
    bool m_showFocusRect = true;
    OleColor m_hoverBackColor = SystemColors::ButtonFace;
    OleColor m_hoverForeColor = SystemColors::ButtonText;
    int m_hoverLocks = 0;
    int m_gradientMode = 0;
    OleColor m_gradientColor = SystemColors::ButtonFace;
    int m_mode = CommandMode;
    bool m_value = false;
    int m_customClick = 0;
    QImage m_picture; // RGB32 for bitmaps, ARGB32 for icons
    PictureRef m_pictureRef;
    QImage m_mask; // the picture scaled to the size it is drawn at
    int m_pictureAlign = 0;
    int m_picturePixels = 0; // 0 until set: reads as 16
    QRect m_pictureRect;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    int m_pictureKind = Bitmap;
    bool m_delay = false;
    int m_redraws = 0;
    OleColor m_backColor = SystemColors::ButtonFace;
    OleColor m_foreColor = SystemColors::ButtonText;
    OleColor m_face = 0, m_shadow = 0, m_hoverFace = 0, m_light = 0;
    short m_lastButton = 0;
    bool m_timerRunning = false;
    OleColor m_containerBack = TranslateColor(SystemColors::ButtonFace);
    bool m_keyOrMouseDown = false;
    int m_mousePointer = 0;
    PictureRef m_mouseIcon;
    int m_oleDropMode = 0;

    QRegion m_outline, m_inner1, m_inner2;
    int m_bodyLeft = 0;
    int m_bodyRight = 0;
    bool m_buildingOutline = false;
    bool m_pressSeen = false;        // a press on us precedes the release that clicks
    bool m_afterDoubleClick = false; // the release after a double click is no click
    QShortcut *m_accessShortcut = nullptr;
    QShortcut *m_defaultShortcut = nullptr;
    QShortcut *m_enterShortcut = nullptr;
    QShortcut *m_cancelShortcut = nullptr;
};
