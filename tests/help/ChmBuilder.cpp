#include "ChmBuilder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

ChmBuilder::ChmBuilder() = default;

QString ChmBuilder::compile(const QString &projectOptions, const QString &extraSections)
{
    QString files;
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
        const QString path = m_dir.filePath(it.key());
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            return {};
        if (!it.key().endsWith(QLatin1String(".hhc")) && !it.key().endsWith(QLatin1String(".hhk")))
            files += it.key() + QLatin1Char('\n');
    }
    QFile project(m_dir.filePath(QStringLiteral("test.hhp")));
    if (!project.open(QIODevice::WriteOnly))
        return {};
    project.write(("[OPTIONS]\nCompiled file=test.chm\n" + projectOptions + "\n" + extraSections + "\n[FILES]\n" + files)
                      .toUtf8());
    project.close();
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(m_dir.path());
    chmcmd.start(QStringLiteral(VOCALINO_CHMCMD), {QStringLiteral("--no-html-scan"), QStringLiteral("test.hhp")});
    if (!chmcmd.waitForFinished(60000)) {
        chmcmd.kill();
        chmcmd.waitForFinished();
        return {};
    }
    const QString chm = m_dir.filePath(QStringLiteral("test.chm"));
    return QFile::exists(chm) ? chm : QString();
}

namespace {
QByteArray topic(const QString &title, const QString &body)
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8();
}

QByteArray sitemap(const QString &items)
{
    return ("<HTML><BODY><UL>" + items + "</UL></BODY></HTML>").toUtf8();
}

QString item(const QString &name, const QString &local)
{
    return QStringLiteral("<LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"%1\">"
                          "<param name=\"Local\" value=\"%2\"></OBJECT>\n")
        .arg(name, local);
}

QByteArray redSquare()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}
} // namespace

QString ChmBuilder::fruitHelp(ChmBuilder &builder)
{
    builder.add(QStringLiteral("apple.htm"),
                topic(QStringLiteral("Apples"), QStringLiteral("<h1>Apples</h1><p>Crunchy orchard fruit.</p>"
                                                               "<img src=\"img/red.png\"><a href=\"sub/pear.htm\">pears</a>")));
    builder.add(QStringLiteral("sub/pear.htm"),
                topic(QStringLiteral("Pears"),
                      QStringLiteral("<p>Juicy pears.</p><object type=\"application/x-oleobject\" "
                                     "classid=\"clsid:1e2a7bd0-dab9-11d0-b93a-00c04fc99f9e\">"
                                     "<param name=\"ALink Name\" value=\"fruit;green\"></object>"
                                     "<a href=\"../apple.htm\">back</a>")));
    builder.add(QStringLiteral("plum.htm"), topic(QStringLiteral("Plums"), QStringLiteral("<p>Purple plums.</p>")));
    builder.add(QStringLiteral("img/red.png"), redSquare());
    builder.add(QStringLiteral("tips.txt"), ".topic 7\nSeven is a plum tip.\n.topic 8\nEight.\n");
    builder.add(QStringLiteral("fruit.hhc"),
                sitemap(item(QStringLiteral("Apples"), QStringLiteral("apple.htm")) + "<UL>" +
                        item(QStringLiteral("Pears"), QStringLiteral("sub/pear.htm")) + "</UL>" +
                        item(QStringLiteral("Plums"), QStringLiteral("plum.htm"))));
    builder.add(QStringLiteral("fruit.hhk"), sitemap(item(QStringLiteral("crunchy"), QStringLiteral("apple.htm")) +
                                                     item(QStringLiteral("purple"), QStringLiteral("plum.htm"))));
    return builder.compile(
        QStringLiteral("Contents file=fruit.hhc\nIndex file=fruit.hhk\nDefault topic=apple.htm\nTitle=Fruit Book\n"
                       "Full-text search=Yes\nBinary TOC=No\nBinary Index=No\n"),
        QStringLiteral("[WINDOWS]\nBig=\"Big Fruit Window\",\"fruit.hhc\",\"fruit.hhk\",\"plum.htm\",\"plum.htm\","
                       ",,,,0x63520,,0x387e,[20,30,620,530],,,,,,,0\n"
                       "Small=\"Small Fruit\",,,\"apple.htm\",,,,,,0x8000,,,,,,,,,,0\n\n"
                       "[ALIAS]\nIDH_APPLE=apple.htm\nIDH_PEAR=sub/pear.htm\n\n[MAP]\n#define IDH_APPLE 10\n"
                       "#define IDH_PEAR 20\n"));
}
