#pragma once

#include <QMap>
#include <QString>
#include <QTemporaryDir>

// Compiles a small help file with chmcmd from the files a test gives, so the
// viewer meets a real .chm that is not ours.
class ChmBuilder
{
public:
    ChmBuilder();
    void add(const QString &name, const QByteArray &content) { m_files.insert(name, content); }
    // Adds the project file and compiles; the path of the .chm, empty on failure.
    QString compile(const QString &projectOptions, const QString &extraSections = {});
    QString folder() const { return m_dir.path(); }

    // A second help file: three topics, a picture, contents, index, a window type "Big",
    // contexts 10 and 20, an associative link "fruit" and a popup text file.
    static QString fruitHelp(ChmBuilder &builder);

private:
    QTemporaryDir m_dir;
    QMap<QString, QByteArray> m_files;
};
