#pragma once

#include <string_view>

// What an RTF control word means to a reader that keeps only the text.
enum class RtfAction : unsigned char {
    Ignore,
    Emit,         // a character or a break of its own (RtfKeyword::character)
    SkipGroup,    // a destination whose text is not document text
    FontTable,    // \fonttbl: read for the fonts' code pages only
    Font,         // \fN
    FontCharset,  // \fcharsetN
    FontCodePage, // \cpgN
    DefaultFont,  // \deffN
    Plain,        // \plain: back to the default font
    Unicode,      // \uN
    UnicodeSkip,  // \ucN
    AnsiCodePage, // \ansicpgN
    CharsetAnsi,  // \ansi \mac \pc \pca: the document's code page
    Binary,       // \binN: N raw bytes follow
};

struct RtfKeyword
{
    RtfAction action = RtfAction::Ignore;
    char16_t character = 0; // for Emit; for CharsetAnsi the code page
};

RtfKeyword lookupRtfKeyword(std::string_view word);
