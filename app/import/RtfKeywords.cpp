#include "app/import/RtfKeywords.h"

#include <algorithm>
#include <array>

namespace {
struct Entry
{
    std::string_view word;
    RtfKeyword keyword;
};

constexpr RtfKeyword emit(char16_t c)
{
    return {RtfAction::Emit, c};
}
constexpr RtfKeyword act(RtfAction a)
{
    return {a, 0};
}
constexpr RtfKeyword skip = {RtfAction::SkipGroup, 0};

// Sorted by word, for binary search.
constexpr auto table = std::to_array<Entry>({
    {"annotation", skip},
    {"ansi", {RtfAction::CharsetAnsi, 1252}},
    {"ansicpg", act(RtfAction::AnsiCodePage)},
    {"atnauthor", skip},
    {"atndate", skip},
    {"atnid", skip},
    {"atnref", skip},
    {"author", skip},
    {"bin", act(RtfAction::Binary)},
    {"bkmkend", skip},
    {"bkmkstart", skip},
    {"bullet", emit(u'\u2022')},
    {"buptim", skip},
    {"cell", emit(u'\t')},
    {"colorschememapping", skip},
    {"colortbl", skip},
    {"comment", skip},
    {"company", skip},
    {"cpg", act(RtfAction::FontCodePage)},
    {"creatim", skip},
    {"datastore", skip},
    {"deff", act(RtfAction::DefaultFont)},
    {"doccomm", skip},
    {"docvar", skip},
    {"emdash", emit(u'\u2014')},
    {"emspace", emit(u'\u2003')},
    {"endash", emit(u'\u2013')},
    {"enspace", emit(u'\u2002')},
    {"f", act(RtfAction::Font)},
    {"falt", skip},
    {"fcharset", act(RtfAction::FontCharset)},
    {"filetbl", skip},
    {"fldinst", skip},
    {"fonttbl", act(RtfAction::FontTable)},
    {"footer", skip},
    {"footerf", skip},
    {"footerl", skip},
    {"footerr", skip},
    {"footnote", skip},
    {"generator", skip},
    {"header", skip},
    {"headerf", skip},
    {"headerl", skip},
    {"headerr", skip},
    {"info", skip},
    {"keywords", skip},
    {"latentstyles", skip},
    {"ldblquote", emit(u'\u201C')},
    {"line", emit(u'\n')},
    {"listoverridetable", skip},
    {"listtable", skip},
    {"lquote", emit(u'\u2018')},
    {"ltrmark", emit(u'\u200E')},
    {"mac", {RtfAction::CharsetAnsi, 10000}},
    {"macpict", skip},
    {"nestcell", emit(u'\t')},
    {"nonshppict", skip},
    {"objdata", skip},
    {"operator", skip},
    {"page", emit(u'\n')},
    {"par", emit(u'\n')},
    {"pc", {RtfAction::CharsetAnsi, 437}},
    {"pca", {RtfAction::CharsetAnsi, 850}},
    {"pgdsctbl", skip},
    {"pict", skip},
    {"plain", act(RtfAction::Plain)},
    {"pntxta", skip},
    {"pntxtb", skip},
    {"printim", skip},
    {"private", skip},
    {"qmspace", emit(u'\u2005')},
    {"rdblquote", emit(u'\u201D')},
    {"revtbl", skip},
    {"revtim", skip},
    {"row", emit(u'\n')},
    {"rquote", emit(u'\u2019')},
    {"rsidtbl", skip},
    {"rtlmark", emit(u'\u200F')},
    {"sect", emit(u'\n')},
    {"shppict", skip},
    {"shprslt", skip},
    {"stylesheet", skip},
    {"subject", skip},
    {"tab", emit(u'\t')},
    {"tc", skip},
    {"template", skip},
    {"themedata", skip},
    {"title", skip},
    {"txe", skip},
    {"u", act(RtfAction::Unicode)},
    {"uc", act(RtfAction::UnicodeSkip)},
    {"userprops", skip},
    {"wmetafile", skip},
    {"xe", skip},
    {"xmlnstbl", skip},
    {"zwj", emit(u'\u200D')},
    {"zwnj", emit(u'\u200C')},
});

constexpr bool sorted()
{
    for (size_t i = 1; i < table.size(); ++i)
        if (!(table[i - 1].word < table[i].word))
            return false;
    return true;
}
static_assert(sorted(), "the keyword table must stay sorted");
} // namespace

RtfKeyword lookupRtfKeyword(std::string_view word)
{
    const auto found = std::lower_bound(table.begin(), table.end(), word,
                                        [](const Entry &e, std::string_view w) { return e.word < w; });
    return (found != table.end() && found->word == word) ? found->keyword : RtfKeyword{};
}
