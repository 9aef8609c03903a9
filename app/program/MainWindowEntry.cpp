// The main window library's one entry point, called by the program when START is clicked.
#include "app/Main.h"
#include "engine/VoiceCatalogue.h"

extern "C" Q_DECL_EXPORT void vocalinoShowMainWindow()
{
    auto *main = new Main;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
}

// Called once the start-up window shows, so that the voices are ready when START is clicked.
extern "C" Q_DECL_EXPORT void vocalinoPrepare()
{
    VoiceCatalogue::prepare();
}
