#include "skin/ClsSkin.h"

#include "platform/AppError.h"
#include "platform/ReportError.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinSet.h"

#include <QPainter>

namespace {
const QString Module = QStringLiteral("ClsSkin");

// Opaque copies, scaled ones by nearest pixel, as the system's block transfers.
void startCopying(QPainter &painter)
{
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}
} // namespace

const char *ClsSkin::pieceName(Piece piece)
{
    static const char *const names[PieceCount] = {"BACKGROUND", "TOPLEFT",     "TOPRIGHT",
                                                  "BOTTOMLEFT", "BOTTOMRIGHT", "TOPFORM",
                                                  "BOTTOMFORM", "RIGHTFORM",   "LEFTFORM"};
    return names[piece];
}

ClsSkin::ClsSkin(QObject *parent) : QObject(parent) {}

void ClsSkin::setTheForm(SkinnedWindow *form)
{
    if (m_form)
        disconnect(m_form, nullptr, this, nullptr);
    m_form = form;
    if (!form)
        return;
    connect(form, &SkinnedWindow::Paint, this, &ClsSkin::TheForm_Paint);
    connect(form, &SkinnedWindow::Resize, this, &ClsSkin::TheForm_Resize);
    connect(form, &SkinnedWindow::MouseMove, this, &ClsSkin::TheForm_MouseMove);
    connect(form, &SkinnedWindow::MouseDown, this, &ClsSkin::TheForm_MouseDown);
}

void ClsSkin::SetFrmPict()
{
    runReported(QStringLiteral("SetFrmPict"), Module, [this] {
        for (int piece = 0; piece < PieceCount; ++piece)
            m_holders[piece].setStdBitmap(SkinSet::bitmap(QLatin1String(pieceName(Piece(piece)))));
        HideControls(true);
    });
}

void ClsSkin::SetFrmBackPict()
{
    runReported(QStringLiteral("SetFrmBackPict"), Module, [this] {
        m_holders[Background].setStdBitmap(SkinSet::bitmap(QLatin1String(pieceName(Background))));
        HideControls(false);
    });
}

void ClsSkin::TheForm_Paint()
{
    runReported(QStringLiteral("TheForm_Paint"), Module, [this] { paintSteps(); });
}

void ClsSkin::TheForm_Resize()
{
    runReported(QStringLiteral("TheForm_Resize"), Module, [this] {
        paintSteps();
        if (m_form && m_form->BorderStyle() == 0)
            ResizeControls(m_form);
    });
}

void ClsSkin::paintSteps()
{
    if (!m_form)
        throw AppError(91, QStringLiteral("Object variable not set"));
    if (m_form->BorderStyle() != 0) {
        if (m_holders[Background].hDC() != 0)
            TileBlt(m_form, &m_holders[Background]);
        return;
    }
    // A borderless window must be skinned before it is first painted.
    TileBlt(m_form, &m_holders[Background]);
    CopyToFormCorner(m_form);
}

void ClsSkin::TileBlt(SkinnedWindow *form, const ClsPictureDC *holder)
{
    runReported(QStringLiteral("TileBlt"), Module, [&] {
        if (!holder)
            return;
        QImage &dc = form->surface();
        const int w = holder->Width(), h = holder->Height();
        const int columns = SkinGeometry::tileSteps(form->width(), w);
        const int rows = SkinGeometry::tileSteps(form->height(), h);
        QPainter painter(&dc);
        startCopying(painter);
        for (int i = 0; i <= columns; ++i)
            for (int j = 0; j <= rows; ++j)
                painter.drawImage(w * i, h * j, holder->image());
        painter.end();
        form->update();
    });
}

void ClsSkin::CopyToFormCorner(SkinnedWindow *form)
{
    runReported(QStringLiteral("CopyToFormCorner"), Module, [&] {
        static constexpr Piece byStep[8] = {TopForm, BottomForm, RightForm,  LeftForm,
                                            TopLeft, TopRight,   BottomLeft, BottomRight};
        QSize sizes[8];
        for (int i = 0; i < 8; ++i)
            sizes[i] = QSize(m_holders[byStep[i]].Width(), m_holders[byStep[i]].Height());
        QPainter painter(&form->surface());
        startCopying(painter);
        for (const auto &step : SkinGeometry::frameSteps(form->width(), form->height(), sizes)) {
            const QImage &piece = m_holders[byStep[step.piece]].image();
            if (piece.isNull())
                continue; // an empty holder copies nothing
            painter.drawImage(step.target, piece, piece.rect());
        }
        painter.end();
        form->update();
    });
}
