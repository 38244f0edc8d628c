#include "AudioFile.h"
#include "AudioRenderer.h"
#include "Console.h"
#include "Error.h"
#include "MidiFile.h"
#include "NoteListFile.h"
#include "NoteTimeline.h"
#include "SampleBank.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>
#include <optional>

namespace {

enum ExitCode
{
    Done = 0,
    BadInput = 1,
    BadUsage = 2
};

enum class Format
{
    Wav,
    Flac,
    Ogg,
    Midi
};

struct FormatName
{
    const char *name;
    Format format;
};
constexpr FormatName FormatNames[] = {
    {"wav", Format::Wav}, {"flac", Format::Flac}, {"ogg", Format::Ogg}, {"mid", Format::Midi}, {"midi", Format::Midi}};

constexpr int AllowedRates[] = {22050, 44100, 48000};

// A list that plays longer than this shows how far the rendering is.
constexpr std::uint64_t ProgressAfterFrames = 10 * SampleMixer::SampleRate;

std::optional<Format> formatNamed(const QString &name)
{
    for (const FormatName &entry : FormatNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.format;
    }
    return std::nullopt;
}

// Thrown for a mistake in the command line: the program says what and exits 2.
struct UsageError
{
    QString text;
};

void printError(const QString &text)
{
    std::fprintf(stderr, "morvil-render: %s\n", qUtf8Printable(text));
}

std::chrono::microseconds tickLength(const QString &text)
{
    bool ok = false;
    const double ms = text.toDouble(&ok);
    if (!ok || !(ms >= 0.001) || ms > 60'000)
        throw UsageError{
            QStringLiteral("--tick-ms wants a length in milliseconds between 0.001 and 60000, not '%1'").arg(text)};
    return std::chrono::microseconds(qRound64(ms * 1000));
}

int outputRate(const QString &text)
{
    for (int rate : AllowedRates) {
        if (text == QString::number(rate))
            return rate;
    }
    throw UsageError{QStringLiteral("--rate wants 22050, 44100 or 48000, not '%1'").arg(text)};
}

void writeMelody(QIODevice &device, Format format, int rate, const std::vector<TimedNote> &notes,
                 const SampleBank &bank, std::chrono::microseconds tick)
{
    if (format == Format::Midi) {
        const QByteArray midi = midiFile(notes, bank, tick);
        if (device.write(midi) != midi.size())
            throw Error(device.errorString());
        return;
    }
    AudioRenderer renderer(bank, notes, tick);
    const bool showProgress = standardErrorIsTerminal() && renderer.totalFrames() > ProgressAfterFrames;
    int shown = -1;
    const auto progress = [&](double done) {
        const int percent = int(done * 100);
        if (percent != shown) {
            shown = percent;
            std::fprintf(stderr, "\rmorvil-render: %3d %%", percent);
        }
    };
    const AudioContainer container = format == Format::Wav    ? AudioContainer::Wav
                                     : format == Format::Flac ? AudioContainer::Flac
                                                              : AudioContainer::Ogg;
    writeAudioFile(device, container, rate, renderer, showProgress ? std::function<void(double)>(progress) : nullptr);
    if (showProgress)
        std::fputc('\n', stderr);
}

// Nothing is written where the output goes unless the whole melody is: a file is
// written aside and takes its place at the end, standard output gets a finished copy.
void writeOutput(const QString &output, Format format, int rate, const std::vector<TimedNote> &notes,
                 const SampleBank &bank, std::chrono::microseconds tick)
{
    if (output == QLatin1String("-")) {
        QTemporaryFile aside;
        if (!aside.open())
            throw Error(QStringLiteral("cannot make a temporary file: %1").arg(aside.errorString()));
        writeMelody(aside, format, rate, notes, bank, tick);
        QFile standardOutput;
        if (!aside.seek(0) || !standardOutput.open(stdout, QIODevice::WriteOnly))
            throw Error(QStringLiteral("cannot write to standard output"));
        const auto failed = [&standardOutput] {
            return Error(QStringLiteral("cannot write to standard output: %1").arg(standardOutput.errorString()));
        };
        while (!aside.atEnd()) {
            const QByteArray block = aside.read(1 << 20);
            if (standardOutput.write(block) != block.size())
                throw failed();
        }
        // A small output is still in the buffers: only the flush shows whether it arrived.
        if (!standardOutput.flush())
            throw failed();
        return;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("cannot create %1: %2").arg(output, file.errorString()));
    try {
        writeMelody(file, format, rate, notes, bank, tick);
    } catch (const Error &error) {
        file.cancelWriting();
        throw Error(QStringLiteral("cannot write %1: %2").arg(output, error.text()));
    }
    if (!file.commit())
        throw Error(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    makeStandardOutputBinary();
    QCoreApplication::setApplicationName(QStringLiteral("morvil-render"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVIL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders a Morvil note list as Morvil's player plays it, into an audio file (.wav, .flac, .ogg)\n"
        "or a Standard MIDI File (.mid). The output's extension chooses the format; '-' writes to\n"
        "standard output in the format given by --format."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption tickOption(QStringLiteral("tick-ms"),
                                        QStringLiteral("Length of one tick of a record's count (default 1)."),
                                        QStringLiteral("ms"), QStringLiteral("1"));
    const QCommandLineOption rateOption(QStringLiteral("rate"),
                                        QStringLiteral("Sample rate of an audio file: 22050 (the samples' own, "
                                                       "the default), 44100 or 48000."),
                                        QStringLiteral("hz"), QStringLiteral("22050"));
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("wav, flac, ogg or mid, instead of the output's extension."),
                                          QStringLiteral("format"));
    parser.addOptions({tickOption, rateOption, formatOption});
    parser.addPositionalArgument(QStringLiteral("list"), QStringLiteral("The note list (.mnls)."));
    parser.addPositionalArgument(QStringLiteral("output"),
                                 QStringLiteral("The file to write, or - for standard output."));

    QString list, output;
    Format format{};
    int rate = 0;
    std::chrono::microseconds tick{};
    try {
        if (!parser.parse(app.arguments()))
            throw UsageError{parser.errorText()};
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp(Done);
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
        const QStringList arguments = parser.positionalArguments();
        if (arguments.size() != 2)
            throw UsageError{QStringLiteral("wants a note list and an output file")};
        list = arguments.at(0);
        output = arguments.at(1);
        const QString formatName = parser.isSet(formatOption) ? parser.value(formatOption) : QFileInfo(output).suffix();
        if (output == QLatin1String("-") && !parser.isSet(formatOption))
            throw UsageError{QStringLiteral("writing to standard output wants --format")};
        const std::optional<Format> named = formatNamed(formatName);
        if (!named)
            throw UsageError{QStringLiteral("cannot tell the output format from '%1': use .wav, .flac, .ogg or .mid")
                                 .arg(formatName)};
        format = *named;
        rate = outputRate(parser.value(rateOption));
        tick = tickLength(parser.value(tickOption));
    } catch (const UsageError &error) {
        printError(error.text);
        std::fprintf(stderr, "Try 'morvil-render --help' for more information.\n");
        return BadUsage;
    }

    try {
        std::vector<TimedNote> notes;
        try {
            notes = timeNotes(readLinesFile(list));
            if (notes.empty())
                throw Error(QStringLiteral("the list holds no note to play"));
            checkMelodyDuration(notes, tick);
        } catch (const Error &error) {
            throw Error(QStringLiteral("%1: %2").arg(list, error.text()));
        }
        const SampleBank bank = SampleBank::embedded();
        if (!bank.problems().isEmpty())
            throw Error(bank.problems().join(QLatin1Char(' ')));
        writeOutput(output, format, rate, notes, bank, tick);
    } catch (const Error &error) {
        printError(error.text());
        return BadInput;
    }
    return Done;
}
