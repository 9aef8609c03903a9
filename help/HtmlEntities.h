#pragma once

#include <QStringView>

// The named character references of HTML 4 (&nbsp;, &eacute;, &uuml;, &Omega; ...).
namespace HtmlEntities {
constexpr qsizetype MaxNameLength = 8;
// The character a name stands for (letter case counts), 0 when it names none.
char32_t codeOf(QStringView name);
} // namespace HtmlEntities
