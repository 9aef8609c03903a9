#include "app/import/DocumentSniffer.h"

#include <QByteArray>
#include <QIODevice>
#include <QtEndian>

namespace {
constexpr char compoundFileSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr char zipEntry[] = "PK\x03\x04";
constexpr char zipDirectoryEntry[] = "PK\x01\x02";
constexpr char zipDirectoryEnd[] = "PK\x05\x06";
constexpr char openDocumentText[] = "application/vnd.oasis.opendocument.text";
constexpr int directoryEndSize = 22;
constexpr int longestZipComment = 0xFFFF;

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    if (at < 0 || at + size > bytes.size())
        return 0;
    return size == 2 ? qFromLittleEndian<quint16>(bytes.constData() + at)
                     : qFromLittleEndian<quint32>(bytes.constData() + at);
}

QByteArray readAt(QIODevice &file, qint64 at, qint64 size)
{
    if (at < 0 || size < 0 || !file.seek(at))
        return {};
    return file.read(size);
}

// An OpenDocument package stores its type first and uncompressed, under the name "mimetype".
bool isOpenDocumentText(const QByteArray &head)
{
    const quint32 nameSize = littleEndian(head, 26, 2);
    const quint32 extraSize = littleEndian(head, 28, 2);
    if (head.mid(30, nameSize) != "mimetype" || littleEndian(head, 8, 2) != 0)
        return false;
    return head.mid(30 + nameSize + extraSize).startsWith(openDocumentText);
}

bool directoryNamesWordDocument(const QByteArray &directory)
{
    for (qsizetype at = 0; directory.mid(at, 4) == zipDirectoryEntry;) {
        const quint32 nameSize = littleEndian(directory, at + 28, 2);
        const quint32 extraSize = littleEndian(directory, at + 30, 2);
        const quint32 commentSize = littleEndian(directory, at + 32, 2);
        if (directory.mid(at + 46, nameSize) == "word/document.xml")
            return true;
        at += 46 + nameSize + extraSize + commentSize;
    }
    return false;
}

// A Word 2007 package names word/document.xml in the zip's table of contents, found through
// the record that ends the zip (after which only a comment may follow).
bool isWordPackage(QIODevice &file)
{
    const qint64 size = file.size();
    const qint64 tailStart = std::max<qint64>(0, size - directoryEndSize - longestZipComment);
    const QByteArray tail = readAt(file, tailStart, size - tailStart);
    const qsizetype end = tail.lastIndexOf(zipDirectoryEnd);
    if (end < 0)
        return false;
    const quint32 directorySize = littleEndian(tail, end + 12, 4);
    const quint32 directoryStart = littleEndian(tail, end + 16, 4);
    if (directorySize > quint32(DocumentSniffer::maxDirectoryBytes))
        return false;
    return directoryNamesWordDocument(readAt(file, directoryStart, directorySize));
}
} // namespace

DocumentSniffer::Kind DocumentSniffer::kindOf(QIODevice &file)
{
    const QByteArray head = readAt(file, 0, 128);
    if (head.startsWith("{\\rtf"))
        return Kind::RichText;
    if (head.startsWith(QByteArrayView(compoundFileSignature, 8)))
        return Kind::WordProcessor;
    if (head.startsWith(zipEntry) && (isOpenDocumentText(head) || isWordPackage(file)))
        return Kind::WordProcessor;
    return Kind::Text;
}
