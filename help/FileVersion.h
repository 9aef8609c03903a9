#pragma once

#include <QString>
#include <optional>

struct FileVersionNumbers
{
    quint16 major = 0;
    quint16 minor = 0;
    quint16 build = 0;
    quint16 revision = 0;
};

// Versions of files. A shared library here carries its version in its real
// file name ("libchm.so.1.0.0"), which stands in for a version resource.
namespace FileVersion {
std::optional<FileVersionNumbers> read(const QString &path);
std::optional<FileVersionNumbers> fromFileName(const QString &fileName);
// "4.74.8702.00" / "5.00.2919.6307"; a build that is not positive as a signed
// 16-bit number gives major.minor.revision with four revision digits.
QString text(const FileVersionNumbers &version);
// Dotted versions compared number by number (missing parts count as 0);
// nullopt when either is not a dotted version.
std::optional<int> compare(const QString &a, const QString &b);
} // namespace FileVersion
