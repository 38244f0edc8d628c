#include "TForm1.h"
#include "ui_TForm1.h"

#include "ErrorReport.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "NoteListFile.h"

#include <QScopeGuard>

namespace {

const FileDialog::Design NOTA_KAYDET{"NOTA_KAYDET", QFileDialog::AcceptSave, "Morvil Nota Listesi (*.mnls)|*.mnls",
                                     "mnls"};
const FileDialog::Design NOTA_AC{"NOTA_AC", QFileDialog::AcceptOpen, "Morvil Nota Listesi (*.mnls)|*.mnls", "mnls"};
const FileDialog::Design SaveDialog1{"SaveDialog1", QFileDialog::AcceptSave, "Metin Belgesi (*.txt)|*.txt", "txt"};

const QString RecordingWarning = QStringLiteral(
    "Şu An Kayıt Modundasınız.\r\rKayıt İşlemini Otomatik Durdurmak ve İşleme Devam Etmk İstiyormusunuz.");

QStringList lineTexts(const QListWidget *list)
{
    QStringList texts;
    texts.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

} // namespace

void TForm1::Listekaydet1Click()
{
    saveListAs(ui->Nota_Listesi, NOTA_KAYDET);
}

void TForm1::DntrerekKaydet1Click()
{
    saveListAs(ui->ListBox1, SaveDialog1);
}

void TForm1::A1Click()
{
    const QString path = askFileName(NOTA_AC);
    if (!path.isEmpty())
        openNoteList(path);
}

void TForm1::openGivenNoteList(const QString &path)
{
    runReportingErrors(this, [this, &path] { openNoteList(path); });
}

// What "Aç..." does with the file chosen in its dialog.
void TForm1::openNoteList(const QString &path)
{
    {
        // Disabled while reading; enabled again however the reading ends.
        setEnabled(false);
        const auto enable = qScopeGuard([this] { setEnabled(true); });
        const QStringList records = readLinesFile(path);
        QStringList lines;
        lines.reserve(records.size());
        for (const QString &record : records)
            lines.append(openDisplayLine(record));
        const NoteLines opened{records, lines};
        showList(opened);
        m_journal.listReplaced(opened);
    }
}

void TForm1::saveListAs(const QListWidget *list, const FileDialog::Design &dialog)
{
    if (list->count() == 0)
        return;
    const QString path = askFileName(dialog);
    if (!path.isEmpty())
        saveLinesFile(path, lineTexts(list));
}

// The steps every file command takes before it touches a list or a file: a
// running recording is stopped only if the user agrees, then recording and
// playing are stopped in every case. Empty when the user says no or cancels.
QString TForm1::askFileName(const FileDialog::Design &dialog)
{
    if (!m_state.RecordStopped &&
        MessageBox::show(this, QMessageBox::Warning, QStringLiteral("UYARI"), RecordingWarning,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
        return {};
    stopRecordingAndPlayback();
    return FileDialog::getFileName(this, dialog);
}
