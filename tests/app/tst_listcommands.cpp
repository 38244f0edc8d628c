#include "FormFixture.h"

#include "ListBox.h"
#include "Panel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using Strings = QStringList;
using NoteList = std::vector<int>;

namespace {

// NoteList the window's enabling and showing of the change panel's three parties.
class PanelLog : public QObject
{
public:
    explicit PanelLog(const std::vector<QWidget *> &watched)
    {
        for (QWidget *widget : watched)
            widget->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *widget = static_cast<QWidget *>(watched);
        const QString name = widget->objectName();
        if (event->type() == QEvent::EnabledChange)
            entries << name + (widget->isEnabled() ? " enabled" : " disabled");
        else if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            entries << name + (event->type() == QEvent::Show ? " shown" : " hidden");
        return false;
    }
    Strings entries;
};

} // namespace

// "Yeni", deleting and changing the selected note, and listening to notes.
class ListCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void comboOffersTheEighteenNotesAllAtOnce();
    void yeni_data();
    void yeni();
    void refusals_data();
    void refusals();
    void deleteRemovesTheSelectedLineFromBoth();
    void change_data();
    void change();
    void listenThenCancel();
    void changeAfterTheLineWasDeleted();
    void panelInItsOrder_data();
    void panelInItsOrder();
    void altKeysPressThePanelButtons();
    void listenToTheNoteBeingChanged_data();
    void listenToTheNoteBeingChanged();
    void doubleClickListensToTheLine();
    void clicksOnTheList();
    void selectionSurvivesBlankAndCtrlClicks();

private:
    void trigger(const char *command) { m_f->form->findChild<QAction *>(command)->trigger(); }
    void click(const char *button) { QTest::mouseClick(m_f->child<QAbstractButton>(button), Qt::LeftButton); }
    void clickLine(int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(lines()->viewport(), button, {}, lines()->visualItemRect(lines()->item(row)).center());
    }
    void setList(const Strings &noteRecords, const Strings &displayLines)
    {
        records()->clear();
        lines()->clear();
        records()->addItems(noteRecords);
        lines()->addItems(displayLines);
    }
    // Runs during inside a recording that noteRecords and displayLines replace, and
    // remembers whether it stopped the recording.
    void duringRecording(const Strings &noteRecords, const Strings &displayLines, const std::function<void()> &during)
    {
        m_f->pump.inTick(2, [=, this] {
            setList(noteRecords, displayLines);
            during();
            m_stoppedAfter = m_f->form->state().RecordStopped;
            m_f->form->SpeedButton8Click();
        });
        m_f->form->findChild<QAction *>("N0")->trigger();
    }
    QListWidget *records() const { return m_f->child<QListWidget>("Nota_Listesi"); }
    ListBox *lines() const { return m_f->child<ListBox>("ListBox1"); }
    QComboBox *combo() const { return m_f->child<QComboBox>("ComboBox1"); }
    QWidget *panel() const { return m_f->child<QWidget>("Panel1"); }
    QString text(const char *label) const { return m_f->child<QLabel>(label)->text(); }
    static Strings items(const QListWidget *list)
    {
        Strings texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    void verifyPanelClosed() const
    {
        QVERIFY(panel()->isHidden());
        QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());
        QVERIFY(m_f->child<QWidget>("BaslikC")->isEnabled());
        // Space would open the hidden drop-down list if it kept the keyboard.
        QVERIFY(!panel()->isAncestorOf(m_f->form->focusWidget()));
    }
    Strings boxTexts() const
    {
        Strings texts;
        for (const MessageBox::Shown &box : m_f->boxes)
            texts << box.text;
        return texts;
    }

    std::unique_ptr<FormFixture> m_f;
    bool m_stoppedAtBox = false;
    bool m_stoppedAfter = false;
};

void ListCommandsTest::init()
{
    m_f = std::make_unique<FormFixture>();
    MessageBox::setAnswerer([this](const MessageBox::Shown &shown) {
        m_f->boxes.push_back(shown);
        m_stoppedAtBox = m_f->form->state().RecordStopped;
        return m_f->answer;
    });
    m_f->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f->form.get()));
}

void ListCommandsTest::cleanup()
{
    m_f.reset();
}

