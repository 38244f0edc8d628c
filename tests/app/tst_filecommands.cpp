#include "FileContent.h"
#include "FormFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString RecordingWarning = QStringLiteral(
    "Şu An Kayıt Modundasınız.\r\rKayıt İşlemini Otomatik Durdurmak ve İşleme Devam Etmk İstiyormusunuz.");

struct DialogExpectation
{
    const char *command;
    const char *dialog;
    QFileDialog::AcceptMode mode;
    const char *filter;
    const char *suffix;
};

const DialogExpectation Dialogs[] = {
    {"Listekaydet1", "NOTA_KAYDET", QFileDialog::AcceptSave, "Morvil Nota Listesi (*.mnls)|*.mnls", "mnls"},
    {"A1", "NOTA_AC", QFileDialog::AcceptOpen, "Morvil Nota Listesi (*.mnls)|*.mnls", "mnls"},
    {"DntrerekKaydet1", "SaveDialog1", QFileDialog::AcceptSave, "Metin Belgesi (*.txt)|*.txt", "txt"},
};

} // namespace

// Saving the note records, exporting the display lines and opening a note-list
// file, through the window's commands.
class FileCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyListSavesNothingAndAsksNothing();
    void recordingWarningAnsweredNo_data();
    void recordingWarningAnsweredNo();
    void recordingWarningAnsweredYesThenCancelled_data();
    void recordingWarningAnsweredYesThenCancelled();
    void savedAndExportedBytes();
    void openReplacesBothLists();
    void openAndSaveKeepEveryByte();
    void openErrorLeavesTheLists_data();
    void openErrorLeavesTheLists();
    void saveErrorIsReported();
    void realSaveDialogAddsTheSuffixAndAsksBeforeReplacing();
    void realOpenDialog();

private:
    void trigger(const char *command) { m_f->form->findChild<QAction *>(QString::fromLatin1(command))->trigger(); }
    // Records the notes, each the given number of ticks after the one before.
    void record(const std::vector<std::pair<int, qint64>> &notes)
    {
        qint64 tick = 0;
        for (size_t i = 1; i < notes.size(); ++i) {
            tick += notes[i].second;
            m_f->pump.inTick(tick, [this, note = notes[i].first] { press(note); });
        }
        m_f->pump.inTick(tick + 1, [this] { m_f->form->SpeedButton8Click(); });
        press(notes.front().first);
    }
    void press(int note) { m_f->form->findChild<QAction *>(QStringLiteral("N%1").arg(note))->trigger(); }
    QListWidget *records() const { return m_f->child<QListWidget>("Nota_Listesi"); }
    QListWidget *lines() const { return m_f->child<QListWidget>("ListBox1"); }
    QString count() const { return m_f->child<QLabel>("Label5")->text(); }
    static QStringList items(const QListWidget *list)
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    QString path(const char *name) const { return m_f->dir.filePath(QString::fromLatin1(name)); }
    // Answers the next modal dialog: find(dialog) runs once it is shown.
    template <typename Dialog> static void whenShown(std::function<void(Dialog *)> find)
    {
        QTimer::singleShot(0, [find] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return whenShown(find);
            find(dialog);
        });
    }

    static QLineEdit *nameField(QFileDialog *dialog)
    {
        return dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    }
    // Enters a name and clicks Save or Open. (Typing it key by key here lets the
    // completer select the folders on the way, which the e2e test does for real.)
    static void accept(QFileDialog *dialog, const QString &name)
    {
        nameField(dialog)->setText(name);
        auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        for (QAbstractButton *button : buttons->buttons()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                return button->click();
        }
        QFAIL("the dialog has no accept button");
    }

    std::unique_ptr<FormFixture> m_f;
};

void FileCommandsTest::init()
{
    m_f = std::make_unique<FormFixture>();
    m_f->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f->form.get()));
}

void FileCommandsTest::cleanup()
{
    m_f.reset();
}

void FileCommandsTest::emptyListSavesNothingAndAsksNothing()
{
    m_f->chosenFile = path("empty.mnls");
    trigger("Listekaydet1");
    trigger("DntrerekKaydet1");
    QVERIFY(m_f->boxes.empty());
    QVERIFY(m_f->fileDialogs.empty());
    QVERIFY(!QFile::exists(m_f->chosenFile));
}

void FileCommandsTest::recordingWarningAnsweredNo_data()
{
    QTest::addColumn<int>("command");
    for (int i = 0; i < 3; ++i)
        QTest::newRow(Dialogs[i].command) << i;
}

