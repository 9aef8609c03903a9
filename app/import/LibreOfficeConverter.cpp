#include "app/import/LibreOfficeConverter.h"

#include "app/import/FileOpen.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcImport, "vocalino.import")

namespace {
// Macros in a document never run: the private profile starts with them disabled.
constexpr char profileSettings[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
</oor:items>
)";

QString convertedFile(const QString &folder)
{
    const QFileInfoList found = QDir(folder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files);
    return found.isEmpty() ? QString() : found.constFirst().absoluteFilePath();
}

QString withoutFinalParagraphMark(QString text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}
} // namespace

LibreOfficeConverter::LibreOfficeConverter() = default;
LibreOfficeConverter::~LibreOfficeConverter() = default;

std::optional<QString> LibreOfficeConverter::toPlainText(const QString &documentPath)
{
    if (!QFileInfo(documentPath).isFile() || !prepareProfile())
        return std::nullopt;
    QTemporaryDir output;
    if (!output.isValid() || !runConversion(documentPath, output.path()))
        return std::nullopt;
    const QString textFile = convertedFile(output.path());
    if (textFile.isEmpty())
        return std::nullopt;
    std::optional<QString> text = FileOpen(textFile);
    if (!text)
        return std::nullopt;
    return withoutFinalParagraphMark(*std::move(text));
}

bool LibreOfficeConverter::prepareProfile()
{
    if (m_profile)
        return true;
    auto profile = std::make_unique<QTemporaryDir>();
    if (!profile->isValid() || !QDir(profile->path()).mkpath(QStringLiteral("user")))
        return false;
    QFile settings(profile->filePath(QStringLiteral("user/registrymodifications.xcu")));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(profileSettings) < 0)
        return false;
    m_profile = std::move(profile);
    return true;
}

bool LibreOfficeConverter::runConversion(const QString &documentPath, const QString &outputFolder)
{
    const QString executable = QStandardPaths::findExecutable(m_program);
    if (executable.isEmpty()) {
        qCWarning(lcImport) << "no" << m_program << "on the path";
        return false;
    }
    QProcess process;
    process.setProgram(executable);
    // A URL, so that no file name can pass for an option.
    process.setArguments(
        {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(m_profile->path()).toString(),
         QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
         QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), outputFolder,
         QUrl::fromLocalFile(QFileInfo(documentPath).absoluteFilePath()).toString()});
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    // Its own process group, so that a time-out ends LibreOffice's helpers as well.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted(10000))
        return false;
    limit.start(m_timeLimitMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (process.state() != QProcess::NotRunning) {
        qCWarning(lcImport) << "LibreOffice ran out of time, killed";
        ::kill(-pid_t(process.processId()), SIGKILL);
        process.waitForFinished(5000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
