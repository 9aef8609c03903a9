// Stands in for the main window library: notes that its entry point ran.
#include <QByteArray>

extern "C" Q_DECL_EXPORT void vocalinoShowMainWindow()
{
    qputenv("VOCALINO_STUB_MAIN_SHOWN", QByteArray("1"));
}
