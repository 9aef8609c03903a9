#include "app/EditorMenu.h"

#include "app/Main.h"
#include "app/WordSpeaker.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTextEdit>

#include <functional>

EditorMenu::EditorMenu(Main &window) : QObject(&window), m_window(window)
{
    // A right-click reaches the view, the menu key the editor itself.
    window.RichTextBox1->installEventFilter(this);
    window.RichTextBox1->viewport()->installEventFilter(this);
}

bool EditorMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    auto *request = static_cast<QContextMenuEvent *>(event);
    QTextEdit *editor = m_window.RichTextBox1;
    const bool fromKeyboard = request->reason() == QContextMenuEvent::Keyboard;
    const QPoint place =
        watched == editor ? editor->viewport()->mapFrom(editor, request->pos()) : request->pos();
    const std::unique_ptr<QMenu> menu = build(place, fromKeyboard);
    menu->exec(request->globalPos());
    return true;
}

std::unique_ptr<QMenu> EditorMenu::build(QPoint place, bool atCaret)
{
    QTextEdit *editor = m_window.RichTextBox1;
    const int position =
        atCaret ? editor->textCursor().position() : editor->cursorForPosition(place).position();
    auto menu = std::make_unique<QMenu>(editor);
    addReadingEntries(*menu, position);
    menu->addSeparator();
    WordSpeaker &words = m_window.words();
    words.addTo(menu.get(), words.wordUnder(atCaret ? editor->cursorRect().center() : place));
    menu->addSeparator();
    // The usual editing entries (undo, cut, copy, paste, select all), as the editor makes them.
    QMenu *editing = editor->createStandardContextMenu(editor->viewport()->mapTo(editor, place));
    for (QAction *action : editing->actions())
        menu->addAction(action);
    editing->setParent(menu.get(), editing->windowFlags()); // its actions live as long as the menu
    return menu;
}

namespace {
QAction *entry(QMenu &menu, const QString &text, std::function<void(bool)> act, bool checkable = false)
{
    QAction *action = menu.addAction(text);
    action->setCheckable(checkable);
    QObject::connect(action, &QAction::triggered, &menu, std::move(act));
    return action;
}
} // namespace

void EditorMenu::addReadingEntries(QMenu &menu, int position)
{
    Main &window = m_window;
    const bool selected = window.RichTextBox1->textCursor().hasSelection();
    const bool recording = window.recState != 0;

    QAction *fromHere = entry(menu, QStringLiteral("Read from here"),
                              [&window, position](bool) { window.readFromHere(position); });
    QAction *selection =
        entry(menu, QStringLiteral("Read the selection"), [&window](bool) { window.readSelection(); });
    (selected ? selection : fromHere)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F5)); // what Ctrl+F5 does now
    fromHere->setEnabled(!recording);
    selection->setEnabled(!recording && selected);
    menu.addSeparator();

    QAction *eachSentence = entry(
        menu, QStringLiteral("Stop after each sentence"),
        [&window](bool on) { window.setStopAfterEachSentence(on); }, true);
    eachSentence->setChecked(window.stopsAfterEachSentence());
    QAction *ruler = entry(
        menu, QStringLiteral("Reading ruler"), [&window](bool on) { window.setRulerShown(on); }, true);
    ruler->setChecked(window.rulerShown());
    ruler->setShortcut(QKeySequence(Qt::Key_F8));
    for (QAction *action : menu.actions())
        action->setShortcutContext(Qt::WidgetShortcut); // shown here; the window's own keys do the work
}
