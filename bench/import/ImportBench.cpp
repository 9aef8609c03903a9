// The rich text reader against reading the same bytes from disk, and opening a plain text
// file into the editor against handing the editor the same text directly. Each pair runs
// in the same process; the ratios are printed at the end.
#include "app/EditorCommands.h"
#include "app/import/FileOpen.h"
#include "app/import/RtfReader.h"
#include "platform/Dialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include "bench/support/BenchTimes.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {
QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QString writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(scratch().filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(bytes);
    return file.fileName();
}

// About 5 MB in the shape LibreOffice writes: tables up front, a picture, then paragraphs
// of formatted text with Unicode and code-page escapes.
const QString &richTextFile()
{
    static const QString path = [] {
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}"
                         "{\\f1\\fswiss\\fcharset204 Arial Cyr;}}{\\colortbl;\\red0\\green0\\blue0;}"
                         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Bench}}\n";
        rtf += "{\\pict\\pngblip\\picw64\\pich64 " + QByteArray(200000, 'a') + "}\n";
        const QByteArray paragraph =
            "\\pard\\plain \\s0\\f0\\fs24 The child reads {\\b bold} and {\\i italic} words, "
            "caf\\'e9 na\\u239\\'efve \\u1055\\'3f\\u1088\\'3f\\u1080\\'3f {\\f1 \\'cf\\'f0} "
            "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} and more plain text here.\\par\n";
        while (rtf.size() < 5 * 1024 * 1024)
            rtf += paragraph;
        rtf += "}";
        return writeFile(QStringLiteral("bench.rtf"), rtf);
    }();
    return path;
}

const QString &plainTextFile()
{
    static const QString path = [] {
        const QByteArray line =
            QStringLiteral("Élève %1: the quick brown fox jumps over the lazy dog, Привет мир.\n").toUtf8();
        QByteArray text;
        for (int i = 0; text.size() < 1024 * 1024; ++i)
            text += line;
        return writeFile(QStringLiteral("bench.txt"), text);
    }();
    return path;
}

void BM_ReadRichTextBytesFromDisk(benchmark::State &state)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        QFile file(richTextFile());
        file.open(QIODevice::ReadOnly);
        const QByteArray data = file.readAll();
        bytes += data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadRichTextBytesFromDisk)->Unit(benchmark::kMillisecond);

void BM_RtfReaderFromDisk(benchmark::State &state)
{
    qint64 bytes = QFile(richTextFile()).size();
    for (auto _ : state) {
        const std::optional<QString> text = RtfReader::readFile(richTextFile());
        benchmark::DoNotOptimize(text->constData());
    }
    state.SetBytesProcessed(bytes * state.iterations());
}
BENCHMARK(BM_RtfReaderFromDisk)->Unit(benchmark::kMillisecond);

// The person choosing the bench's file in the open dialog.
class ChooseTextFile : public QtDialogs
{
public:
    FileDialogResult openFile(const FileDialogRequest &) override { return {true, plainTextFile(), 1}; }
};

void finishLayout(QTextEdit &editor)
{
    benchmark::DoNotOptimize(editor.document()->documentLayout()->documentSize());
    QCoreApplication::processEvents();
}

void BM_EditorSetPlainText(benchmark::State &state)
{
    const QString text = FileOpen(plainTextFile()).value_or(QString());
    for (auto _ : state) {
        QTextEdit editor;
        editor.resize(640, 480);
        editor.show();
        editor.setPlainText(text);
        finishLayout(editor);
    }
}
BENCHMARK(BM_EditorSetPlainText)->Unit(benchmark::kMillisecond);

void BM_OpenTextFileIntoEditor(benchmark::State &state)
{
    ChooseTextFile dialogs;
    Dialogs::install(&dialogs);
    for (auto _ : state) {
        QTextEdit editor;
        editor.resize(640, 480);
        editor.show();
        EditorCommands commands(&editor);
        commands.setStartingFormat();
        commands.open();
        finishLayout(editor);
    }
    Dialogs::install(nullptr);
}
BENCHMARK(BM_OpenTextFileIntoEditor)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::map<std::string, double> s; // both benchmarks report milliseconds
    for (const auto &[name, ms] : BenchTimes::run(argc, argv))
        s[name] = ms / 1e3;
    if (s.count("BM_RtfReaderFromDisk") && s.count("BM_ReadRichTextBytesFromDisk")) {
        const double mb = QFile(richTextFile()).size() / 1e6;
        const double speed = mb / s.at("BM_RtfReaderFromDisk");
        BenchTimes::row("rtf reader", BenchTimes::amount(speed, "MB/s", 0),
                        "reading the bytes " +
                            BenchTimes::amount(mb / s.at("BM_ReadRichTextBytesFromDisk"), "MB/s", 0),
                        s.at("BM_RtfReaderFromDisk") / s.at("BM_ReadRichTextBytesFromDisk"),
                        "at least 50 MB/s", speed >= 50);
    }
    if (s.count("BM_OpenTextFileIntoEditor") && s.count("BM_EditorSetPlainText"))
        BenchTimes::row("open a 1 MB text", BenchTimes::amount(s.at("BM_OpenTextFileIntoEditor"), "s", 3),
                        "setPlainText " + BenchTimes::amount(s.at("BM_EditorSetPlainText"), "s", 3),
                        s.at("BM_OpenTextFileIntoEditor") / s.at("BM_EditorSetPlainText"), "under 1 s",
                        s.at("BM_OpenTextFileIntoEditor") < 1);
    benchmark::Shutdown();
    return 0;
}
