#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

// Real word-processor documents made by LibreOffice from one known text, once per test
// binary: known.doc, known.docx, known.odt and known.rtf.
class KnownDocuments
{
public:
    static QString text()
    {
        return QStringLiteral("Élève à l’école: «Ça va?»\n"
                              "Καλημέρα κόσμε. Привет, мир! 日本語\n"
                              "\n"
                              "Third paragraph — end.");
    }

    // Empty when LibreOffice could not make them (the tests then fail on the missing file).
    static QString path(const QString &extension)
    {
        static KnownDocuments documents;
        return documents.m_folder.filePath(QStringLiteral("known.") + extension);
    }

private:
    KnownDocuments()
    {
        QFile source(m_folder.filePath(QStringLiteral("known.txt")));
        if (source.open(QIODevice::WriteOnly))
            source.write(text().toUtf8() + '\n');
        source.close();
        for (const char *format :
             {"doc:MS Word 97", "docx:MS Word 2007 XML", "odt:writer8", "rtf:Rich Text Format"})
            convert(source.fileName(), QString::fromLatin1(format));
    }

    void convert(const QString &source, const QString &format)
    {
        QProcess soffice;
        soffice.start(
            QStringLiteral("soffice"),
            {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(m_profile.path()).toString(),
             QStringLiteral("--headless"), QStringLiteral("--infilter=Text (encoded):UTF8"),
             QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), m_folder.path(), source});
        soffice.waitForFinished(120000);
    }

    QTemporaryDir m_folder;
    QTemporaryDir m_profile;
};
