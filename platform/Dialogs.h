#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QFileDialog;
class QWidget;

struct FileDialogRequest
{
    QWidget *owner = nullptr;
    QString title;
    QString filter;      // "Description (*.x)|*.x|..." as the program writes it
    int filterIndex = 1; // 1-based, as the program counts filters
    QString folder;
    QString fileName;
};

struct FileDialogResult
{
    bool accepted = false;
    QString fileName;
    int filterIndex = 0; // 1-based; the filter the person chose
};

// The common dialogs. The program installs the Qt implementation; tests a scripted double.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual FileDialogResult openFile(const FileDialogRequest &request) = 0;
    virtual FileDialogResult saveFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QFont> chooseFont(QWidget *owner, const QFont &initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) = 0;

    static Dialogs &current();
    static void install(Dialogs *dialogs); // not owned; nullptr restores Qt's

    // "Text (*.txt)|*.txt|All (*.*)|*.*" becomes {"Text (*.txt) (*.txt)", "All (*.*) (*)"}: the
    // description whole, then the patterns the dialog matches (and hides).
    static QStringList toQtFilters(const QString &filter);
    // Filters, starting filter, folder and file name of a request, on a Qt file dialog.
    static void prepare(QFileDialog &dialog, const FileDialogRequest &request);
    // The 1-based filter the person chose (0 when none): with details hidden, Qt may
    // report the filter by its shown caption alone.
    static int chosenFilter(const QFileDialog &dialog);
};

class QtDialogs : public Dialogs
{
public:
    FileDialogResult openFile(const FileDialogRequest &request) override;
    FileDialogResult saveFile(const FileDialogRequest &request) override;
    std::optional<QFont> chooseFont(QWidget *owner, const QFont &initial) override;
    std::optional<QColor> chooseColor(QWidget *owner, const QColor &initial) override;
};
