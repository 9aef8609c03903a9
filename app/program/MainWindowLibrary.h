#pragma once

#include <QString>

// The main window and everything behind it (speech, audio, help, document import) live in
// a library of their own, loaded when START is clicked, so that the start-up window comes
// up with no more than Qt's own libraries.
class MainWindowLibrary
{
public:
    // The entry point the library exports: builds and shows the main window.
    static constexpr const char *entryPoint = "vocalinoShowMainWindow";
    static constexpr const char *prepareEntryPoint = "vocalinoPrepare";

    // An empty path means the installed place: ../lib/vocalino/ beside the program.
    explicit MainWindowLibrary(const QString &path = {});

    // Loads the library and shows the main window; false (after telling the person) when
    // the library is missing or damaged.
    bool showMainWindow();
    // Loads the library and starts its slow preparations in the background; silent, since
    // showMainWindow() tells the person when the library cannot be loaded.
    void prepare();

    QString path() const { return m_path; }
    static QString defaultPath();

private:
    QString m_path;
};
