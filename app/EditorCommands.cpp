#include "app/EditorCommands.h"

#include "app/import/BackgroundJob.h"
#include "app/import/EditorTextLoader.h"
#include "platform/Dialogs.h"
#include "platform/MessageBoxes.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <functional>

const QString EditorCommands::openFilter =
    QStringLiteral("Text Files (*.txt)|*.txt|Rich Text (*.rtf)|*.rtf|Word Document "
                   "(*.doc)|*.doc;*.docx;*.odt;*.docm|All files (*.*)|*.*");
const QString EditorCommands::applicationTitle = QStringLiteral("Vocalino 5.0");
const QString EditorCommands::wordConversionError = QStringLiteral("Error converting Word Document");
const QString EditorCommands::notRichTextWarning =
    QStringLiteral("This file could not be read as rich text.");

const QString EditorCommands::openFailure = QStringLiteral("The file \"%1\" could not be opened: %2.");
const QString EditorCommands::openingLabel = QStringLiteral("Opening \"%1\"...");

namespace {
QFont effectiveFont(const QTextCharFormat &format, const QTextDocument *document)
{
    return format.font().resolve(document->defaultFont());
}

EditorCommands::Flag selectionFlag(const QTextCursor &cursor, const std::function<bool(const QFont &)> &test)
{
    const auto flagOf = [&](const QTextCharFormat &format) {
        return test(effectiveFont(format, cursor.document())) ? EditorCommands::Flag::On
                                                              : EditorCommands::Flag::Off;
    };
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    std::optional<EditorCommands::Flag> seen;
    for (QTextBlock block = cursor.document()->findBlock(start);
         start < end && block.isValid() && block.position() < end; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= start || fragment.position() >= end)
                continue;
            const EditorCommands::Flag flag = flagOf(fragment.charFormat());
            if (seen && *seen != flag)
                return EditorCommands::Flag::Mixed;
            seen = flag;
        }
    }
    return seen ? *seen : flagOf(cursor.charFormat());
}

// Toggling a mixed selection switches the format off, as for a selection that has it.
bool toggled(EditorCommands::Flag flag)
{
    return flag == EditorCommands::Flag::Off;
}

QString plainSelection(const QTextCursor &cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}
} // namespace

EditorCommands::EditorCommands(QTextEdit *editor) : m_editor(editor)
{
    m_dialogFont.setFamily(QStringLiteral("Comic Sans MS"));
    m_dialogFont.setPointSizeF(14.0);
    m_dialogFont.setBold(true);
}

QWidget *EditorCommands::window() const
{
    return m_editor ? m_editor->window() : nullptr;
}

EditorCommands::Flag EditorCommands::selectionBold(const QTextCursor &cursor)
{
    return selectionFlag(cursor, [](const QFont &font) { return font.bold(); });
}

EditorCommands::Flag EditorCommands::selectionItalic(const QTextCursor &cursor)
{
    return selectionFlag(cursor, [](const QFont &font) { return font.italic(); });
}

void EditorCommands::copy()
{
    if (m_editor)
        QGuiApplication::clipboard()->setText(plainSelection(m_editor->textCursor()));
}

void EditorCommands::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!m_editor || text.isEmpty())
        return;
    QTextCursor cursor = m_editor->textCursor();
    cursor.insertText(text);
    m_editor->setTextCursor(cursor);
}

void EditorCommands::selectAll()
{
    if (!m_editor)
        return;
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
    m_editor->setFocus(Qt::OtherFocusReason);
}

void EditorCommands::erase()
{
    if (!m_editor)
        return;
    // The child's chosen format stays for what is typed next.
    const QTextCharFormat typing = m_editor->currentCharFormat();
    QTextCursor cursor(m_editor->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    m_editor->setTextCursor(cursor);
    m_editor->setCurrentCharFormat(typing);
}

void EditorCommands::bold()
{
    if (!m_editor)
        return;
    QTextCharFormat format;
    format.setFontWeight(toggled(selectionBold(m_editor->textCursor())) ? QFont::Bold : QFont::Normal);
    m_editor->mergeCurrentCharFormat(format);
}

void EditorCommands::italic()
{
    if (!m_editor)
        return;
    QTextCharFormat format;
    format.setFontItalic(toggled(selectionItalic(m_editor->textCursor())));
    m_editor->mergeCurrentCharFormat(format);
}

void EditorCommands::font()
{
    // The dialog opens on the font as it is drawn: a named font that is not installed
    // would otherwise show as the dialog's own first family, in its plain style.
    if (auto chosen = Dialogs::current().chooseFont(window(), drawnFont(m_dialogFont))) {
        // Unchanged, the family keeps the name the program gives it.
        if (chosen->family() == drawnFont(m_dialogFont).family())
            chosen->setFamily(m_dialogFont.family());
        m_dialogFont = *chosen;
    }
    // A cancelled dialog gives its previous font again.
    if (m_editor)
        m_editor->mergeCurrentCharFormat(dialogFontFormat());
}

QFont EditorCommands::drawnFont(const QFont &font)
{
    QFont drawn = font;
    drawn.setFamily(QFontInfo(font).family());
    return drawn;
}

void EditorCommands::foreColor()
{
    if (auto chosen = Dialogs::current().chooseColor(window(), m_dialogColor))
        m_dialogColor = *chosen;
    if (!m_editor)
        return;
    QTextCharFormat format;
    format.setForeground(m_dialogColor);
    m_editor->mergeCurrentCharFormat(format);
}

void EditorCommands::backColor()
{
    if (auto chosen = Dialogs::current().chooseColor(window(), m_dialogColor))
        m_dialogColor = *chosen;
    setPageColor(m_dialogColor);
}

void EditorCommands::setPageColor(const QColor &color)
{
    if (!m_editor)
        return;
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, color);
    m_editor->setPalette(palette);
    // A style sheet puts back the palette it first saw whenever it restyles the editor
    // (each change of focus): the colour must lead the sheet's rules to stay painted.
    static const QString pageRule = QStringLiteral("QTextEdit { background-color: ");
    QString otherRules = m_editor->styleSheet();
    if (otherRules.startsWith(pageRule))
        otherRules.remove(0, otherRules.indexOf(QLatin1Char('}')) + 1);
    m_editor->setStyleSheet(pageRule + color.name() + QStringLiteral("; }") + otherRules);
}

