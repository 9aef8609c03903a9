#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

// Turns a word-processor document (.doc, .docx, .odt, .rtf ...) into its plain text by
// running LibreOffice headless as an outside program. It runs with a private profile, so
// that a LibreOffice the user has open does not take the request, with macros off, and
// under a time limit after which it is killed. It may run on any thread; while it runs, the
// calling thread keeps handling its events.
class LibreOfficeConverter
{
public:
    LibreOfficeConverter();
    ~LibreOfficeConverter();

    // nullopt when LibreOffice is missing, fails, or runs out of time.
    std::optional<QString> toPlainText(const QString &documentPath);

    void setProgram(const QString &program) { m_program = program; }
    const QString &program() const { return m_program; }
    void setTimeLimitMs(int milliseconds) { m_timeLimitMs = milliseconds; }
    int timeLimitMs() const { return m_timeLimitMs; }

private:
    bool prepareProfile();
    bool runConversion(const QString &documentPath, const QString &outputFolder);

    QString m_program = QStringLiteral("soffice");
    int m_timeLimitMs = 120000;
    // Kept for the life of the converter: a profile made once starts LibreOffice faster.
    std::unique_ptr<QTemporaryDir> m_profile;
};
