// The editing commands, the character window's button, Exit and the caption buttons.
#include "app/Main.h"

#include "app/EditorCommands.h"
#include "app/character/frmAnim.h"
#include "controls/button/qxButtons_H.h"

#include <QGuiApplication>

void Main::cmdClearText_Click() { m_editor->erase(); }
void Main::cmdOpen_Click() { m_editor->open(); }
void Main::cmdCopy_Click() { m_editor->copy(); }
void Main::cmdPaste_Click() { m_editor->paste(); }
void Main::cmdAll_Click() { m_editor->selectAll(); }
void Main::cmdFont_Click() { m_editor->font(); }
void Main::cmdBold_Click() { m_editor->bold(); }
void Main::cmdItalic_Click() { m_editor->italic(); }
void Main::cmdForeColor_Click() { m_editor->foreColor(); }
void Main::cmdBackColor_Click() { m_editor->backColor(); }

void Main::cmdAnim_Click()
{
    frmAnim *character = anim();
    if (character->isVisible()) {
        character->hide();
        cmdAnim->setBackColor(oleRgb(224, 224, 224));
    } else {
        if (!m_characterPlaced) {
            // First shown beside the main window, level with its editor; a Wayland compositor
            // places windows itself, so there it opens where the compositor puts it.
            if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
                character->move(frameGeometry().right() + 8, y() + 80);
            m_characterPlaced = true;
        }
        character->show();
        character->raise();
        character->activateWindow();
        cmdAnim->setBackColor(oleRgb(255, 255, 0));
    }
}

void Main::cmdExit_Click() { close(); }
void Main::UcCmd1_Click() { close(); }
void Main::UcCmd2_Click() {}
void Main::UcCmd3_Click() { showMinimized(); }
