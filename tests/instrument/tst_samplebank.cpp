#include "SampleBank.h"

#include <QTest>
#include <QtEndian>

#include <vector>

namespace {

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char *id, const QByteArray &body)
{
    return QByteArray(id, 4) + le32(quint32(body.size())) + body;
}

QByteArray fmtBody(quint16 channels = 1, quint16 bits = 16)
{
    QByteArray body(16, '\0');
    qToLittleEndian<quint16>(1, body.data());
    qToLittleEndian<quint16>(channels, body.data() + 2);
    qToLittleEndian<quint32>(22050, body.data() + 4);
    qToLittleEndian<quint32>(22050 * channels * bits / 8, body.data() + 8);
    qToLittleEndian<quint16>(channels * bits / 8, body.data() + 12);
    qToLittleEndian<quint16>(bits, body.data() + 14);
    return body;
}

QByteArray pcmBytes(const std::vector<qint16> &samples)
{
    QByteArray bytes(qsizetype(samples.size() * 2), '\0');
    qToLittleEndian<qint16>(samples.data(), qsizetype(samples.size()), bytes.data());
    return bytes;
}

// A RIFF WAVE image of the given chunks (everything after "WAVE").
QByteArray wave(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

std::vector<qint16> samplesOf(int note)
{
    return {qint16(note), qint16(-1000 * note), 32767, -32768, qint16(note)};
}

QByteArray goodImage(int note)
{
    return wave(chunk("fmt ", fmtBody()) + chunk("data", pcmBytes(samplesOf(note))));
}

QByteArray item(const QByteArray &image)
{
    return char(0x08) + le32(quint32(image.size())) + image;
}

// A bank of eighteen good items, with the item of one note replaced.
QByteArray bankWith(int note, const QByteArray &replacement)
{
    QByteArray bank;
    for (int n = 0; n < NoteCount; ++n)
        bank += n == note ? replacement : item(goodImage(n));
    return bank;
}

std::vector<qint16> pcmOf(const SampleBank &bank, int note)
{
    const auto pcm = bank.pcm(note);
    return {pcm.begin(), pcm.end()};
}

} // namespace

class TestSampleBank : public QObject
{
    Q_OBJECT

private slots:
    void embeddedBankHoldsEveryNote();
    void itemsWithoutSampleAreSilent_data();
    void itemsWithoutSampleAreSilent();
    void descriptionAndIdentAreSkipped();
    void dataChunkIsFoundAmongOtherChunks();
    void damagedImageSilencesOnlyItsNote_data();
    void damagedImageSilencesOnlyItsNote();
    void bankEndingEarlyLosesTheRest_data();
    void bankEndingEarlyLosesTheRest();
    void bytesAfterTheLastItemAreReported();
};

void TestSampleBank::embeddedBankHoldsEveryNote()
{
    const SampleBank bank = SampleBank::embedded();
    QCOMPARE(bank.problems(), QStringList());
    const std::size_t sampleCounts[NoteCount] = {27806, 28791, 29639, 30495, 27375, 28645, 27358, 28272, 29389,
                                                 13903, 14395, 14819, 15247, 13687, 14322, 13679, 14136, 14694};
    for (int note = 0; note < NoteCount; ++note)
        QCOMPARE(bank.pcm(note).size(), sampleCounts[note]);
}

void TestSampleBank::itemsWithoutSampleAreSilent_data()
{
    QTest::addColumn<QByteArray>("replacement");
    QTest::newRow("sample flag clear") << QByteArray(1, char(0x00));
    QTest::newRow("sample flag clear, ident only") << char(0x04) + le32(7);
    QTest::newRow("image of length 0") << char(0x08) + le32(0);
}

void TestSampleBank::itemsWithoutSampleAreSilent()
{
    QFETCH(QByteArray, replacement);
    const SampleBank bank = SampleBank::fromBank(bankWith(5, replacement));
    QCOMPARE(bank.problems(), QStringList());
    QVERIFY(bank.pcm(5).empty());
    QCOMPARE(pcmOf(bank, 4), samplesOf(4));
    QCOMPARE(pcmOf(bank, 6), samplesOf(6));
}

void TestSampleBank::descriptionAndIdentAreSkipped()
{
    const QByteArray image = goodImage(5);
    // The description's bytes look like a flags byte and a length to a reader that ignores them.
    const QByteArray described = char(0x0E) + QByteArray(1, 3) + QByteArray("\x08\xFF\x01", 3) + le32(0x08080808) +
                                 le32(quint32(image.size())) + image;
    const SampleBank bank = SampleBank::fromBank(bankWith(5, described));
    QCOMPARE(bank.problems(), QStringList());
    QCOMPARE(pcmOf(bank, 5), samplesOf(5));
    QCOMPARE(pcmOf(bank, 6), samplesOf(6));
}

