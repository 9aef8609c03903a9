#include "platform/FormFile.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

// Fonts need a GUI application; the fuzz script runs it offscreen.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QGuiApplication app(*argc, *argv);
    return 0;
}

// Any bytes: no crash and no hang; whatever reads without error writes back to a
// text that reads as the same form.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    FormNode form;
    try {
        form = FormFile::parse(text);
    } catch (const FormFileError &) {
        return 0;
    }
    const FormNode again = FormFile::parse(FormFile::write(form));
    if (!(again == form))
        abort();
    return 0;
}
