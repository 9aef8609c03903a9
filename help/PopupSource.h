#pragma once

#include <QFont>
#include <QString>
#include <optional>

// Pure helpers behind the text popup.
namespace PopupSource {
// "Face, size, charset, Bold Italic Underline" as the help calls write a popup font.
QFont fontFromText(const QString &fontText);
// The text of topic `id` in a popup text file of ".topic <number>" sections.
std::optional<QString> topicText(const QString &file, quint32 id);
} // namespace PopupSource