void FileCommandsTest::recordingWarningAnsweredNo()
{
    QFETCH(int, command);
    m_f->answer = QMessageBox::No;
    m_f->pump.inTick(3, [&] {
        trigger(Dialogs[command].command);
        QVERIFY(!m_f->form->state().RecordStopped);
    });
    m_f->pump.inTick(5, [this] { press(2); });
    m_f->pump.inTick(6, [this] { m_f->form->SpeedButton8Click(); });
    press(1);

    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral("UYARI"));
    QCOMPARE(m_f->boxes[0].text, RecordingWarning);
    QCOMPARE(m_f->boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(m_f->boxes[0].defaultButton, QMessageBox::Yes);
    QVERIFY(m_f->fileDialogs.empty());
    // The recording went on and counted the ticks of the question too.
    QCOMPARE(items(records()), (QStringList{"01=0", "02=5"}));
}

void FileCommandsTest::recordingWarningAnsweredYesThenCancelled_data()
{
    recordingWarningAnsweredNo_data();
}

void FileCommandsTest::recordingWarningAnsweredYesThenCancelled()
{
    QFETCH(int, command);
    const DialogExpectation &expected = Dialogs[command];
    m_f->answer = QMessageBox::Yes;
    m_f->pump.inTick(3, [&] { trigger(expected.command); });
    press(1);

    QCOMPARE(m_f->pump.ticks(), 3);
    QVERIFY(m_f->form->state().RecordStopped);
    QVERIFY(m_f->form->state().StopPlaying);
    QCOMPARE(m_f->child<QLabel>("DURUMM")->text(), QStringLiteral("Kayıt İşlemi Tamamlandı"));
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->fileDialogs.size(), size_t(1));
    const FileDialog::Design &shown = m_f->fileDialogs[0];
    QCOMPARE(shown.name, expected.dialog);
    QCOMPARE(shown.mode, expected.mode);
    QCOMPARE(shown.filter, expected.filter);
    QCOMPARE(shown.defaultSuffix, expected.suffix);
    QCOMPARE(items(records()), QStringList{"01=0"});
    QCOMPARE(items(lines()), QStringList{"RE (01)"});
}

// A recorded list shows "SOL (04)"; saved and opened again, it shows "SOL(04)".
void FileCommandsTest::savedAndExportedBytes()
{
    record({{4, 0}, {8, 5}, {2, 17}});
    m_f->chosenFile = path("list.mnls");
    trigger("Listekaydet1");
    QCOMPARE(fileBytes(m_f->chosenFile), QByteArray("04=0\r\n08=5\r\n02=17\r\n"));
    m_f->chosenFile = path("recorded.txt");
    trigger("DntrerekKaydet1");
    QCOMPARE(fileBytes(m_f->chosenFile), QByteArray("SOL (04)\r\n# (08)\r\nM\xDD (02)\r\n"));

    m_f->chosenFile = path("list.mnls");
    trigger("A1");
    m_f->chosenFile = path("opened.txt");
    trigger("DntrerekKaydet1");
    QCOMPARE(fileBytes(m_f->chosenFile), QByteArray("SOL(04)\r\n#  (08)\r\nM\xDD (02)\r\n"));
    QVERIFY(m_f->boxes.empty());
}

void FileCommandsTest::openReplacesBothLists()
{
    record({{0, 0}, {1, 3}});
    lines()->setCurrentRow(1);
    records()->setCurrentRow(1);
    writeFile(path("crafted.mnls"), "00=5\r\n\r\n01=7\n18=5\r7=5\n\r08=3");
    m_f->chosenFile = path("crafted.mnls");
    trigger("A1");

    QCOMPARE(items(records()), (QStringList{"00=5", "", "01=7", "18=5", "7=5", "", "08=3"}));
    QCOMPARE(items(lines()), (QStringList{"DO (00)", "", "RE (01)", "18", "7=", "", "#  (08)"}));
    QCOMPARE(count(), QStringLiteral("Toplam Nota Sayısı : 7"));
    QCOMPARE(lines()->currentRow(), -1);
    QCOMPARE(records()->currentRow(), -1);
    QVERIFY(lines()->selectedItems().isEmpty());
    QVERIFY(m_f->form->isEnabled());

    writeFile(path("empty.mnls"), "");
    m_f->chosenFile = path("empty.mnls");
    trigger("A1");
    QCOMPARE(records()->count(), 0);
    QCOMPARE(lines()->count(), 0);
    QCOMPARE(count(), QStringLiteral("Toplam Nota Sayısı : 0"));
}

// Every byte value but NUL, CR and LF, the seven undefined in Windows-1254 among them.
void FileCommandsTest::openAndSaveKeepEveryByte()
{
    QByteArray bytes;
    for (int value = 1; value < 256; ++value) {
        if (value != '\r' && value != '\n')
            bytes.append(char(value));
        if (value % 8 == 0)
            bytes.append("\r\n");
    }
    bytes.append("\r\n");
    writeFile(path("bytes.mnls"), bytes);
    m_f->chosenFile = path("bytes.mnls");
    trigger("A1");
    m_f->chosenFile = path("saved.mnls");
    trigger("Listekaydet1");
    QCOMPARE(fileBytes(m_f->chosenFile), bytes);
}

