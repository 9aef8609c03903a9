#include "app/import/DocumentSniffer.h"
#include "tests/app/import/KnownDocuments.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {
using Kind = DocumentSniffer::Kind;

Kind kindOfBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return DocumentSniffer::kindOf(buffer);
}

Kind kindOfFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return DocumentSniffer::kindOf(file);
}

TEST(DocumentSniffer, RealDocumentsAreKnownByTheirContent)
{
    EXPECT_EQ(kindOfFile(KnownDocuments::path("doc")), Kind::WordProcessor);
    EXPECT_EQ(kindOfFile(KnownDocuments::path("docx")), Kind::WordProcessor);
    EXPECT_EQ(kindOfFile(KnownDocuments::path("odt")), Kind::WordProcessor);
    EXPECT_EQ(kindOfFile(KnownDocuments::path("rtf")), Kind::RichText);
}

TEST(DocumentSniffer, EverythingElseIsText)
{
    EXPECT_EQ(kindOfBytes(""), Kind::Text);
    EXPECT_EQ(kindOfBytes("Once upon a time"), Kind::Text);
    EXPECT_EQ(kindOfBytes(" {\\rtf1 x}"), Kind::Text);                  // not at the very start
    EXPECT_EQ(kindOfBytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A"), Kind::Text); // one byte short
    // A zip that holds no word-processing document, and zips cut short anywhere.
    QFile odt(KnownDocuments::path("odt"));
    ASSERT_TRUE(odt.open(QIODevice::ReadOnly));
    QByteArray spreadsheet = odt.readAll();
    spreadsheet.replace("opendocument.text", "opendocument.sheet");
    EXPECT_EQ(kindOfBytes(spreadsheet), Kind::Text);
    QFile docx(KnownDocuments::path("docx"));
    ASSERT_TRUE(docx.open(QIODevice::ReadOnly));
    const QByteArray whole = docx.readAll();
    for (qsizetype size : {4, 30, 100, int(whole.size() / 2), int(whole.size() - 10)})
        EXPECT_EQ(kindOfBytes(whole.first(size)), Kind::Text) << size;
    QByteArray renamed = whole;
    renamed.replace("word/document.xml", "word/somethingx.xml");
    EXPECT_EQ(kindOfBytes(renamed), Kind::Text);
}
} // namespace