void ListCommandsTest::comboOffersTheEighteenNotesAllAtOnce()
{
    const Strings expected = {"DO (00)", "RE (01)",  "Mİ (02)", "FA (03)", "SOL (04)", "LA (05)",
                              "Sİ (06)", "DO (07)",  "# (08)",  "DO (09)", "RE (10)",  "Mİ (11)",
                              "FA (12)", "SOL (13)", "LA (14)", "Sİ (15)", "DO (16)",  "# (17)"};
    Strings shown;
    for (int i = 0; i < combo()->count(); ++i)
        shown << combo()->itemText(i);
    QCOMPARE(shown, expected);
    QVERIFY(!combo()->isEditable());

    panel()->show();
    combo()->showPopup();
    QAbstractItemView *view = combo()->view();
    QTRY_VERIFY(view->isVisible());
    // Not one line scrolled away: the first at the top, the last inside the view.
    QCOMPARE(view->visualRect(view->model()->index(0, 0)).top(), 0);
    QVERIFY(view->visualRect(view->model()->index(17, 0)).bottom() < view->viewport()->height());
    combo()->hidePopup();
}

void ListCommandsTest::yeni_data()
{
    QTest::addColumn<Strings>("noteRecords");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("empty list: no question") << Strings{} << QMessageBox::No << false << true;
    QTest::newRow("answered Yes") << Strings{"00=0", "05=12"} << QMessageBox::Yes << true << true;
    QTest::newRow("answered No") << Strings{"00=0", "05=12"} << QMessageBox::No << true << false;
}

void ListCommandsTest::yeni()
{
    QFETCH(Strings, noteRecords);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, emptied);
    m_f->answer = answer;
    duringRecording(noteRecords, noteRecords, [this] { trigger("YeniListe1"); });

    QCOMPARE(boxTexts(), asked ? Strings{"Listedeki Notalar Temizlenecek. Devam mı?"} : Strings{});
    if (asked) {
        QCOMPARE(m_f->boxes[0].caption, QStringLiteral("Yeni"));
        QCOMPARE(m_f->boxes[0].icon, QMessageBox::Information);
        QCOMPARE(m_f->boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(!m_stoppedAtBox);
    }
    QCOMPARE(m_stoppedAfter, emptied);
    QCOMPARE(items(records()), emptied ? Strings{} : noteRecords);
    QCOMPARE(items(lines()), emptied ? Strings{} : noteRecords);
    if (emptied)
        QCOMPARE(text("Label5"), QStringLiteral("Toplam Nota Sayısı : 0"));
}

void ListCommandsTest::refusals_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<Strings>("noteRecords");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("stopsFirst");
    const Strings two = {"00=0", "01=3"};
    QTest::newRow("delete, empty list") << QByteArray("SeiliNotaSil1") << Strings{} << QMessageBox::Warning
                                        << "Listede Hiçbir Nota Bulunamadı..." << false;
    QTest::newRow("delete, nothing selected")
        << QByteArray("SeiliNotaSil1") << two << QMessageBox::Critical << "Silinecek Notayı Seçmelisiniz..." << false;
    QTest::newRow("change, empty list") << QByteArray("SeiliNotadeitir1") << Strings{} << QMessageBox::Critical
                                        << "Listede Değiştirilecek Nota Bulunamadı..." << false;
    QTest::newRow("change, nothing selected")
        << QByteArray("SeiliNotadeitir1") << two << QMessageBox::Critical << "Seçili Nota Bulunamadı..." << true;
}

void ListCommandsTest::refusals()
{
    QFETCH(QByteArray, command);
    QFETCH(Strings, noteRecords);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QString, message);
    QFETCH(bool, stopsFirst);
    duringRecording(noteRecords, noteRecords, [&] { trigger(command.constData()); });

    QCOMPARE(boxTexts(), Strings{message});
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral("Hata"));
    QCOMPARE(m_f->boxes[0].icon, icon);
    QCOMPARE(m_f->boxes[0].buttons, QMessageBox::Ok);
    QCOMPARE(m_stoppedAtBox, stopsFirst);
    QCOMPARE(m_stoppedAfter, stopsFirst);
    QCOMPARE(items(records()), noteRecords);
    QVERIFY(panel()->isHidden());
}

void ListCommandsTest::deleteRemovesTheSelectedLineFromBoth()
{
    duringRecording({"00=0", "01=3", "02=7"}, {"DO (00)", "RE (01)", "Mİ (02)"}, [this] {
        clickLine(1);
        trigger("SeiliNotaSil1");
    });
    QVERIFY(m_stoppedAfter);
    QVERIFY(m_f->boxes.empty());
    QCOMPARE(items(records()), (Strings{"00=0", "02=7"}));
    QCOMPARE(items(lines()), (Strings{"DO (00)", "Mİ (02)"}));
    QCOMPARE(text("Label5"), QStringLiteral("Toplam Nota Sayısı : 2"));
    QVERIFY(lines()->selectedItems().isEmpty());
    QVERIFY(records()->selectedItems().isEmpty());
}

