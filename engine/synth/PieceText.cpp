#include "engine/synth/PieceText.h"

#include <algorithm>

namespace {
// UTF-8 length of the UTF-16 unit or pair at i, as QString::toUtf8() writes it.
int utf8Length(const QString &text, qsizetype i, int *units)
{
    const char16_t c = text.at(i).unicode();
    *units = 1;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *units = 2;
        return 4;
    }
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}
} // namespace

PieceText::PieceText(const QString &text, qsizetype from, qsizetype to) : m_from(from), m_to(to)
{
    const QString piece = text.mid(from, to - from);
    m_utf8 = piece.toUtf8();
    m_byteAt.reserve(size_t(m_utf8.size()) + 1);
    for (qsizetype i = 0; i < piece.size();) {
        int units = 1;
        const int length = utf8Length(piece, i, &units);
        m_byteAt.insert(m_byteAt.end(), size_t(length), int(from + i));
        m_characterAt.push_back(int(from + i));
        i += units;
    }
    // A lone surrogate becomes one replacement character of 3 bytes, as counted.
    m_byteAt.resize(size_t(m_utf8.size()), int(to));
    m_byteAt.push_back(int(to));
    m_characterAt.push_back(int(to));
}

int PieceText::atByte(qsizetype byte) const
{
    return m_byteAt[size_t(std::clamp<qsizetype>(byte, 0, qsizetype(m_byteAt.size()) - 1))];
}

int PieceText::atCharacter(qsizetype character) const
{
    return m_characterAt[size_t(std::clamp<qsizetype>(character, 0, qsizetype(m_characterAt.size()) - 1))];
}
