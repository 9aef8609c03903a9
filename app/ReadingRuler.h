#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QTextEdit;
class WordHighlighter;

// The reading ruler: a veil over every line of the editor but the one being read
// (the caret's line when nothing is read). It is painted over the editor's view and
// never touches the text or its format.
class ReadingRuler : public QWidget
{
    Q_OBJECT

public:
    ReadingRuler(QTextEdit *editor, const WordHighlighter &highlighter);

    void setShown(bool on);
    bool isShown() const { return m_shown; }
    // The line left clear, in the view's coordinates.
    QRect clearLine() const;

    // The parts of the view the veil covers: all but the clear line.
    static QList<QRect> veiled(const QRect &view, const QRect &line);
    // The page's own colour, most of the way opaque, so other lines fade into it.
    static QColor veilColour(const QColor &page);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QPointer<QTextEdit> m_editor;
    const WordHighlighter &m_highlighter;
    bool m_shown = false;
};
