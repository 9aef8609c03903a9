#pragma once

#include <QPointer>
#include <QString>
#include <QTextCharFormat>

#include <atomic>

class QTextEdit;

// Puts a text into an editor in place of its own, in steps short enough for the window to
// keep painting between them: each step appends a slice, which the editor lays out at once,
// and the slices grow or shrink to keep each step near `stepMs`. The undo history starts
// afresh, as after QTextEdit::setPlainText.
class EditorTextLoader
{
public:
    EditorTextLoader(QTextEdit *editor, QString text, const QTextCharFormat &format);

    // Appends the next slice; false once the whole text is in (or the editor is gone).
    bool step();

    const std::atomic<qint64> &inserted() const { return m_inserted; }
    const std::atomic<qint64> &total() const { return m_total; }

    static constexpr int stepMs = 25;
    static constexpr qsizetype firstSlice = 4000;
    static constexpr qsizetype smallestSlice = 1000;
    // Each slice is laid out after its step: big slices stalled the window by 100 ms.
    static constexpr qsizetype largestSlice = 1 << 16;

private:
    void start();
    qsizetype sliceEnd(qsizetype from) const;
    void adjustSlice(qint64 tookMs);

    QPointer<QTextEdit> m_editor;
    QString m_text;
    QTextCharFormat m_format;
    qsizetype m_next = -1; // where the next slice starts; -1 before the first step
    qsizetype m_slice = firstSlice;
    std::atomic<qint64> m_inserted{0};
    std::atomic<qint64> m_total{0};
};
