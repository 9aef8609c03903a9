#include "app/import/DocumentOpener.h"

#include "app/import/DocumentSniffer.h"
#include "app/import/LibreOfficeConverter.h"
#include "app/import/RtfReader.h"
#include "platform/TextFile.h"

namespace {
DocumentOpener::Outcome unreadable(const QString &reason)
{
    return {std::nullopt, DocumentOpener::Failure::Unreadable, reason};
}

DocumentOpener::Reader readerOfKind(DocumentSniffer::Kind kind)
{
    switch (kind) {
    case DocumentSniffer::Kind::RichText:
        return DocumentOpener::Reader::RichText;
    case DocumentSniffer::Kind::WordProcessor:
        return DocumentOpener::Reader::WordProcessor;
    case DocumentSniffer::Kind::Text:
        break;
    }
    return DocumentOpener::Reader::Text;
}

DocumentOpener::Reader readerOfFilter(int filterIndex)
{
    switch (filterIndex) {
    case 0:
    case DocumentOpener::TextFilter:
        return DocumentOpener::Reader::Text;
    case DocumentOpener::RichTextFilter:
        return DocumentOpener::Reader::RichText;
    case DocumentOpener::WordFilter:
        return DocumentOpener::Reader::WordProcessor;
    default:
        return DocumentOpener::Reader::Nothing;
    }
}
} // namespace

DocumentOpener::Outcome DocumentOpener::open(const QString &path, int filterIndex)
{
    m_bytesRead = 0;
    m_bytesTotal = 0;
    // Whatever the reader, a file that cannot be read is told as such, not as a bad document.
    const TextFile::Opened opened = TextFile::openRegular(path);
    if (!opened.file)
        return unreadable(opened.reason);
    Reader reader = readerOfFilter(filterIndex);
    if (filterIndex == AllFilesFilter)
        reader = readerOfKind(DocumentSniffer::kindOf(*opened.file));
    opened.file->seek(0);
    m_bytesTotal = opened.file->size();
    switch (reader) {
    case Reader::Text:
        return readText(*opened.file);
    case Reader::RichText:
        return readRichText(*opened.file);
    case Reader::WordProcessor:
        return convert(path);
    case Reader::Nothing:
        break;
    }
    return {QString(), Failure::None, {}};
}

DocumentOpener::Outcome DocumentOpener::readText(QFile &file)
{
    const TextFile::Read read = TextFile::readAll(file, TextFile::maxBytes, &m_bytesRead);
    if (!read.bytes)
        return unreadable(read.reason);
    return {TextFile::decode(*read.bytes), Failure::None, {}};
}

DocumentOpener::Outcome DocumentOpener::readRichText(QFile &file)
{
    const TextFile::Read read = TextFile::readAll(file, RtfReader::maxFileBytes, &m_bytesRead);
    if (!read.bytes)
        return unreadable(read.reason);
    std::optional<QString> text = RtfReader::toPlainText(*read.bytes);
    return {std::move(text), text ? Failure::None : Failure::NotRichText, {}};
}

DocumentOpener::Outcome DocumentOpener::convert(const QString &path)
{
    std::optional<QString> text = m_converter.toPlainText(path);
    return {std::move(text), text ? Failure::None : Failure::ConversionFailed, {}};
}
