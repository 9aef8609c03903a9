// The main window library's one entry point, called by the program when START is clicked.
#include "app/Main.h"

extern "C" Q_DECL_EXPORT void vocalinoShowMainWindow()
{
    auto *main = new Main;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
}
