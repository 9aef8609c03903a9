#pragma once

#include <QString>
#include <optional>

// Release names of HTML Help and Internet Explorer versions, and the versions
// that the minimum-configuration codes require.
namespace ReleaseNames {
QString helpRelease(const QString &version);    // "unknown" when not in the table
QString browserRelease(const QString &version); // "unknown" when not in the table
std::optional<QString> helpRequiredVersion(int code);
std::optional<QString> browserRequiredVersion(int code);
} // namespace ReleaseNames
