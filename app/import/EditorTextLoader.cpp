#include "app/import/EditorTextLoader.h"

#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

EditorTextLoader::EditorTextLoader(QTextEdit *editor, QString text, const QTextCharFormat &format)
    : m_editor(editor), m_text(std::move(text)), m_format(format)
{
    m_total = m_text.size();
}

void EditorTextLoader::start()
{
    QTextDocument *document = m_editor->document();
    // Off while loading: the old text's history goes, and no step is recorded for undo.
    document->setUndoRedoEnabled(false);
    QTextCursor all(document);
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    m_next = 0;
}

bool EditorTextLoader::step()
{
    if (!m_editor)
        return false;
    if (m_next < 0)
        start();
    if (m_next < m_text.size()) {
        QElapsedTimer took;
        took.start();
        const qsizetype end = sliceEnd(m_next);
        QTextCursor atEnd(m_editor->document());
        atEnd.movePosition(QTextCursor::End);
        atEnd.insertText(m_text.sliced(m_next, end - m_next), m_format);
        m_inserted = end;
        m_next = end;
        adjustSlice(took.elapsed());
    }
    if (m_next < m_text.size())
        return true;
    m_editor->document()->setUndoRedoEnabled(true);
    return false;
}

// Never between the halves of a line end "\r\n" (they would make two lines) or of a surrogate pair.
qsizetype EditorTextLoader::sliceEnd(qsizetype from) const
{
    qsizetype end = std::min(m_text.size(), from + m_slice);
    if (end < m_text.size() && m_text.at(end - 1) == u'\r' && m_text.at(end) == u'\n')
        ++end;
    if (end < m_text.size() && m_text.at(end).isLowSurrogate())
        ++end;
    return end;
}

void EditorTextLoader::adjustSlice(qint64 tookMs)
{
    if (tookMs < stepMs / 2)
        m_slice = std::min(m_slice * 2, largestSlice);
    else if (tookMs > stepMs)
        m_slice = std::max(m_slice / 2, smallestSlice);
}
