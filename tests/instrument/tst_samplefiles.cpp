#include <QCryptographicHash>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

struct ExpectedImage
{
    int note;
    qsizetype imageBytes;
    quint32 riffSize;
    quint32 sampleCount;
};

// Note, image bytes, RIFF size field, samples; the comment names the pitch.
// Notes 0-8 end in a LIST chunk that lies outside the declared RIFF size; notes 9-17 carry a fact chunk.
constexpr ExpectedImage ExpectedImages[] = {
    {0, 55732, 55648, 27806},  // C4
    {1, 57702, 57618, 28791},  // D4
    {2, 59398, 59314, 29639},  // E4
    {3, 61110, 61026, 30495},  // F4
    {4, 54870, 54786, 27375},  // G4
    {5, 57410, 57326, 28645},  // A4
    {6, 54836, 54752, 27358},  // B4
    {7, 56664, 56580, 28272},  // C5
    {8, 58898, 58814, 29389},  // D5
    {9, 27862, 27854, 13903},  // C5
    {10, 28846, 28838, 14395}, // D5
    {11, 29694, 29686, 14819}, // E5
    {12, 30550, 30542, 15247}, // F5
    {13, 27430, 27422, 13687}, // G5
    {14, 28700, 28692, 14322}, // A5
    {15, 27414, 27406, 13679}, // B5
    {16, 28328, 28320, 14136}, // C6
    {17, 29444, 29436, 14694}, // D6
};

constexpr int FirstFastNote = 9;
constexpr quint32 ListPayloadBytes = 68;

struct Chunk
{
    QByteArray id;
    quint32 size;
    qsizetype payloadOffset;
};

QString sampleDirectory()
{
    return qEnvironmentVariable("MORVIL_SOURCE_DIR") + QStringLiteral("/assets/samples/");
}

QString sampleFileName(int note)
{
    return QStringLiteral("note%1.wav").arg(note, 2, 10, QLatin1Char('0'));
}

QByteArray readFile(const QString &name)
{
    QFile file(sampleDirectory() + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint32 u32At(const QByteArray &image, qsizetype offset)
{
    return qFromLittleEndian<quint32>(image.constData() + offset);
}

quint16 u16At(const QByteArray &image, qsizetype offset)
{
    return qFromLittleEndian<quint16>(image.constData() + offset);
}

// Walks every chunk after "WAVE" up to the end of the image rather than the declared RIFF size,
// so that a chunk trailing outside the declared size is listed too.
std::vector<Chunk> chunksOf(const QByteArray &image)
{
    std::vector<Chunk> chunks;
    qsizetype offset = 12;
    while (offset + 8 <= image.size()) {
        const Chunk chunk{image.mid(offset, 4), u32At(image, offset + 4), offset + 8};
        chunks.push_back(chunk);
        offset = chunk.payloadOffset + qsizetype(chunk.size) + (chunk.size & 1);
    }
    return chunks;
}

std::vector<qint16> samplesOf(const QByteArray &image)
{
    for (const Chunk &chunk : chunksOf(image)) {
        if (chunk.id == "data" && chunk.payloadOffset + qsizetype(chunk.size) <= image.size()) {
            std::vector<qint16> samples(chunk.size / 2);
            for (size_t i = 0; i < samples.size(); ++i)
                samples[i] = qFromLittleEndian<qint16>(image.constData() + chunk.payloadOffset + 2 * qsizetype(i));
            return samples;
        }
    }
    return {};
}

} // namespace

class TestSampleFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void fastNoteKeepsEverySecondSample_data();
    void fastNoteKeepsEverySecondSample();
    void levels_data();
    void levels();
    void checksumsMatch();
};

void TestSampleFiles::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("MORVIL_SOURCE_DIR"), "MORVIL_SOURCE_DIR names the source tree");
}

void TestSampleFiles::layout_data()
{
    QTest::addColumn<int>("note");
    QTest::addColumn<qsizetype>("imageBytes");
    QTest::addColumn<quint32>("riffSize");
    QTest::addColumn<quint32>("sampleCount");
    for (const ExpectedImage &expected : ExpectedImages)
        QTest::addRow("note %02d", expected.note)
            << expected.note << expected.imageBytes << expected.riffSize << expected.sampleCount;
}