void EditorCommands::setStartingFormat()
{
    m_dialogFont = QFont();
    m_dialogFont.setFamily(QStringLiteral("Comic Sans MS"));
    m_dialogFont.setPointSizeF(14.0);
    m_dialogFont.setBold(true);
    m_dialogColor = QColor(255, 255, 128);
    if (!m_editor)
        return;
    QFont base = m_editor->font();
    base.setFamily(QStringLiteral("Comic Sans MS"));
    m_editor->setFont(base);
    QTextCharFormat caret;
    caret.setForeground(m_dialogColor);
    caret.setFontPointSize(14.0);
    caret.setFontWeight(QFont::Bold);
    m_editor->mergeCurrentCharFormat(caret);
}

QTextCharFormat EditorCommands::dialogFontFormat() const
{
    QTextCharFormat format;
    format.setFontFamilies({m_dialogFont.family()});
    format.setFontPointSize(m_dialogFont.pointSizeF());
    format.setFontStrikeOut(m_dialogFont.strikeOut());
    format.setFontUnderline(m_dialogFont.underline());
    format.setFontWeight(m_dialogFont.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(m_dialogFont.italic());
    return format;
}

void EditorCommands::open()
{
    m_openDialog.filter = openFilter;
    FileDialogRequest request;
    request.owner = window();
    request.filter = m_openDialog.filter;
    request.filterIndex = m_openDialog.filterIndex;
    const FileDialogResult chosen = Dialogs::current().openFile(request);
    if (!chosen.accepted)
        return;
    m_openDialog.path = chosen.fileName; // untrimmed: a name may end in a blank
    m_openDialog.title = QFileInfo(m_openDialog.path).fileName();
    m_openDialog.filterIndex = chosen.filterIndex;
    if (m_editor)
        insertOpenedText(m_openDialog.filterIndex, m_openDialog.path);
}

void EditorCommands::insertOpenedText(int filterIndex, const QString &path)
{
    if (QWidget *w = window())
        w->repaint();
    DocumentOpener opener(m_converter);
    DocumentOpener::Outcome outcome;
    {
        BackgroundJob job(window(), openingLabel.arg(QFileInfo(path).fileName()));
        job.runOffThread([&] { outcome = opener.open(path, filterIndex); },
                         {&opener.bytesRead(), &opener.bytesTotal()});
        if (outcome.text && m_editor)
            showOpenedText(job, *outcome.text);
    }
    // A reader that failed leaves the child's text, its format and its undo history as they were.
    if (!outcome.text)
        reportOpenFailure(outcome, path);
}

void EditorCommands::reportOpenFailure(const DocumentOpener::Outcome &outcome, const QString &path)
{
    switch (outcome.failure) {
    case DocumentOpener::Failure::Unreadable:
        MessageBoxes::current().show(applicationTitle,
                                     openFailure.arg(QDir::toNativeSeparators(path), outcome.reason),
                                     MsgIcon::Warning, MsgButtons::Ok);
        break;
    case DocumentOpener::Failure::NotRichText:
        MessageBoxes::current().show(applicationTitle, notRichTextWarning, MsgIcon::Warning, MsgButtons::Ok);
        break;
    case DocumentOpener::Failure::ConversionFailed:
        MessageBoxes::current().show(applicationTitle, wordConversionError, MsgIcon::Critical,
                                     MsgButtons::Ok);
        break;
    case DocumentOpener::Failure::None:
        break;
    }
}

void EditorCommands::showOpenedText(BackgroundJob &job, const QString &text)
{
    QTextCharFormat format = dialogFontFormat();
    format.setForeground(m_dialogColor);
    QTextCursor caret = m_editor->textCursor();
    caret.clearSelection();
    m_editor->setTextCursor(caret);
    // In steps: the editor lays a long text out as it takes it, which would hold the window still.
    EditorTextLoader loader(m_editor, text, format);
    job.runInSteps([&] { return loader.step(); }, {&loader.inserted(), &loader.total()});
    if (!m_editor)
        return;
    caret = m_editor->textCursor();
    caret.setPosition(0);
    m_editor->setTextCursor(caret);
    m_editor->setCurrentCharFormat(format);
}
