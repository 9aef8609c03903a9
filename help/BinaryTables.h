#pragma once

#include "help/SiteMap.h"

#include <QByteArray>

// The binary contents (#TOCIDX) and keyword index ($WWKeywordLinks/BTree) that
// help compilers write beside, or instead of, the .hhc and .hhk pages. Both
// point at topics through #TOPICS, #URLTBL and #URLSTR, and at names in #STRINGS.
// Every offset is checked; a loop in the links ends the walk.
namespace BinaryTables {

struct Topics
{
    QByteArray topics;     // 16 bytes a topic: #TOCIDX offset, title in #STRINGS, #URLTBL offset, flags
    QByteArray urlTable;   // 12 bytes an entry: hash, topic number, #URLSTR offset
    QByteArray urlStrings; // at an offset: two numbers, then the path, zero-terminated
    QByteArray strings;
    int codepage = 1252;

    QString path(quint32 topic) const;
    QString title(quint32 topic) const;
};

// #TOCIDX: a header whose first number is the offset of the first entry; an entry holds
// flags (4: has children, 8: is a topic), a topic number or #STRINGS offset, and the
// offsets of its next sibling and, when it has children, its first child.
QList<SiteMapEntry> contents(const QByteArray &tocIndex, const Topics &topics);

// $WWKeywordLinks/BTree: a 0x4C-byte header (block size at 2, last listing block at 0x16),
// then listing blocks chained by their previous and next block numbers. An entry is the
// keyword in UTF-16, a see-also flag, its depth, where the last part of the keyword
// starts, and the topic numbers it points to.
QList<SiteMapEntry> keywordIndex(const QByteArray &btree, const Topics &topics);

} // namespace BinaryTables