void ListCommandsTest::change_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("newNote");
    QTest::addColumn<QString>("newRecord");
    QTest::addColumn<QString>("newLine");
    QTest::newRow("recorded line") << "13=1532"
                                   << "SOL (13)" << 3 << "03=1532"
                                   << "FA (03)";
    QTest::newRow("opened line") << "08=20"
                                 << "#  (08)" << 17 << "17=20"
                                 << "# (17)";
    QTest::newRow("record of two characters") << "05"
                                              << "LA(05)" << 1 << "01"
                                              << "RE (01)";
}

void ListCommandsTest::change()
{
    QFETCH(QString, record);
    QFETCH(QString, line);
    QFETCH(int, newNote);
    QFETCH(QString, newRecord);
    QFETCH(QString, newLine);
    setList({"00=4", record, "02=9"}, {"DO (00)", line, "Mİ (02)"});
    clickLine(1);
    combo()->setCurrentIndex(5);
    trigger("SeiliNotadeitir1");
    QVERIFY(panel()->isVisible());
    QCOMPARE(text("Label4"), line);
    QCOMPARE(combo()->currentText(), QStringLiteral("DO (00)"));
    QCOMPARE(records()->currentRow(), 1);

    combo()->setCurrentIndex(newNote);
    combo()->setFocus();
    click("SpeedButton2");
    QCOMPARE(items(records()), (Strings{"00=4", newRecord, "02=9"}));
    QCOMPARE(items(lines()), (Strings{"DO (00)", newLine, "Mİ (02)"}));
    QVERIFY(lines()->item(1)->isSelected());
    verifyPanelClosed();
    QVERIFY(m_f->sound.played().empty());
    QVERIFY(m_f->boxes.empty());
}

void ListCommandsTest::listenThenCancel()
{
    const Strings noteRecords = {"00=4", "13=1532"};
    const Strings displayLines = {"DO (00)", "SOL (13)"};
    duringRecording(noteRecords, displayLines, [this] {
        clickLine(1);
        trigger("SeiliNotadeitir1");
        combo()->setCurrentIndex(13);
        click("SpeedButton1");
        QCOMPARE(m_f->form->focusWidget(), combo());
        click("SpeedButton3");
    });
    // The recording's own note, then the listened one; nothing more recorded.
    QCOMPARE(m_f->playedNotes(), (NoteList{0, 13}));
    QVERIFY(m_stoppedAfter);
    QCOMPARE(items(records()), noteRecords);
    QCOMPARE(items(lines()), displayLines);
    verifyPanelClosed();
}

void ListCommandsTest::changeAfterTheLineWasDeleted()
{
    setList({"00=4", "13=1532"}, {"DO (00)", "SOL (13)"});
    clickLine(1);
    trigger("SeiliNotadeitir1");
    trigger("SeiliNotaSil1");
    click("SpeedButton2");
    QCOMPARE(boxTexts(), Strings{"List index out of bounds (-1)"});
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
    QCOMPARE(items(records()), Strings{"00=4"});
    QCOMPARE(items(lines()), Strings{"DO (00)"});
    QVERIFY(panel()->isVisible());
    click("SpeedButton3");
    verifyPanelClosed();
}

void ListCommandsTest::panelInItsOrder_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<Strings>("order");
    QTest::newRow("open") << QByteArray() << Strings{"Kontroller disabled", "Panel1 shown", "BaslikC disabled"};
    QTest::newRow("change") << QByteArray("SpeedButton2")
                            << Strings{"Panel1 hidden", "Kontroller enabled", "BaslikC enabled"};
    QTest::newRow("cancel") << QByteArray("SpeedButton3")
                            << Strings{"Kontroller enabled", "Panel1 hidden", "BaslikC enabled"};
}

void ListCommandsTest::panelInItsOrder()
{
    QFETCH(QByteArray, button);
    QFETCH(Strings, order);
    setList({"00=4"}, {"DO (00)"});
    clickLine(0);
    PanelLog log({m_f->child<QWidget>("Kontroller"), panel(), m_f->child<QWidget>("BaslikC")});
    trigger("SeiliNotadeitir1");
    if (!button.isEmpty()) {
        log.entries.clear();
        click(button.constData());
    }
    QCOMPARE(log.entries, order);
}

