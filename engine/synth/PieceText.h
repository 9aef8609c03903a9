#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One piece of a job's text as the synthesisers take it (UTF-8), and the way back
// from their positions in it to positions in the job's text.
class PieceText
{
public:
    PieceText(const QString &text, qsizetype from, qsizetype to);

    const QByteArray &utf8() const { return m_utf8; }
    qsizetype from() const { return m_from; }
    qsizetype to() const { return m_to; }
    // Text position of a UTF-8 byte of the piece (Flite counts bytes); the piece's end past its last.
    int atByte(qsizetype byte) const;
    // Text position of a character of the piece (espeak-ng counts code points); the piece's end past its
    // last.
    int atCharacter(qsizetype character) const;

private:
    QByteArray m_utf8;
    qsizetype m_from;
    qsizetype m_to;
    std::vector<int> m_byteAt;      // text position of each byte, then the end
    std::vector<int> m_characterAt; // text position of each code point, then the end
};