void FileCommandsTest::openErrorLeavesTheLists_data()
{
    QTest::addColumn<bool>("deletedAfterTheDialog");
    QTest::addColumn<bool>("fromCommandLine");
    QTest::newRow("never there") << false << false;
    QTest::newRow("deleted between the dialog and the read") << true << false;
    QTest::newRow("given on the command line") << false << true;
}

void FileCommandsTest::openErrorLeavesTheLists()
{
    QFETCH(bool, deletedAfterTheDialog);
    QFETCH(bool, fromCommandLine);
    record({{5, 0}});
    const QString chosen = path("gone.mnls");
    if (deletedAfterTheDialog) {
        writeFile(chosen, "00=1\r\n");
        FileDialog::setAnswerer([&](const FileDialog::Design &) {
            QFile::remove(chosen);
            return chosen;
        });
    } else {
        m_f->chosenFile = chosen;
    }
    fromCommandLine ? m_f->form->openGivenNoteList(chosen) : trigger("A1");

    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
    QCOMPARE(m_f->boxes[0].text, QStringLiteral("Cannot open file \"%1\". %2.")
                                      .arg(QDir::toNativeSeparators(chosen), missingFileReason()));
    QCOMPARE(items(records()), QStringList{"05=0"});
    QCOMPARE(items(lines()), QStringList{"LA (05)"});
    QVERIFY(m_f->form->isEnabled());
}

void FileCommandsTest::saveErrorIsReported()
{
    record({{5, 0}});
    m_f->chosenFile = path("missing/list.mnls");
    trigger("Listekaydet1");
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].text,
             QStringLiteral("Cannot create file \"%1\". %2.")
                 .arg(QDir::toNativeSeparators(m_f->chosenFile), missingFolderReason()));
    QCOMPARE(items(records()), QStringList{"05=0"});
}

void FileCommandsTest::realSaveDialogAddsTheSuffixAndAsksBeforeReplacing()
{
#ifdef Q_OS_WIN
    QSKIP("on Windows the dialog is the system's own, which a test cannot type into");
#endif
    FileDialog::setAnswerer({});
    record({{3, 0}, {12, 9}});
    const QString bare = path("liste");
    const auto typeName = [bare](QFileDialog *dialog) {
        QVERIFY(nameField(dialog)->text().isEmpty());
        accept(dialog, bare);
    };
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("NOTA_KAYDET"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), QStringList{"Morvil Nota Listesi (*.mnls)"});
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("mnls"));
        typeName(dialog);
    });
    trigger("Listekaydet1");
    QCOMPARE(fileBytes(bare + QStringLiteral(".mnls")), QByteArray("03=0\r\n12=9\r\n"));

    // The same name again: the dialog asks, and No keeps the old file.
    bool asked = false;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        whenShown<QMessageBox>([&, dialog](QMessageBox *question) {
            asked = true;
            question->button(QMessageBox::No)->click();
            whenShown<QFileDialog>([](QFileDialog *stillOpen) { stillOpen->reject(); });
        });
        typeName(dialog);
    });
    writeFile(bare + QStringLiteral(".mnls"), "old");
    trigger("Listekaydet1");
    QVERIFY(asked);
    QCOMPARE(fileBytes(bare + QStringLiteral(".mnls")), QByteArray("old"));

    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("SaveDialog1"));
        QCOMPARE(dialog->nameFilters(), QStringList{"Metin Belgesi (*.txt)"});
        typeName(dialog);
    });
    trigger("DntrerekKaydet1");
    QCOMPARE(fileBytes(bare + QStringLiteral(".txt")), QByteArray("FA (03)\r\nFA (12)\r\n"));
}

void FileCommandsTest::realOpenDialog()
{
#ifdef Q_OS_WIN
    QSKIP("on Windows the dialog is the system's own, which a test cannot type into");
#endif
    FileDialog::setAnswerer({});
    writeFile(path("tune.mnls"), "04=1\r\n13=2\r\n");
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("NOTA_AC"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->nameFilters(), QStringList{"Morvil Nota Listesi (*.mnls)"});
        QVERIFY(nameField(dialog)->text().isEmpty());
        accept(dialog, path("tune"));
    });
    trigger("A1");
    QCOMPARE(items(lines()), (QStringList{"SOL(04)", "SOL(13)"}));
}

QTEST_MAIN(FileCommandsTest)
#include "tst_filecommands.moc"
