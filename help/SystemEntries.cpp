#include "help/SystemEntries.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <chm_lib.h>
#include <dlfcn.h>

namespace {
QString libraryHolding(const void *symbol)
{
    Dl_info info{};
    if (dladdr(symbol, &info) == 0 || !info.dli_fname)
        return {};
    const QFileInfo file(QString::fromLocal8Bit(info.dli_fname));
    return file.canonicalFilePath().isEmpty() ? file.absoluteFilePath() : file.canonicalFilePath();
}
} // namespace

namespace SystemEntries {

QString helpControlClassKey()
{
    return QStringLiteral("CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}\\InprocServer32");
}

QString browserLibraryClassKey()
{
    return QStringLiteral("CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}\\InProcServer32");
}

QString helpTypeLibraryKey()
{
    return QStringLiteral("SOFTWARE\\Classes\\TypeLib\\{ADB880A2-D8FF-11CF-9377-00AA003B7A11}");
}

QString helpLibraryFile() { return libraryHolding(reinterpret_cast<const void *>(&chm_open)); }

QString browserLibraryFile() { return libraryHolding(&QTextBrowser::staticMetaObject); }

QList<RegKey> keys(RegHive hive)
{
    if (hive == RegHive::ClassesRoot)
        return {RegKey{helpControlClassKey(), {RegValue{QString(), RegType::Sz, helpLibraryFile()}}, true},
                RegKey{browserLibraryClassKey(), {RegValue{QString(), RegType::Sz, browserLibraryFile()}}, true}};
    if (hive == RegHive::LocalMachine)
        return {RegKey{helpTypeLibraryKey(), {}, true}};
    return {};
}

} // namespace SystemEntries
