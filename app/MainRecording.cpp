// Recording the speech into the wave file named in the file box.
#include "app/Main.h"

#include "app/RecordingFile.h"
#include "engine/DirectSS.h"
#include "controls/button/qxButtons_H.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>

void Main::cmdSaveFile_Click()
{
    FileDialogRequest request;
    request.owner = this;
    request.filter = QStringLiteral("Wav Files (*.wav)|*.wav");
    request.fileName = txtFile->text();
    const FileDialogResult chosen = Dialogs::current().saveFile(request);
    if (chosen.accepted)
        txtFile->setText(chosen.fileName);
}

void Main::cmdRec_Click()
{
    try {
        const std::optional<QString> text = textToRead();
        if (!text)
            return;
        const QString path = recordingPath(txtFile->text(), QDir::homePath());
        if (path.isEmpty()) {
            warn(QStringLiteral("Please Enter A File Name To Save !"));
            return;
        }
        if (pathExists(path)
            && MessageBoxes::current().show(QStringLiteral("Vocalino 5.0"),
                                            QStringLiteral("File already exists ! Overwrite ?"),
                                            MsgIcon::None, MsgButtons::OkCancel) != MsgAnswer::Ok)
            return;
        if (startRecording(path)) {
            Timer1->start();
            showStatus(QStringLiteral("RECORDING"), oleRgb(0, 255, 255));
            recState = -1;
            cmdSpkText->setEnabled(false);
            cmdPauseText->setEnabled(false);
            cmdClearText->setEnabled(false);
        }
    } catch (const AppError &) {
        // The engine's failure is read back from its last error below.
    }
    checkEngine();
}

// False, after telling the child why, when the file cannot be written; any other
// engine failure goes on to the caller's engine check.
bool Main::startRecording(const QString &path)
{
    engine()->setFileName(path);
    try {
        engine()->Speak(RichTextBox1->toPlainText());
    } catch (const AppError &error) {
        engine()->setFileName(QString());
        if (tellEngineFailure(error))
            return false;
        if (!isFileProblem(error.number()))
            throw;
        warnNotWritten(path, error.description());
        return false;
    }
    return true;
}

void Main::warnNotWritten(const QString &path, const QString &reason)
{
    warn(QStringLiteral("The file \"%1\" cannot be written:\r\n%2")
             .arg(QDir::toNativeSeparators(path), reason));
}
