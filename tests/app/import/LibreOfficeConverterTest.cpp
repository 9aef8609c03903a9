#include "app/import/LibreOfficeConverter.h"
#include "app/import/RtfReader.h"
#include "tests/app/import/KnownDocuments.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
class LibreOfficeConverterTest : public ::testing::Test
{
protected:
    LibreOfficeConverter converter;
};

TEST_F(LibreOfficeConverterTest, WordDocumentsOfEveryGenerationGiveTheirText)
{
    for (const char *extension : {"doc", "docx", "odt", "rtf"}) {
        const QString path = KnownDocuments::path(QString::fromLatin1(extension));
        ASSERT_TRUE(QFileInfo::exists(path)) << "LibreOffice made no " << extension;
        EXPECT_EQ(converter.toPlainText(path), KnownDocuments::text()) << extension;
    }
}

TEST_F(LibreOfficeConverterTest, OurRichTextReaderAgreesWithLibreOffice)
{
    EXPECT_EQ(RtfReader::readFile(KnownDocuments::path(QStringLiteral("rtf"))), KnownDocuments::text());
}

TEST_F(LibreOfficeConverterTest, FileNamesThatLookOdd)
{
    QTemporaryDir folder;
    const QString odd = folder.filePath(QStringLiteral("-n %20 #école & ;.docx"));
    ASSERT_TRUE(QFile::copy(KnownDocuments::path(QStringLiteral("docx")), odd));
    EXPECT_EQ(converter.toPlainText(odd), KnownDocuments::text());
}

TEST_F(LibreOfficeConverterTest, MissingDocumentOrFolderFails)
{
    QTemporaryDir folder;
    EXPECT_FALSE(converter.toPlainText(folder.filePath(QStringLiteral("missing.doc"))));
    EXPECT_FALSE(converter.toPlainText(folder.path()));
}

TEST_F(LibreOfficeConverterTest, MissingProgramFails)
{
    converter.setProgram(QStringLiteral("no-such-office-program"));
    EXPECT_FALSE(converter.toPlainText(KnownDocuments::path(QStringLiteral("doc"))));
}

TEST_F(LibreOfficeConverterTest, AProgramThatHangsIsKilledAtItsTimeLimit)
{
    QTemporaryDir folder;
    const QString hanging = folder.filePath(QStringLiteral("hanging-office"));
    QFile script(hanging);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 60 &\nwait\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    converter.setProgram(hanging);
    converter.setTimeLimitMs(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(converter.toPlainText(KnownDocuments::path(QStringLiteral("doc"))));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(LibreOfficeConverterTest, AProgramThatFailsOrWritesNothingFails)
{
    converter.setProgram(QStringLiteral("false"));
    EXPECT_FALSE(converter.toPlainText(KnownDocuments::path(QStringLiteral("doc"))));
    converter.setProgram(QStringLiteral("true"));
    EXPECT_FALSE(converter.toPlainText(KnownDocuments::path(QStringLiteral("doc"))));
}
} // namespace
