#include "SampleBank.h"

#include <QFile>
#include <QtEndian>

#include <optional>

namespace {

enum ItemFlag : quint8
{
    Compressed = 0x01,
    HasDescription = 0x02,
    HasIdent = 0x04,
    HasSample = 0x08,
};

constexpr int IdentSize = 4;
constexpr int LengthSize = 4;
constexpr int ChunkHeaderSize = 8;
constexpr int FmtMinimumSize = 16;
constexpr quint16 PcmFormat = 1;
constexpr quint32 SampleRate = 22050;

// Reads an item stream front to back. A read past the end fails and leaves the
// reader at the end: once a block is cut short, no later item can be located.
class ItemReader
{
public:
    explicit ItemReader(const QByteArray &bank) : m_bank(bank) {}

    bool atEnd() const { return m_pos >= m_bank.size(); }
    qsizetype remaining() const { return m_bank.size() - m_pos; }

    std::optional<QByteArrayView> take(qsizetype count)
    {
        if (count > remaining()) {
            skipRest();
            return std::nullopt;
        }
        const QByteArrayView bytes = QByteArrayView(m_bank).sliced(m_pos, count);
        m_pos += count;
        return bytes;
    }

    void skipRest() { m_pos = m_bank.size(); }

private:
    const QByteArray &m_bank;
    qsizetype m_pos = 0;
};

quint32 le32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

struct Decoded
{
    std::vector<std::int16_t> pcm;
    QString problem; // empty when the image is good
};

Decoded failed(const QString &problem)
{
    return {{}, problem};
}

// The metadata chunks ("LIST", "fact") are skipped; a "LIST" chunk may even lie
// past the size the RIFF header declares, so chunks are walked to the image's end.
Decoded decodeImage(QByteArrayView image)
{
    if (image.size() < 16 || image.first(4) != "RIFF")
        return failed(QStringLiteral("no RIFF header"));
    if (image.sliced(8, 4) != "WAVE")
        return failed(QStringLiteral("not a WAVE file"));
    if (image.sliced(12, 4) != "fmt ")
        return failed(QStringLiteral("no \"fmt \" chunk after the WAVE header"));

    bool formatChecked = false;
    qsizetype pos = 12;
    while (image.size() - pos >= ChunkHeaderSize) {
        const QByteArrayView id = image.sliced(pos, 4);
        const quint32 size = le32(image, pos + 4);
        const qsizetype body = pos + ChunkHeaderSize;
        if (size > quint64(image.size() - body))
            return failed(QStringLiteral("the \"%1\" chunk runs past the end of the image").arg(id.toByteArray()));
        if (id == "fmt ") {
            if (size < FmtMinimumSize || le16(image, body) != PcmFormat || le16(image, body + 2) != 1 ||
                le32(image, body + 4) != SampleRate || le16(image, body + 14) != 16)
                return failed(QStringLiteral("not 16-bit mono PCM at 22 050 Hz"));
            formatChecked = true;
        } else if (id == "data") {
            if (!formatChecked)
                return failed(QStringLiteral("the \"data\" chunk comes before the \"fmt \" chunk"));
            std::vector<std::int16_t> pcm(size / 2);
            qFromLittleEndian<qint16>(image.data() + body, qsizetype(pcm.size()), pcm.data());
            return {std::move(pcm), {}};
        }
        pos = body + size + (size & 1); // chunks are padded to an even length
    }
    return failed(QStringLiteral("no \"data\" chunk"));
}

// Reads one item; returns what is wrong with it, or an empty text. An item
// without a sample, or with an empty one, is not a problem.
QString readItem(ItemReader &reader, std::vector<std::int16_t> &pcm)
{
    const QString endsEarly = QStringLiteral("the sample bank ends inside its item");
    const quint8 flags = quint8(reader.take(1)->front());
    if (flags & HasDescription) {
        const auto length = reader.take(1);
        if (!length || !reader.take(quint8(length->front())))
            return endsEarly;
    }
    if ((flags & HasIdent) && !reader.take(IdentSize))
        return endsEarly;
    if (!(flags & HasSample))
        return {};
    if (flags & Compressed) {
        // The compressed block's length is unknown, so the items after it cannot be found.
        reader.skipRest();
        return QStringLiteral("compressed samples are not supported; the items after it cannot be read");
    }
    const auto lengthField = reader.take(LengthSize);
    const auto image = lengthField ? reader.take(le32(*lengthField, 0)) : std::nullopt;
    if (!image)
        return endsEarly;
    if (image->isEmpty())
        return {};
    Decoded decoded = decodeImage(*image);
    pcm = std::move(decoded.pcm);
    return decoded.problem;
}

} // namespace

SampleBank SampleBank::fromBank(const QByteArray &bank)
{
    SampleBank result;
    QStringList missing;
    ItemReader reader(bank);
    for (int note = 0; note < NoteCount; ++note) {
        if (reader.atEnd()) {
            missing << noteDisplayLine(note);
            continue;
        }
        const QString problem = readItem(reader, result.m_pcm[note]);
        if (!problem.isEmpty())
            result.m_problems << QStringLiteral("Sample of %1: %2.").arg(noteDisplayLine(note), problem);
    }
    if (!missing.isEmpty())
        result.m_problems << QStringLiteral("Samples missing from the sample bank: %1.").arg(missing.join(", "));
    if (!reader.atEnd())
        result.m_problems
            << QStringLiteral("The sample bank has %1 bytes after its last item.").arg(reader.remaining());
    return result;
}

SampleBank SampleBank::embedded()
{
    QFile file(QStringLiteral(":/bank/wavliste.bank"));
    if (!file.open(QIODevice::ReadOnly))
        return fromBank({});
    return fromBank(file.readAll());
}

std::span<const std::int16_t> SampleBank::pcm(int note) const
{
    return m_pcm.at(note);
}
