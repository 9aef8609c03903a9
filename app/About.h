#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The About box: the product, its version, its maker and a link to the maker's
// web site. There is only ever one; the main window shows it and closes it.
class About : public QWidget
{
    Q_OBJECT
public:
    static inline const QString WebAddress = QStringLiteral("https://vocalino.example.org");

    // Shows the one box, making it first when there is none (no owner, not modal).
    static About *showShared();
    // Closes the box when it is open.
    static void closeShared();
    static About *shared();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Command1 = nullptr;

    void Command1_Click();
    void Label4_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    About();
};