void TestSampleFiles::layout()
{
    QFETCH(int, note);
    QFETCH(qsizetype, imageBytes);
    QFETCH(quint32, riffSize);
    QFETCH(quint32, sampleCount);

    const QByteArray image = readFile(sampleFileName(note));
    QCOMPARE(image.size(), imageBytes);
    QCOMPARE(image.left(4), QByteArray("RIFF"));
    QCOMPARE(u32At(image, 4), riffSize);
    QCOMPARE(image.mid(8, 4), QByteArray("WAVE"));

    const std::vector<Chunk> chunks = chunksOf(image);
    QVERIFY(!chunks.empty());
    QCOMPARE(chunks.back().payloadOffset + qsizetype(chunks.back().size), image.size());
    QList<QByteArray> ids;
    QList<quint32> sizes;
    for (const Chunk &chunk : chunks) {
        ids << chunk.id;
        sizes << chunk.size;
    }
    const bool fast = note >= FirstFastNote;
    if (fast) {
        QCOMPARE(ids, (QList<QByteArray>{"fmt ", "fact", "data"}));
        QCOMPARE(sizes, (QList<quint32>{16, 4, 2 * sampleCount}));
        QCOMPARE(u32At(image, chunks[1].payloadOffset), sampleCount);
        QCOMPARE(qsizetype(riffSize) + 8, image.size());
    } else {
        QCOMPARE(ids, (QList<QByteArray>{"fmt ", "data", "LIST"}));
        QCOMPARE(sizes, (QList<quint32>{16, 2 * sampleCount, ListPayloadBytes}));
        // The declared RIFF size ends where the LIST chunk begins.
        QCOMPARE(chunks[2].payloadOffset - 8, qsizetype(riffSize) + 8);
    }

    const qsizetype format = chunks[0].payloadOffset;
    QCOMPARE(u16At(image, format), quint16(1));       // PCM
    QCOMPARE(u16At(image, format + 2), quint16(1));   // mono
    QCOMPARE(u32At(image, format + 4), 22050u);       // samples per second
    QCOMPARE(u32At(image, format + 8), 44100u);       // bytes per second
    QCOMPARE(u16At(image, format + 12), quint16(2));  // block align
    QCOMPARE(u16At(image, format + 14), quint16(16)); // bits per sample
}

void TestSampleFiles::fastNoteKeepsEverySecondSample_data()
{
    QTest::addColumn<int>("normalNote");
    for (int normalNote = 0; normalNote < FirstFastNote; ++normalNote)
        QTest::addRow("note %02d from %02d", normalNote + FirstFastNote, normalNote) << normalNote;
}

void TestSampleFiles::fastNoteKeepsEverySecondSample()
{
    QFETCH(int, normalNote);
    const std::vector<qint16> normal = samplesOf(readFile(sampleFileName(normalNote)));
    const std::vector<qint16> fast = samplesOf(readFile(sampleFileName(normalNote + FirstFastNote)));
    QVERIFY(!normal.empty());
    QCOMPARE(fast.size(), normal.size() / 2);
    for (size_t i = 0; i < fast.size(); ++i) {
        if (fast[i] != normal[2 * i])
            QFAIL(qPrintable(QStringLiteral("fast sample %1 is not normal sample %2").arg(i).arg(2 * i)));
    }
}

void TestSampleFiles::levels_data()
{
    QTest::addColumn<int>("note");
    for (const ExpectedImage &expected : ExpectedImages)
        QTest::addRow("note %02d", expected.note) << expected.note;
}

// No sample at full scale (it would be clipped), yet every note loud: the set peaks near -1 dBFS.
void TestSampleFiles::levels()
{
    QFETCH(int, note);
    const std::vector<qint16> samples = samplesOf(readFile(sampleFileName(note)));
    QVERIFY(!samples.empty());
    int peak = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] == 32767 || samples[i] == -32768)
            QFAIL(qPrintable(QStringLiteral("sample %1 is at full scale").arg(i)));
        peak = std::max(peak, std::abs(int(samples[i])));
    }
    QVERIFY2(peak > 16384, "quieter than -6 dBFS");
}

// The list the sample script writes; a WAV edited or replaced by hand no longer matches it.
void TestSampleFiles::checksumsMatch()
{
    const QList<QByteArray> lines = readFile(QStringLiteral("SHA256SUMS")).trimmed().split('\n');
    QCOMPARE(lines.size(), qsizetype(std::size(ExpectedImages)));
    for (const QByteArray &line : lines) {
        const QByteArray listedHash = line.left(64);
        const QString name = QString::fromLatin1(line.mid(66));
        const QByteArray hash = QCryptographicHash::hash(readFile(name), QCryptographicHash::Sha256).toHex();
        QVERIFY2(hash == listedHash, qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestSampleFiles)
#include "tst_samplefiles.moc"
