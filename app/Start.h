#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class SingleInstance;

// The start-up window: the clown's welcome with START and CANCEL.
class Start : public QWidget
{
    Q_OBJECT

public:
    // `showMain` is run after START has closed this window.
    explicit Start(std::function<void()> showMain, QWidget *parent = nullptr);

    // False (after telling the person) when another copy of the program holds the lock.
    static bool admitThisCopy(SingleInstance &lock);

    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

protected:
    // Enter works the button that has the focus (START when the window opens), Esc works CANCEL.
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *graphicalButton(const QString &caption, QRect place);

    std::function<void()> m_showMain;
};
