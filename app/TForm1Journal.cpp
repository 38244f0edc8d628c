#include "TForm1.h"
#include "ui_TForm1.h"

#include "Error.h"
#include "MessageBox.h"

bool TForm1::startJournal(const QString &folder)
{
    try {
        if (std::optional<LeftJournal> left = LeftJournal::claimNewest(folder)) {
            if (offerLeftList(left->list())) {
                showList(left->list());
                m_journal.adopt(*left);
                return true;
            }
            left->discard();
        }
        m_journal.start(folder);
    } catch (const Error &error) {
        // Morvil plays and records as well without it; only the safety net is missing.
        qWarning("No recovery journal: %s", qPrintable(error.text()));
    }
    return false;
}

bool TForm1::offerLeftList(const NoteLines &list)
{
    const QString text = QStringLiteral("Morvil son çalışmasında beklenmedik biçimde kapandı.\r\r"
                                        "Listedeki %1 nota geri getirilebilir. Geri getirilsin mi?")
                             .arg(list.records.size());
    return MessageBox::show(this, QMessageBox::Warning, QStringLiteral("UYARI"), text,
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

// Replaces both lists, with no line selected.
void TForm1::showList(const NoteLines &list)
{
    ui->Nota_Listesi->clear();
    ui->Nota_Listesi->addItems(list.records);
    ui->ListBox1->clear();
    ui->ListBox1->addItems(list.lines);
    UpdateNoteCount();
}
