// Words said on their own: Ctrl+click and the editor's menu.
#include "app/Main.h"

#include "app/WordSpeaker.h"
#include "platform/AppError.h"

#include <QMenu>
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
    RichTextBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichTextBox1, &QWidget::customContextMenuRequested, this, &Main::showEditorMenu);
}

// A scroll area asks for its menu at a point of its viewport.
void Main::showEditorMenu(QPoint at)
{
    std::unique_ptr<QMenu> menu(RichTextBox1->createStandardContextMenu(at));
    m_words->addTo(menu.get(), m_words->wordUnder(at));
    menu->exec(RichTextBox1->viewport()->mapToGlobal(at));
}
