#include "app/import/RtfReader.h"

#include <cstdint>
#include <cstdlib>

// Any bytes: no crash, no hang, and never half of a surrogate pair in the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QString> text =
        RtfReader::toPlainText(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!text)
        return 0;
    const QChar *c = text->constData();
    for (qsizetype i = 0; i < text->size(); ++i) {
        if (c[i].isHighSurrogate() && i + 1 < text->size() && c[i + 1].isLowSurrogate())
            ++i;
        else if (c[i].isSurrogate())
            abort();
    }
    return 0;
}
