#include "controls/Trough.h"

#include "platform/AppError.h"
#include "platform/Twips.h"

#include <QPainter>

namespace Trough {

namespace {
int tileCount(int length, int tileLength)
{
    return roundHalfEven(checkedDivide(double(length), double(tileLength)));
}

int capWidth(int pieceWidth)
{
    return roundHalfEven(pieceWidth * 1.2);
}
} // namespace

std::vector<Piece> layout(bool horizontal, QSize inner, QSize tile, QSize leadCap, QSize endCap,
                          bool bordered)
{
    const int w = inner.width();
    const int h = inner.height();
    std::vector<Piece> pieces;
    if (horizontal) {
        const int height = bordered ? h - 2 : h;
        const int n = tileCount(w, tile.width());
        for (int i = 0; i <= n; ++i)
            pieces.push_back({Slot::Tile, QRect(i * tile.width(), 0, tile.width(), height)});
        const Piece right{Slot::EndCap,
                          QRect(w - capWidth(endCap.width()), 0, capWidth(endCap.width()), height)};
        const Piece left{Slot::LeadCap, QRect(0, 0, capWidth(leadCap.width()), height)};
        if (bordered) {
            pieces.push_back(left);
            pieces.push_back(right);
        } else {
            pieces.push_back(right);
            pieces.push_back(left);
        }
    } else {
        const int n = tileCount(h, tile.height());
        for (int i = 0; i <= n; ++i)
            pieces.push_back({Slot::Tile, QRect(0, i * tile.height(), w, tile.height())});
        pieces.push_back({Slot::EndCap, QRect(0, 0, w, endCap.height())});
        pieces.push_back({Slot::LeadCap, QRect(0, h - leadCap.height(), w, leadCap.height())});
    }
    return pieces;
}

void paint(QImage &surface, const std::vector<Piece> &pieces, const QImage &tile, const QImage &leadCap,
           const QImage &endCap)
{
    QPainter painter(&surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Piece &piece : pieces) {
        const QImage &source = piece.slot == Slot::Tile      ? tile
                               : piece.slot == Slot::LeadCap ? leadCap
                                                             : endCap;
        painter.drawImage(piece.dest, source);
    }
}

} // namespace Trough
