#pragma once

#include "app/import/DocumentOpener.h"
#include "app/import/LibreOfficeConverter.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>

class BackgroundJob;
class QTextCursor;
class QTextEdit;

// The bodies of the editor's commands (open, clipboard, select all, erase and the
// character formats). The main window's button handlers call them.
//
// The font and colour dialogs' last values are also the "current text format" that an
// opened file receives; both colour commands share the one colour.
class EditorCommands
{
public:
    // The open dialog's remembered state; the filter index is 1-based, 0 before first use.
    struct OpenDialogState
    {
        QString filter;
        QString path;
        QString title;
        int filterIndex = 0;
    };

    enum class Flag { Off, On, Mixed };

    static const QString openFilter;
    static const QString applicationTitle;
    static const QString wordConversionError;
    static const QString notRichTextWarning;
    // A file that cannot be read: its path, then the reason.
    static const QString openFailure;
    // The progress display of a long open: the file's name.
    static const QString openingLabel;

    explicit EditorCommands(QTextEdit *editor);

    void open();
    void copy();
    void paste();
    void selectAll();
    void erase();
    void bold();
    void italic();
    void font();
    void foreColor();
    void backColor();
    // The editor's page colour, painted whatever else its style sheet says.
    void setPageColor(const QColor &color);
    // The editor's and the dialogs' format at load: Comic Sans MS 14, bold, (255, 255, 128).
    void setStartingFormat();

    const QFont &dialogFont() const { return m_dialogFont; }
    QColor dialogColor() const { return m_dialogColor; }
    const OpenDialogState &openDialogState() const { return m_openDialog; }
    LibreOfficeConverter &converter() { return m_converter; }

    // Whether every character of the selection (or the caret's format) is bold/italic.
    static Flag selectionBold(const QTextCursor &cursor);
    static Flag selectionItalic(const QTextCursor &cursor);

    // The font with the family it is drawn in (the installed stand-in for a named font).
    static QFont drawnFont(const QFont &font);

private:
    QWidget *window() const;
    QTextCharFormat dialogFontFormat() const;
    void insertOpenedText(int filterIndex, const QString &path);
    static void reportOpenFailure(const DocumentOpener::Outcome &outcome, const QString &path);
    // The opened text in place of the editor's, all in the current text format, caret at 0.
    void showOpenedText(BackgroundJob &job, const QString &text);

    QPointer<QTextEdit> m_editor;
    QFont m_dialogFont;
    QColor m_dialogColor{255, 255, 128};
    OpenDialogState m_openDialog;
    LibreOfficeConverter m_converter;
};
