#include "platform/TextFile.h"

#include <cstdint>
#include <cstdlib>

// Any bytes decode; a file without a UTF-16 mark that is not UTF-8 keeps one character a byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = TextFile::decode(bytes);
    const bool utf16 =
        size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
    const QByteArray unmarked = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (!utf16 && text.toUtf8() != unmarked && text.size() != bytes.size())
        abort();
    if (utf16 && text.size() > bytes.size() / 2)
        abort();
    return 0;
}
