// The window's frame and companions: the skin, the fixed size, help, About and closing.
#include "app/Main.h"

#include "app/About.h"
#include "app/character/frmAnim.h"
#include "controls/button/modQxTimer.h"
#include "help/HTMLHelp.h"
#include "platform/ProgramFolder.h"
#include "skin/ClsSkin.h"

void Main::applySkin()
{
    m_skin = std::make_unique<ClsSkin>();
    m_skin->setTheForm(this);
    m_skin->SetFrmPict();
}

void Main::fixWindowSize() { modQxTimer::FixWindowSize(this); }

void Main::cmdHelp_Click()
{
    if (!m_help)
        m_help = std::make_unique<HTMLHelp>();
    m_help->setCHMFile(programFile(QStringLiteral("help/Vocalino.chm")));
    m_help->setHHTopicID(1);
    m_help->setHHWindow(QStringLiteral("Main"));
    m_help->HHDisplayTopicID(0);
}

void Main::cmdAbout_Click() { About::showShared(); }

void Main::closeCompanions()
{
    About::closeShared();
    if (m_anim)
        m_anim->close();
    if (m_help)
        m_help->HHClose(); // a help window left open would keep the program, and its lock, alive
}
