#pragma once

#include <QString>

#include <atomic>
#include <optional>

class LibreOfficeConverter;
class QFile;

// Reads a file the person chose in the open dialog into plain text, with the reader that
// the chosen filter names; under "All files" the file's content picks the reader. Runs on
// any thread: it touches no widget.
class DocumentOpener
{
public:
    // The open dialog's filters, 1-based; 0 is "none chosen yet", which means the first.
    enum Filter { TextFilter = 1, RichTextFilter = 2, WordFilter = 3, AllFilesFilter = 4 };
    enum class Reader { Text, RichText, WordProcessor, Nothing };
    enum class Failure { None, Unreadable, NotRichText, ConversionFailed };

    struct Outcome
    {
        std::optional<QString> text;
        Failure failure = Failure::None;
        QString reason; // why an unreadable file could not be read
    };

    explicit DocumentOpener(LibreOfficeConverter &converter) : m_converter(converter) {}

    Outcome open(const QString &path, int filterIndex);
    // The bytes read so far, for a progress display on another thread.
    const std::atomic<qint64> &bytesRead() const { return m_bytesRead; }
    // The size of the file being read; 0 while unknown.
    const std::atomic<qint64> &bytesTotal() const { return m_bytesTotal; }

private:
    Outcome readText(QFile &file);
    Outcome readRichText(QFile &file);
    Outcome convert(const QString &path);

    LibreOfficeConverter &m_converter;
    std::atomic<qint64> m_bytesRead{0};
    std::atomic<qint64> m_bytesTotal{0};
};
