#include "FileContent.h"
#include "FormFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <optional>

// What a Morvil that did not end normally leaves is offered at the next start and
// comes back exactly as the window showed it.
class JournalRecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void everyChangeComesBackNoDiscardsIt();

private:
    // A window started as main() starts it; the one before it goes without a normal end, as in a crash.
    void start(QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        m_f.reset();
        m_f.emplace();
        m_f->answer = answer;
        m_f->form->show();
        m_f->form->startJournal(m_journals.path());
    }
    void crashAndBringBack();
    // A recording of notes three ticks apart, stopped after the last.
    void record(const std::vector<int> &notes)
    {
        const auto press = [this](int note) {
            m_f->form->findChild<QAction *>(QStringLiteral("N%1").arg(note))->trigger();
        };
        for (std::size_t i = 1; i < notes.size(); ++i)
            m_f->pump.inTick(qint64(3 * i), [press, note = notes[i]] { press(note); });
        m_f->pump.inTick(qint64(3 * notes.size()), [this] { m_f->form->SpeedButton8Click(); });
        press(notes.front());
    }
    QListWidget *list(const char *name) const { return m_f->child<QListWidget>(name); }
    // The count and both lists, as the window shows them.
    QStringList shown() const
    {
        QStringList texts{m_f->child<QLabel>("Label5")->text()};
        for (const char *name : {"Nota_Listesi", "ListBox1"}) {
            for (const QListWidgetItem *item : list(name)->findItems({}, Qt::MatchStartsWith))
                texts << item->text();
        }
        return texts;
    }

    QTemporaryDir m_journals;
    std::optional<FormFixture> m_f;
};

void JournalRecoveryTest::crashAndBringBack()
{
    const QStringList before = shown();
    start();
    QCOMPARE(m_f->boxes.size(), std::size_t(1));
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral("UYARI"));
    QCOMPARE(m_f->boxes[0].defaultButton, QMessageBox::Yes);
    QVERIFY(m_f->boxes[0].text.contains(QStringLiteral(" %1 nota ").arg(list("Nota_Listesi")->count())));
    QCOMPARE(shown(), before);
    QCOMPARE(list("ListBox1")->selectedItems().size(), 0);
    QVERIFY(m_f->form->state().RecordStopped && !m_f->form->state().Playing);
}

void JournalRecoveryTest::everyChangeComesBackNoDiscardsIt()
{
    start();
    m_f->chosenFile = m_f->dir.filePath("tune.mnls");
    writeFile(m_f->chosenFile, "04=100\r\n08=3\r\n7=\r\n\r\nMi\xDD=2\r\n");
    m_f->form->A1Click();
    record({4, 8, 13});
    list("ListBox1")->setCurrentRow(6);
    m_f->form->SeiliNotadeitir1Click();
    m_f->child<QComboBox>("ComboBox1")->setCurrentIndex(17);
    m_f->form->SpeedButton2Click();
    list("ListBox1")->setCurrentRow(0);
    m_f->form->SeiliNotaSil1Click();
    crashAndBringBack();

    // Brought back, the list is journaled on.
    m_f->form->YeniListe1Click();
    record({0, 2});
    crashAndBringBack();

    start(QMessageBox::No);
    QCOMPARE(list("Nota_Listesi")->count(), 0);
    start();
    QVERIFY(m_f->boxes.empty());
}

QTEST_MAIN(JournalRecoveryTest)
#include "tst_journalrecovery.moc"
