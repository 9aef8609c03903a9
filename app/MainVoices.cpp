// Voices: the list from the engine and each voice's starting speed and pitch.
#include "app/Main.h"

#include "app/VoiceDefaults.h"
#include "engine/DirectSS.h"
#include "controls/UcScroll.h"

#include <QListWidget>

void Main::LoadVoices()
{
    const qint32 count = engine()->CountEngines();
    for (qint32 i = 1; i <= count; ++i) {
        lstVoice->insertItem(i - 1, engine()->ModeName(i));
        lstVoice->setCurrentRow(0);
    }
}

void Main::lstVoice_Click()
{
    const auto [speed, pitch] = GetVoiceDefaults(engine()->ModeName(lstVoice->currentRow() + 1));
    scrSpeed->setValue(speed);
    scrPitch->setValue(pitch);
}

std::pair<qint16, qint16> Main::GetVoiceDefaults(const QString &voiceName)
{
    if (const auto known = knownVoiceDefaults(voiceName)) {
        scrSpeed->setValue(known->speed);
        scrPitch->setValue(known->pitch);
    }
    return {qint16(scrSpeed->Value()), qint16(scrPitch->Value())};
}
