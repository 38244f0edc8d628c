// Any bytes read as a recovery journal: reading must neither fail nor hang, the
// two lists must stay parallel, the whole entries found must read back alone to
// the same list, and an entry appended after them must be read too, as when a
// start goes on with a left journal.

#include "JournalFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const JournalContents contents = readJournal(bytes);
    const qsizetype notes = contents.list.records.size();
    if (contents.list.lines.size() != notes || contents.wholeBytes > bytes.size())
        std::abort();
    if (contents.kind != JournalContents::Kind::Journal) {
        if (notes != 0 || contents.wholeBytes != 0)
            std::abort();
        return 0;
    }

    const QByteArray whole = bytes.first(contents.wholeBytes).toByteArray();
    const JournalContents again = readJournal(whole);
    const QByteArray goneOn = whole + journalNoteAdded(QStringLiteral("00=0"), QStringLiteral("DO (00)"));
    const JournalContents more = readJournal(goneOn);
    if (again.list != contents.list || again.wholeBytes != whole.size() || more.list.records.size() != notes + 1 ||
        more.wholeBytes != goneOn.size())
        std::abort();
    return 0;
}
