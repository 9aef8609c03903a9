#pragma once

class QIODevice;

// Tells by its first bytes (and, for a zip, its table of contents) which reader a file
// needs when the person chose "All files". The file must allow seeking.
class DocumentSniffer
{
public:
    enum class Kind { Text, RichText, WordProcessor };

    // RichText for "{\rtf"; WordProcessor for an OLE compound file (a Word 97 .doc) or a
    // zip holding word/document.xml or an OpenDocument text; Text for everything else.
    static Kind kindOf(QIODevice &file);

    // A zip's table of contents larger than this is not looked into.
    static constexpr int maxDirectoryBytes = 16 * 1024 * 1024;
};
