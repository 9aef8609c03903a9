#include "app/ReadingRuler.h"

#include "app/WordHighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>

namespace {
constexpr int veilAlpha = 200; // of 255: the other lines stay faintly there
} // namespace

ReadingRuler::ReadingRuler(QTextEdit *editor, const WordHighlighter &highlighter)
    : QWidget(editor->viewport()), m_editor(editor), m_highlighter(highlighter)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    editor->viewport()->installEventFilter(this);
    connect(&highlighter, &WordHighlighter::marksChanged, this, &ReadingRuler::follow);
    connect(editor, &QTextEdit::cursorPositionChanged, this, &ReadingRuler::follow);
    connect(editor->verticalScrollBar(), &QScrollBar::valueChanged, this, &ReadingRuler::follow);
    connect(editor->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ReadingRuler::follow);
    connect(editor->document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
            &ReadingRuler::follow);
}

void ReadingRuler::setShown(bool on)
{
    m_shown = on;
    setVisible(on);
    follow();
}

QList<QRect> ReadingRuler::veiled(const QRect &view, const QRect &line)
{
    const QRect above(view.left(), view.top(), view.width(), std::max(0, line.top() - view.top()));
    const QRect below(view.left(), line.bottom() + 1, view.width(),
                      std::max(0, view.bottom() - line.bottom()));
    QList<QRect> parts;
    for (const QRect &part : {above, below})
        if (!part.intersected(view).isEmpty())
            parts.append(part.intersected(view));
    return parts;
}

QColor ReadingRuler::veilColour(const QColor &page)
{
    QColor veil = page.toRgb();
    veil.setAlpha(veilAlpha);
    return veil;
}

QRect ReadingRuler::clearLine() const
{
    if (!m_editor)
        return {};
    const QTextCursor &mark = m_highlighter.mark();
    const int position = mark.isNull() ? m_editor->textCursor().position() : mark.selectionStart();
    QTextDocument *document = m_editor->document();
    const QTextBlock block = document->findBlock(position);
    const QTextLayout *layout = block.layout();
    const QRect caret = m_editor->cursorRect(QTextCursor(document));
    if (!layout || layout->lineCount() == 0) {
        QTextCursor at(document);
        at.setPosition(position);
        const QRect place = m_editor->cursorRect(at);
        return {0, place.top(), m_editor->viewport()->width(), place.height()};
    }
    const QTextLine line = layout->lineForTextPosition(position - block.position());
    const QRectF blockBox = document->documentLayout()->blockBoundingRect(block);
    const int top =
        int(blockBox.top() + (line.isValid() ? line.y() : 0)) - m_editor->verticalScrollBar()->value();
    const int height = int(std::ceil(line.isValid() ? line.height() : caret.height()));
    return {0, top, m_editor->viewport()->width(), height};
}

void ReadingRuler::follow()
{
    if (!m_shown || !m_editor)
        return;
    setGeometry(m_editor->viewport()->rect()); // the view's scrolling moves its children
    raise();
    update();
}

bool ReadingRuler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        follow();
    return QWidget::eventFilter(watched, event);
}

void ReadingRuler::paintEvent(QPaintEvent *)
{
    if (!m_editor)
        return;
    QPainter painter(this);
    const QColor veil = veilColour(m_editor->palette().color(QPalette::Base));
    for (const QRect &part : veiled(rect(), clearLine()))
        painter.fillRect(part, veil);
}
