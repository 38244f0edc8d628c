// How long do opening and showing a long note list, and saving it, take? Builds
// the real main window (Qt's offscreen platform unless another is chosen, SDL's
// dummy sound driver), opens a 100 000-line note-list file through the "Aç..."
// command and paints the window, then saves the list through "Kaydet...".
// Prints the median, fastest and slowest of five runs of each. The file stays in
// the page cache between runs: this is the program's cost, not the disk's.

#include "Application.h"
#include "BenchWindow.h"
#include "FileDialog.h"
#include "NoteListFile.h"
#include "NoteRecord.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Lines = 100'000;
constexpr int Runs = 5;

QStringList makeRecords()
{
    std::mt19937 random(20261207);
    QStringList records;
    for (int i = 0; i < Lines; ++i)
        records.append(noteRecord(int(random() % NoteCount), qint32(random() % 2000)));
    return records;
}

// Milliseconds of each run of action, sorted.
std::vector<double> timeRuns(const std::function<void()> &action)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        const auto start = Clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times;
}

void print(const char *what, const std::vector<double> &times)
{
    std::printf("%-34s median %7.1f ms   fastest %7.1f ms   slowest %7.1f ms\n", what, times[times.size() / 2],
                times.front(), times.back());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    setUpApplication();
    BenchWindow window;
    TForm1 &form = window.form;
    const QString listPath = window.scratch.filePath(QStringLiteral("long.mnls"));
    const QString savedPath = window.scratch.filePath(QStringLiteral("saved.mnls"));
    saveLinesFile(listPath, makeRecords());

    form.show();
    QApplication::processEvents();

    QString chosen;
    FileDialog::setAnswerer([&](const FileDialog::Design &) { return chosen; });
    const auto command = [&form](const char *name) { form.findChild<QAction *>(QString::fromLatin1(name))->trigger(); };

    std::printf("%d lines, %lld bytes, platform %s\n", Lines, (long long)QFileInfo(listPath).size(),
                qPrintable(QGuiApplication::platformName()));
    print("read the file", timeRuns([&] { readLinesFile(listPath); }));
    chosen = listPath;
    print("open and show (\"Aç...\", painted)", timeRuns([&] {
              command("A1");
              form.repaint();
          }));
    if (form.findChild<QListWidget *>(QStringLiteral("ListBox1"))->count() != Lines) {
        std::fprintf(stderr, "the list was not opened\n");
        return 1;
    }
    chosen = savedPath;
    print("save (\"Kaydet...\")", timeRuns([&] { command("Listekaydet1"); }));
    return 0;
}
