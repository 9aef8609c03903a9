#include "ChmBuilder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <fcntl.h>
#include <unistd.h>

ChmBuilder::ChmBuilder() = default;

QString ChmBuilder::compile(const QString &projectOptions, const QString &extraSections)
{
    return compileBytes(projectOptions.toUtf8(), extraSections.toUtf8());
}

namespace {
bool writeRaw(const QByteArray &path, const QByteArray &content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    return ::close(fd) == 0 && written;
}
} // namespace

QString ChmBuilder::compileBytes(const QByteArray &projectOptions, const QByteArray &extraSections)
{
    QByteArray files;
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
        const QByteArray path = QFile::encodeName(m_dir.path()) + '/' + it.key();
        QDir().mkpath(QFileInfo(QFile::decodeName(path)).path());
        if (!writeRaw(path, it.value()))
            return {};
        if (!it.key().endsWith(".hhc") && !it.key().endsWith(".hhk"))
            files += it.key() + '\n';
    }
    const QByteArray project =
        "[OPTIONS]\nCompiled file=test.chm\n" + projectOptions + "\n" + extraSections + "\n[FILES]\n" + files;
    if (!writeRaw(QFile::encodeName(m_dir.filePath(QStringLiteral("test.hhp"))), project))
        return {};
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
