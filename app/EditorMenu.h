#pragma once

#include <QObject>
#include <QPoint>

#include <memory>

class Main;
class QMenu;

// The editor's context menu: the reading commands, then the usual editing ones.
// Opened by a right-click (the place clicked) or the menu key (the caret's place).
class EditorMenu : public QObject
{
    Q_OBJECT

public:
    explicit EditorMenu(Main &window);

    // The menu for this place of the editor's view; `atCaret` when opened from the keyboard.
    std::unique_ptr<QMenu> build(QPoint place, bool atCaret);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addReadingEntries(QMenu &menu, int position);

    Main &m_window;
};
