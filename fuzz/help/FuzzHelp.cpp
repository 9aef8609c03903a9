// Feeds hostile bytes to everything that reads a help file: the whole file through
// chmlib and our tables, and each of our own decoders on its own.
#include "help/BinaryTables.h"
#include "help/ChmFile.h"
#include "help/ChmTables.h"
#include "help/HelpText.h"
#include "help/PopupSource.h"
#include "help/Registry.h"
#include "help/SiteMap.h"
#include "help/TopicCatalog.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryFile>
#include <cstdint>

namespace {
void readWholeFile(const QByteArray &bytes)
{
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size())
        return;
    file.flush();
    const auto chm = ChmFile::open(file.fileName());
    if (!chm)
        return;
    for (const QString &inside : chm->files())
        chm->read(inside);
    chm->topicForContext(1);
    chm->defaultTopic();
    chm->contents();
    chm->keywordIndex();
    TopicCatalog catalog(*chm);
    catalog.search(QStringLiteral("a b"), false);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 6) {
    case 0: readWholeFile(bytes); break;
    case 1: ChmTables::parseSystem(bytes); break;
    case 2: {
        const qsizetype half = bytes.size() / 2;
        ChmTables::parseWindows(bytes.left(half), bytes.mid(half));
        ChmTables::parseContextMap(bytes.left(half), bytes.mid(half));
        break;
    }
    case 3: {
        const QString text = HelpText::decodeHtml(bytes, 1250 + data[0] % 9);
        SiteMap::parse(text);
        TopicCatalog::plainText(text);
        TopicCatalog::alinkNames(text);
        PopupSource::topicText(text, 1);
        PopupSource::fontFromText(text);
        break;
    }
    case 4:
        Registry::parseHive(bytes);
        break;
    default: {
        // A table of contents, a keyword tree and the topic tables, in quarters of the input.
        const qsizetype quarter = bytes.size() / 4;
        const BinaryTables::Topics topics{bytes.mid(quarter, quarter), bytes.mid(2 * quarter, quarter / 2),
                                          bytes.mid(2 * quarter + quarter / 2), bytes, 1252};
        BinaryTables::contents(bytes.left(quarter), topics);
        BinaryTables::keywordIndex(bytes.left(quarter), topics);
        break;
    }
    }
    return 0;
}