void ListCommandsTest::altKeysPressThePanelButtons()
{
    setList({"00=4", "04=3"}, {"DO (00)", "SOL (04)"});
    clickLine(1);
    trigger("SeiliNotadeitir1");
    m_f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f->form.get()));

    QTest::keyClick(m_f->form.get(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(m_f->playedNotes(), NoteList{4});
    QTest::keyClick(m_f->form.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(m_f->playedNotes(), (NoteList{4, 0}));
    QTest::keyClick(m_f->form.get(), Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(panel()->isHidden());

    trigger("SeiliNotadeitir1");
    combo()->setCurrentIndex(5);
    QTest::keyClick(m_f->form.get(), Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(items(records()), (Strings{"00=4", "05=3"}));
    QCOMPARE(items(lines()), (Strings{"DO (00)", "LA (05)"}));
    verifyPanelClosed();
}

void ListCommandsTest::listenToTheNoteBeingChanged_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<NoteList>("played");
    QTest::addColumn<Strings>("errors");
    QTest::newRow("recorded line") << "SOL (04)" << NoteList{4} << Strings{};
    QTest::newRow("opened line") << "#  (08)" << NoteList{8} << Strings{};
    QTest::newRow("one character") << "7" << NoteList{7} << Strings{};
    QTest::newRow("no number") << "7=" << NoteList{} << Strings{"'7=' is not a valid integer value."};
    QTest::newRow("beyond the notes") << "XX (18)" << NoteList{} << Strings{"List index out of bounds (18)"};
}

void ListCommandsTest::listenToTheNoteBeingChanged()
{
    QFETCH(QString, caption);
    QFETCH(NoteList, played);
    QFETCH(Strings, errors);
    m_f->child<QLabel>("Label4")->setText(caption);
    click("SpeedButton4");
    QCOMPARE(m_f->playedNotes(), played);
    QCOMPARE(boxTexts(), errors);
    QVERIFY(records()->count() == 0);
}

void ListCommandsTest::doubleClickListensToTheLine()
{
    QTest::mouseDClick(lines()->viewport(), Qt::LeftButton);
    QCOMPARE(boxTexts(), Strings{"List index out of bounds (-1)"});

    setList({"00=4", "11=0"}, {"DO (00)", "Mİ (11)"});
    QTest::mouseDClick(lines()->viewport(), Qt::LeftButton, {}, lines()->visualItemRect(lines()->item(1)).center());
    QCOMPARE(m_f->playedNotes(), NoteList{11});
    QCOMPARE(text("Label4"), QStringLiteral("Mİ (11)"));
    QCOMPARE(items(records()), (Strings{"00=4", "11=0"}));
}

void ListCommandsTest::clicksOnTheList()
{
    setList({"00=4", "01=0", "02=1"}, {"DO (00)", "RE (01)", "Mİ (02)"});
    clickLine(2);
    QCOMPARE(records()->currentRow(), 2);
    QTest::keyClick(lines(), Qt::Key_Up);
    QCOMPARE(records()->currentRow(), 1);
    // A right click opens the menu and leaves the selection where it was.
    clickLine(0, Qt::RightButton);
    QCOMPARE(lines()->currentRow(), 1);
    QVERIFY(lines()->item(1)->isSelected());
    // Nor does a right double click play, or reach the panel below, whose double click shows or hides the list.
    QSignalSpy panelDoubleClicks(m_f->child<Panel>("Kontroller"), &Panel::doubleClicked);
    QTest::mouseDClick(lines()->viewport(), Qt::RightButton, {}, lines()->visualItemRect(lines()->item(0)).center());
    QCOMPARE(panelDoubleClicks.count(), 0);
    QVERIFY(m_f->sound.played().empty());
    QCOMPARE(lines()->currentRow(), 1);
}

// A line once chosen stays chosen, as in any list that holds one choice: a click
// beside the lines and a Ctrl+click or Ctrl+Space on it keep it, so the commands
// that act on the selected line still find it.
void ListCommandsTest::selectionSurvivesBlankAndCtrlClicks()
{
    setList({"00=4", "11=0", "02=1"}, {"DO (00)", "Mİ (11)", "Mİ (02)"});
    clickLine(1);
    const QPoint blank = lines()->visualItemRect(lines()->item(2)).center() + QPoint(0, 40);
    QTest::mouseClick(lines()->viewport(), Qt::LeftButton, {}, blank);
    QTest::mouseClick(lines()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      lines()->visualItemRect(lines()->item(1)).center());
    QTest::keyClick(lines(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(lines()->item(1)->isSelected());
    QCOMPARE(records()->currentRow(), 1);

    QTest::mouseDClick(lines()->viewport(), Qt::LeftButton, {}, blank);
    QCOMPARE(m_f->playedNotes(), NoteList{11});
    trigger("SeiliNotaSil1");
    QCOMPARE(boxTexts(), Strings{});
    QCOMPARE(items(records()), (Strings{"00=4", "02=1"}));
}

QTEST_MAIN(ListCommandsTest)
#include "tst_listcommands.moc"
