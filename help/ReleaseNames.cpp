#include "help/ReleaseNames.h"

#include <utility>

namespace {
struct Pair
{
    const char *key;
    const char *value;
};

constexpr Pair HelpReleases[] = {
    {"4.72.7290.00", "1.0"},   {"4.72.7323.00", "1.1"},   {"4.72.7325.00", "1.1a"},
    {"4.72.8164.00", "1.1b"},  {"4.73.8252.00", "1.2"},   {"4.73.8412.00", "1.21"},
    {"4.73.8474.00", "1.21a"}, {"4.73.8561.00", "1.22"},  {"4.74.8566.00", "1.3 Windows 2000 Beta"},
    {"4.74.8637.00", "1.3 IE 5.5 Platform Preview Beta"}, {"4.74.8702.00", "1.3"},
};

constexpr Pair BrowserReleases[] = {
    {"4.70.1155.0000", "3.0"},
    {"4.70.1158.0000", "3.0 OSR2"},
    {"4.70.1215.0000", "3.02"},
    {"4.70.1300.0000", "3.02"},
    {"4.71.1008.3000", "4.0 PP2"},
    {"4.71.1712.5000", "4.0"},
    {"4.72.2106.7000", "4.01"},
    {"4.72.3110.0300", "4.0 SP1"},
    {"4.72.3612.1707", "4.0 SP2"},
    {"5.00.0518.5000", "5.0 beta 1"},
    {"5.00.0910.1308", "5.0 beta 2"},
    {"5.00.2014.2130", "5.0"},
    {"5.00.2314.1000", "5.0a (Office 2000)"},
    {"5.00.2614.3500", "5.0b (Windows 98 SE)"},
    {"5.00.2717.2000", "5.0c (Icon Security Issue Update)"},
    {"5.00.2721.1400", "5.0d (ImportExport Favorites Issue Update)"},
    {"5.00.2919.800", "5.x (Windows 2000 RC1, build 5.00.2072)"},
    {"5.00.2919.3800", "5.x (Windows 2000 RC2, build 5.00.2128)"},
    {"5.00.2919.6307", "5.01"},
    {"5.50.3825.1300", "5.5 Platform Preview"},
};

constexpr std::pair<int, const char *> HelpMinimums[] = {
    {16, "4.72.7290"}, {17, "4.72.7323"}, {18, "4.72.7325"}, {19, "4.72.8164.0"},
    {20, "4.73.8252"}, {21, "4.73.8412"}, {22, "4.73.8474"}, {23, "4.73.8561"},
    {24, "4.74.8566"}, {25, "4.74.8637"}, {26, "4.74.8702"},
};

constexpr std::pair<int, const char *> BrowserMinimums[] = {
    {256, "4.70.1155"},      {257, "4.70.1158"},      {258, "4.70.1215"},      {259, "4.70.1300"},
    {260, "4.71.1008.3"},    {261, "4.71.1712.5"},    {262, "4.72.2106.7"},    {263, "4.72.3110.03"},
    {264, "4.72.3612.1707"}, {265, "5.00.0518.5"},    {266, "5.00.0910.1308"}, {267, "5.00.2014.213"},
    {268, "5.00.2314.1000"}, {269, "5.00.2614.3500"}, {270, "5.0.2717.2000"},  {271, "5.00.2721.1400"},
    {272, "5.00.2919.800"},  {273, "5.00.2919.3800"},
};

template <size_t N>
QString lookUp(const Pair (&table)[N], const QString &version)
{
    for (const Pair &pair : table)
        if (version.compare(QLatin1String(pair.key), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(pair.value);
    return QStringLiteral("unknown");
}

template <size_t N>
std::optional<QString> required(const std::pair<int, const char *> (&table)[N], int code)
{
    for (const auto &[key, version] : table)
        if (key == code)
            return QString::fromLatin1(version);
    return std::nullopt;
}
} // namespace

namespace ReleaseNames {
QString helpRelease(const QString &version) { return lookUp(HelpReleases, version); }
QString browserRelease(const QString &version) { return lookUp(BrowserReleases, version); }
std::optional<QString> helpRequiredVersion(int code) { return required(HelpMinimums, code); }
std::optional<QString> browserRequiredVersion(int code) { return required(BrowserMinimums, code); }
} // namespace ReleaseNames
