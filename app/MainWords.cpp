// Words said on their own: Ctrl+click and the editor's menu.
#include "app/Main.h"

#include "app/WordSpeaker.h"
#include "platform/AppError.h"

#include <QTextEdit>

void Main::setUpWordSpeaking()
{
    m_words = std::make_unique<WordSpeaker>(RichTextBox1, [this] {
        try {
            handVoiceToEngine(); // the voice, speed and tone the child has chosen
        } catch (const AppError &) {
            // No voice chosen: the engine keeps the one it has.
        }
        return engine();
    });
}