void TestSampleBank::dataChunkIsFoundAmongOtherChunks()
{
    // An odd-sized chunk is padded; a LIST chunk may follow outside the declared RIFF size.
    const QByteArray declared = chunk("fmt ", fmtBody()) + chunk("junk", "abc") + QByteArray(1, '\0') +
                                chunk("fact", le32(5)) + chunk("data", pcmBytes(samplesOf(2)));
    const QByteArray image = wave(declared) + chunk("LIST", QByteArray(68, 'x'));
    const SampleBank bank = SampleBank::fromBank(bankWith(2, item(image)));
    QCOMPARE(bank.problems(), QStringList());
    QCOMPARE(pcmOf(bank, 2), samplesOf(2));
}

void TestSampleBank::damagedImageSilencesOnlyItsNote_data()
{
    QTest::addColumn<QByteArray>("image");
    const QByteArray fmt = chunk("fmt ", fmtBody());
    const QByteArray data = chunk("data", pcmBytes(samplesOf(3)));
    QByteArray rifx = goodImage(3);
    rifx[3] = 'X';
    QByteArray noWave = goodImage(3);
    noWave.replace(8, 4, "AVI ");
    QTest::newRow("RIFX") << rifx;
    QTest::newRow("no WAVE") << noWave;
    QTest::newRow("no fmt first") << wave(chunk("fact", le32(5)) + fmt + data);
    QTest::newRow("too short for a header") << QByteArray("RIFF");
    QTest::newRow("stereo") << wave(chunk("fmt ", fmtBody(2)) + data);
    QTest::newRow("8-bit") << wave(chunk("fmt ", fmtBody(1, 8)) + data);
    QTest::newRow("no data chunk") << wave(fmt + chunk("LIST", "abcd"));
    QTest::newRow("data chunk longer than the image") << wave(fmt + data).chopped(2);
}

void TestSampleBank::damagedImageSilencesOnlyItsNote()
{
    QFETCH(QByteArray, image);
    const SampleBank bank = SampleBank::fromBank(bankWith(3, item(image)));
    QVERIFY(bank.pcm(3).empty());
    QCOMPARE(bank.problems().size(), 1);
    QVERIFY2(bank.problems().front().contains("FA (03)"), qPrintable(bank.problems().front()));
    for (int note = 0; note < NoteCount; ++note) {
        if (note != 3)
            QCOMPARE(pcmOf(bank, note), samplesOf(note));
    }
}

void TestSampleBank::bankEndingEarlyLosesTheRest_data()
{
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<int>("kept"); // bytes of the item before the bank ends
    const QByteArray image = goodImage(16);
    const QByteArray lengthAndImage = le32(quint32(image.size())) + image;
    QTest::newRow("inside the length field") << item(image) << 3;
    QTest::newRow("inside the image") << item(image) << 40;
    QTest::newRow("inside the description")
        << char(0x0A) + QByteArray(1, 20) + QByteArray(20, 'd') + lengthAndImage << 12;
    QTest::newRow("inside the ident") << char(0x0C) + le32(0) + lengthAndImage << 3;
}

void TestSampleBank::bankEndingEarlyLosesTheRest()
{
    QFETCH(QByteArray, item);
    QFETCH(int, kept);
    const QByteArray lastItem = ::item(goodImage(17));
    const SampleBank bank = SampleBank::fromBank(bankWith(16, item.first(kept)).chopped(lastItem.size()));
    QVERIFY(bank.pcm(16).empty());
    QVERIFY(bank.pcm(17).empty());
    QCOMPARE(pcmOf(bank, 15), samplesOf(15));
    QCOMPARE(bank.problems().size(), 2);
    QVERIFY2(bank.problems().at(0).contains("DO (16)"), qPrintable(bank.problems().at(0)));
    QVERIFY2(bank.problems().at(1).contains("# (17)"), qPrintable(bank.problems().at(1)));
}

void TestSampleBank::bytesAfterTheLastItemAreReported()
{
    const SampleBank bank = SampleBank::fromBank(bankWith(-1, {}) + "tail");
    QCOMPARE(bank.problems(), QStringList("The sample bank has 4 bytes after its last item."));
    QCOMPARE(pcmOf(bank, 17), samplesOf(17));
}

QTEST_GUILESS_MAIN(TestSampleBank)
#include "tst_samplebank.moc"
