#include "TForm1.h"
#include "ui_TForm1.h"

#include "Error.h"
#include "MessageBox.h"
#include "NoteRecord.h"
#include "NoteTable.h"

namespace {

const QString ErrorCaption = QStringLiteral("Hata");

// The two characters just before the last one: the digits of "SOL (04)"; a text of
// two characters or fewer is taken whole.
QString digitsBeforeLast(const QString &text)
{
    return text.mid(qMax<qsizetype>(0, text.size() - 3), 2);
}

// The line the user sees selected, or -1.
int selectedRow(const QListWidget *list)
{
    const QListWidgetItem *current = list->currentItem();
    return current && current->isSelected() ? list->currentRow() : -1;
}

QListWidgetItem *lineAt(const QListWidget *list, int row)
{
    if (row < 0 || row >= list->count())
        throw Error(QStringLiteral("List index out of bounds (%1)").arg(row));
    return list->item(row);
}

// Removing the selected line leaves no line selected, rather than moving the
// selection on to a neighbour the user never chose.
void removeLine(QListWidget *list, int row)
{
    const bool wasSelected = selectedRow(list) == row;
    delete lineAt(list, row);
    if (wasSelected)
        list->setCurrentRow(-1);
}

} // namespace

void TForm1::connectListControls()
{
    for (int note = 0; note < NoteCount; ++note)
        ui->ComboBox1->addItem(noteDisplayLine(note));

    const std::pair<QAbstractButton *, void (TForm1::*)()> panelButtons[] = {
        {ui->SpeedButton1, &TForm1::SpeedButton1Click},
        {ui->SpeedButton4, &TForm1::SpeedButton4Click},
        {ui->SpeedButton2, &TForm1::SpeedButton2Click},
        {ui->SpeedButton3, &TForm1::SpeedButton3Click},
    };
    for (const auto &[button, handler] : panelButtons)
        connect(button, &QAbstractButton::clicked, this, reportingErrors(handler));
    connect(ui->ListBox1, &ListBox::clickedByUser, this, reportingErrors(&TForm1::ListBox1Click));
    connect(ui->ListBox1, &ListBox::doubleClickedByUser, this, reportingErrors(&TForm1::ListBox1DblClick));
}

void TForm1::YeniListe1Click()
{
    if (ui->Nota_Listesi->count() > 0 && MessageBox::show(this, QMessageBox::Information, QStringLiteral("Yeni"),
                                                          QStringLiteral("Listedeki Notalar Temizlenecek. Devam mı?"),
                                                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    stopRecordingAndPlayback();
    ui->Nota_Listesi->clear();
    ui->ListBox1->clear();
    UpdateNoteCount();
    m_journal.listReplaced({});
}

void TForm1::SeiliNotaSil1Click()
{
    const int line = selectedRow(ui->ListBox1);
    if (ui->ListBox1->count() == 0) {
        MessageBox::show(this, QMessageBox::Warning, ErrorCaption, QStringLiteral("Listede Hiçbir Nota Bulunamadı..."),
                         QMessageBox::Ok);
        return;
    }
    if (line < 0) {
        MessageBox::show(this, QMessageBox::Critical, ErrorCaption, QStringLiteral("Silinecek Notayı Seçmelisiniz..."),
                         QMessageBox::Ok);
        return;
    }
    stopRecordingAndPlayback();
    removeLine(ui->ListBox1, line);
    removeLine(ui->Nota_Listesi, line);
    UpdateNoteCount();
    m_journal.lineRemoved(line);
}

void TForm1::SeiliNotadeitir1Click()
{
    const int line = selectedRow(ui->ListBox1);
    if (ui->ListBox1->count() == 0) {
        MessageBox::show(this, QMessageBox::Critical, ErrorCaption,
                         QStringLiteral("Listede Değiştirilecek Nota Bulunamadı..."), QMessageBox::Ok);
        return;
    }
    // Unlike deleting, changing stops before it looks at the selection.
    stopRecordingAndPlayback();
    if (line < 0) {
        MessageBox::show(this, QMessageBox::Critical, ErrorCaption, QStringLiteral("Seçili Nota Bulunamadı..."),
                         QMessageBox::Ok);
        return;
    }
    ui->Nota_Listesi->setCurrentRow(line);
    ui->ComboBox1->setCurrentIndex(0);
    ui->Label4->setText(lineAt(ui->ListBox1, line)->text());
    fitToText(ui->Label4);

    ui->Kontroller->setEnabled(false);
    ui->Panel1->show();
    ui->BaslikC->setEnabled(false);
}

void TForm1::SpeedButton1Click()
{
    PlaySample(ui->ComboBox1->currentIndex());
    ui->ComboBox1->setFocus();
}

void TForm1::SpeedButton4Click()
{
    PlaySample(toInteger(digitsBeforeLast(ui->Label4->text())));
}

void TForm1::SpeedButton2Click()
{
    // The line selected now: the list may have changed under the open panel.
    const int line = selectedRow(ui->ListBox1);
    const QString newLine = ui->ComboBox1->currentText();
    QListWidgetItem *record = lineAt(ui->Nota_Listesi, line);
    // Only the note changes; "=" and the wait before it stay.
    const QString rest = record->text().mid(2);
    lineAt(ui->ListBox1, line)->setText(newLine);
    record->setText(digitsBeforeLast(newLine) + rest);
    m_journal.lineChanged(line, record->text(), newLine);

    ui->Panel1->hide();
    ui->Kontroller->setEnabled(true);
    ui->BaslikC->setEnabled(true);
    leaveChangePanelFocus();
}

void TForm1::SpeedButton3Click()
{
    ui->Kontroller->setEnabled(true);
    ui->Panel1->hide();
    ui->BaslikC->setEnabled(true);
    leaveChangePanelFocus();
}

// Hiding the panel while the button area is still disabled leaves the keyboard focus
// where it was: Space would then open the hidden drop-down list over the closed
// panel. The hidden edit takes it instead.
void TForm1::leaveChangePanelFocus()
{
    if (ui->Panel1->isAncestorOf(focusWidget()))
        ui->Sets->setFocus();
}

void TForm1::ListBox1Click()
{
    ui->Nota_Listesi->setCurrentRow(selectedRow(ui->ListBox1));
}

void TForm1::ListBox1DblClick()
{
    ui->Label4->setText(lineAt(ui->ListBox1, selectedRow(ui->ListBox1))->text());
    fitToText(ui->Label4);
    SpeedButton4Click();
}
