#include "JournalFormat.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <optional>

namespace {

constexpr char Magic[] = "MRVLJRNL";
constexpr qsizetype MagicSize = sizeof Magic - 1;
constexpr quint32 FormatVersion = 1;
constexpr qsizetype HeaderSize = MagicSize + 4;
// Before the payload its size and kind, after it the check.
constexpr qsizetype EntryFrameSize = 4 + 1 + 4;

enum Kind : char
{
    NoteAdded = 'A',
    LineChanged = 'C',
    LineRemoved = 'D',
    ListReplaced = 'R'
};

void appendNumber(QByteArray &bytes, quint32 value)
{
    const quint32 little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof little);
}

void appendText(QByteArray &bytes, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    appendNumber(bytes, quint32(utf8.size()));
    bytes.append(utf8);
}

QByteArray check(QByteArrayView framed)
{
    // Four bytes of a well-known hash catch a torn or garbled entry as well as a CRC would.
    return QCryptographicHash::hash(framed, QCryptographicHash::Sha256).first(4);
}

QByteArray entry(Kind kind, const QByteArray &payload)
{
    QByteArray bytes;
    bytes.reserve(EntryFrameSize + payload.size());
    appendNumber(bytes, quint32(payload.size()));
    bytes.append(kind);
    bytes.append(payload);
    bytes.append(check(bytes));
    return bytes;
}

// Reads a payload front to back; every read fails once the bytes run short.
class PayloadReader
{
public:
    explicit PayloadReader(QByteArrayView bytes) : m_bytes(bytes) {}

    std::optional<quint32> number()
    {
        if (m_bytes.size() < 4)
            return std::nullopt;
        const quint32 value = qFromLittleEndian<quint32>(m_bytes.data());
        m_bytes = m_bytes.sliced(4);
        return value;
    }

    std::optional<QString> text()
    {
        const std::optional<quint32> size = number();
        if (!size || *size > quint64(m_bytes.size()))
            return std::nullopt;
        const QString text = QString::fromUtf8(m_bytes.first(*size));
        m_bytes = m_bytes.sliced(*size);
        return text;
    }

    // A row of the list: within it for a change or a removal.
    std::optional<qsizetype> row(const NoteLines &list)
    {
        const std::optional<quint32> row = number();
        if (!row || *row >= quint64(list.records.size()))
            return std::nullopt;
        return qsizetype(*row);
    }

    bool atEnd() const { return m_bytes.isEmpty(); }

private:
    QByteArrayView m_bytes;
};

// Applies one entry's change to list; false, with list unchanged, when the
// payload is not a whole change that fits it.
bool apply(char kind, QByteArrayView payload, NoteLines &list)
{
    PayloadReader reader(payload);
    switch (kind) {
    case NoteAdded: {
        const std::optional<QString> record = reader.text();
        const std::optional<QString> line = reader.text();
        if (!record || !line || !reader.atEnd())
            return false;
        list.records.append(*record);
        list.lines.append(*line);
        return true;
    }
    case LineChanged: {
        const std::optional<qsizetype> row = reader.row(list);
        const std::optional<QString> record = reader.text();
        const std::optional<QString> line = reader.text();
        if (!row || !record || !line || !reader.atEnd())
            return false;
        list.records[*row] = *record;
        list.lines[*row] = *line;
        return true;
    }
    case LineRemoved: {
        const std::optional<qsizetype> row = reader.row(list);
        if (!row || !reader.atEnd())
            return false;
        list.records.removeAt(*row);
        list.lines.removeAt(*row);
        return true;
    }
    case ListReplaced: {
        const std::optional<quint32> count = reader.number();
        if (!count)
            return false;
        NoteLines replacement;
        for (quint32 i = 0; i < *count; ++i) {
            const std::optional<QString> record = reader.text();
            const std::optional<QString> line = reader.text();
            if (!record || !line)
                return false;
            replacement.records.append(*record);
            replacement.lines.append(*line);
        }
        if (!reader.atEnd())
            return false;
        list = std::move(replacement);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

QByteArray journalHeader()
{
    QByteArray bytes(Magic, MagicSize);
    appendNumber(bytes, FormatVersion);
    return bytes;
}

QByteArray journalNoteAdded(const QString &record, const QString &line)
{
    QByteArray payload;
    appendText(payload, record);
    appendText(payload, line);
    return entry(NoteAdded, payload);
}

QByteArray journalLineChanged(int row, const QString &record, const QString &line)
{
    QByteArray payload;
    appendNumber(payload, quint32(row));
    appendText(payload, record);
    appendText(payload, line);
    return entry(LineChanged, payload);
}

QByteArray journalLineRemoved(int row)
{
    QByteArray payload;
    appendNumber(payload, quint32(row));
    return entry(LineRemoved, payload);
}

QByteArray journalListReplaced(const NoteLines &list)
{
    QByteArray payload;
    appendNumber(payload, quint32(list.records.size()));
    for (qsizetype i = 0; i < list.records.size(); ++i) {
        appendText(payload, list.records.at(i));
        appendText(payload, list.lines.at(i));
    }
    return entry(ListReplaced, payload);
}

JournalContents readJournal(QByteArrayView bytes)
{
    JournalContents contents;
    if (bytes.size() < HeaderSize || bytes.first(MagicSize) != QByteArrayView(Magic, MagicSize))
        return contents;
    const quint32 version = qFromLittleEndian<quint32>(bytes.data() + MagicSize);
    if (version > FormatVersion) {
        contents.kind = JournalContents::Kind::NewerFormat;
        return contents;
    }
    if (version != FormatVersion)
        return contents;

    contents.kind = JournalContents::Kind::Journal;
    qsizetype at = HeaderSize;
    while (bytes.size() - at >= EntryFrameSize) {
        const quint32 payloadSize = qFromLittleEndian<quint32>(bytes.data() + at);
        if (payloadSize > quint64(bytes.size() - at - EntryFrameSize))
            break;
        const qsizetype checkAt = at + 5 + qsizetype(payloadSize);
        if (bytes.sliced(checkAt, 4) != check(bytes.sliced(at, checkAt - at)) ||
            !apply(bytes[at + 4], bytes.sliced(at + 5, payloadSize), contents.list))
            break;
        at = checkAt + 4;
    }
    contents.wholeBytes = at;
    return contents;
}
