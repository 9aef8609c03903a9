#pragma once

#include <QByteArray>

// Numbers as help files store them, for tables built by hand in the tests.
inline QByteArray u32(quint32 v)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

inline QByteArray u64(quint64 v)
{
    return u32(quint32(v)) + u32(quint32(v >> 32));
}
