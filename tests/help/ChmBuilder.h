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
    void add(const QString &name, const QByteArray &content) { m_files.insert(name.toUtf8(), content); }
    // A file whose name is given byte for byte (a name that is not UTF-8, say).
    void addRaw(const QByteArray &name, const QByteArray &content) { m_files.insert(name, content); }
    // Adds the project file and compiles; the path of the .chm, empty on failure.
    QString compile(const QString &projectOptions, const QString &extraSections = {});
    // The same with the project's options and sections given byte for byte.
    QString compileBytes(const QByteArray &projectOptions, const QByteArray &extraSections = {});
    QString folder() const { return m_dir.path(); }

    // A second help file: three topics, a picture, contents, index, a window type "Big",
    // contexts 10 and 20, an associative link "fruit" and a popup text file.
    static QString fruitHelp(ChmBuilder &builder);

private:
    QTemporaryDir m_dir;
    QMap<QByteArray, QByteArray> m_files;
};
