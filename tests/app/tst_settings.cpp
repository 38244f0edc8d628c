#include "FakeSettingsStore.h"
#include "FormFixture.h"
#ifndef Q_OS_WIN
#include "FullDisk.h"
#endif

#include "ColorDialog.h"
#include "Colors.h"
#include "ListBox.h"
#include "NoteButton.h"
#include "Panel.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

constexpr ColorValue Red = 0x000000FF;
const char *const TenNames[] = {"kc", "ir", "zr", "by", "bz", "lz", "ly", "artirma", "Gorunum", "Klavye"};
const char *const NoteKind[] = {
    "N0I", "N1I", "N2I", "N3I", "N4I", "N5I", "N6I", "N7I",          "N8I",          "N0N",          "N1N",
    "N2N", "N3N", "N4N", "N5N", "N6N", "N7N", "N8N", "SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};

QStringList storedTexts(const FormFixture &f)
{
    QSettings saved(f.settings->fileName(), QSettings::IniFormat);
    QStringList texts;
    for (const char *name : TenNames)
        texts << saved.value(QStringLiteral("MorvilAyar/") + QLatin1String(name)).toString();
    return texts;
}

std::function<void(QSettings &)> storing(const QStringList &namesAndTexts)
{
    return [namesAndTexts](QSettings &settings) {
        for (qsizetype i = 0; i + 1 < namesAndTexts.size(); i += 2)
            settings.setValue(namesAndTexts[i], namesAndTexts[i + 1]);
    };
}

// The value each colour setting is saved from.
ColorValue savedFrom(const FormFixture &f, const QString &setting)
{
    const auto *button = f.child<NoteButton>("N0I");
    const auto *list = f.child<ListBox>("ListBox1");
    const std::map<QString, ColorValue> values = {
        {"kc", f.form->color()},
        {"ir", f.child<Panel>("Panel1")->color()},
        {"zr", f.child<Panel>("Kontroller")->color()},
        {"by", button->fontColor()},
        {"bz", button->color()},
        {"lz", list->color()},
        {"ly", list->fontColor()},
    };
    return values.at(setting);
}

// Closes the window in the main loop; returns 0 when the close ended the program,
// 7 when the program was still running a while after it. The program ends when
// the main loop next waits, well before the 7.
int closeInTheMainLoop(FormFixture &f)
{
    QTimer::singleShot(0, [&f] {
        f.form->close();
        QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
    });
    return QApplication::exec();
}

} // namespace

// Loading the ten settings at creation, saving them at every close request, and
// the colour commands between.
class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ColorDialog::setPicker({}); }

    void firstRunSavesTheDesignAtACancelledClose();
    void defaultsAreSavedAsTheirTexts();
    void storedSettingsApplyAtTheNextStart();
    void storedNumbers_data();
    void storedNumbers();
    void badColourTextKeepsTheColoursBeforeIt_data();
    void badColourTextKeepsTheColoursBeforeIt();
    void valueOfAnotherTypeStopsLoading();
    void storeThatCannotBeCreatedIsSilent();
    void failedWriteReportsAndKeepsTheWindow();
    void tenValuesInOrderAndTheLayoutOnlyWhenChecked();
    void colourCommandsRecolourTheirArea();
    void cancelAppliesTheStartValue();
    void buttonFaceLastsUntilANotePlays();
};

void SettingsTest::firstRunSavesTheDesignAtACancelledClose()
{
    FormFixture f;
    f.form->show();
    f.answer = QMessageBox::No;
    f.pump.inTick(3, [&] { f.form->close(); });
    f.form->findChild<QAction *>(QStringLiteral("N0"))->trigger();
    QCOMPARE(f.boxes.size(), size_t(1));
    QVERIFY(f.form->isVisible());
    QCOMPARE(storedTexts(f), (QStringList{"clBlack", "clBtnFace", "$00C2D1D1", "$00AE5700", "$00C2D1D1", "clWindow",
                                          "clWindowText", "500", "0", "0"}));
}

void SettingsTest::defaultsAreSavedAsTheirTexts()
{
    FormFixture f;
    f.form->show();
    f.form->findChild<QAction *>(QStringLiteral("VarsaylanRenkAyarlar1"))->trigger();
    QCOMPARE(f.child<Panel>("Panel2")->color(), ColorValue(0x00BDC5C6));
    for (const char *name : NoteKind) {
        QCOMPARE(f.child<NoteButton>(name)->color(), ColorValue(0x00C2D1D1));
        QCOMPARE(f.child<NoteButton>(name)->fontColor(), ColorValue(0x00A56E3A));
    }
    f.form->close();
    QCOMPARE(storedTexts(f).mid(0, 7),
             (QStringList{"clBlack", "$00BDC5C6", "$00C2D1D1", "$00A56E3A", "$00C2D1D1", "$00BDC5C6", "clBlack"}));
}

void SettingsTest::storedSettingsApplyAtTheNextStart()
{
    FormFixture f(
        storing({"kc", "CLWHITE",  "ir", "$00112233", "zr",      "clRed", "by",      "clBlue", "bz",     "clLime",
                 "lz", "clYellow", "ly", "clNavy",    "artirma", "77",    "Gorunum", "125",    "Klavye", "1"}));
    QVERIFY(f.boxes.empty());
    QCOMPARE(f.form->color(), Colors::White);
    QCOMPARE(f.child<Panel>("Panel2")->color(), ColorValue(0x00112233));
    for (const char *name : NoteKind) {
        QCOMPARE(f.child<NoteButton>(name)->fontColor(), ColorValue(0x00FF0000));
        QCOMPARE(f.child<NoteButton>(name)->color(), ColorValue(0x0000FF00));
    }
    f.form->show();
    QCOMPARE(f.form->state().ViewScale, 125);
    QCOMPARE(f.form->size(), QSize(468, 192));
    QVERIFY(f.form->findChild<QAction *>(QStringLiteral("FK"))->isChecked());
    QVERIFY(!f.form->findChild<QAction *>(QStringLiteral("QK"))->isChecked());
    f.form->close();
    QCOMPARE(storedTexts(f), (QStringList{"clWhite", "$00112233", "clRed", "clBlue", "clLime", "clYellow", "clNavy",
                                          "77", "125", "1"}));
}

void SettingsTest::storedNumbers_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QList<qint32>>("numbers"); // IncrementSetting, ViewScale, KeyboardLayout
    QTest::newRow("none") << QStringList{} << QList<qint32>{500, 0, 0};
    QTest::newRow("no integers") << QStringList{"artirma", "", "Gorunum", "abc", "Klavye", "F"}
                                 << QList<qint32>{500, 0, 0};
    QTest::newRow("leading blank") << QStringList{"Gorunum", " 125"} << QList<qint32>{500, 125, 0};
    QTest::newRow("hexadecimal") << QStringList{"Gorunum", "$7D", "Klavye", "0x1"} << QList<qint32>{500, 125, 1};
    QTest::newRow("any integer") << QStringList{"artirma", "-3", "Gorunum", "33", "Klavye", "2"}
                                 << QList<qint32>{-3, 33, 2};
}

void SettingsTest::storedNumbers()
{
    QFETCH(QStringList, stored);
    QFETCH(QList<qint32>, numbers);
    FormFixture f(storing(stored));
    const ProgramState &state = f.form->state();
    QCOMPARE((QList<qint32>{state.IncrementSetting, state.ViewScale, state.KeyboardLayout}), numbers);
    QVERIFY(f.boxes.empty());
}

void SettingsTest::badColourTextKeepsTheColoursBeforeIt_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QStringList>("applied");
    QTest::newRow("zr") << "zr" << QStringList{"kc", "ir"};
    // Applied after the list colours, although read before them.
    QTest::newRow("lz") << "lz" << QStringList{"kc", "ir", "zr"};
    QTest::newRow("bz") << "bz" << QStringList{"kc", "ir", "zr", "lz", "ly", "by"};
}

void SettingsTest::badColourTextKeepsTheColoursBeforeIt()
{
    QFETCH(QString, bad);
    QFETCH(QStringList, applied);
    const QStringList colours = {"kc", "ir", "zr", "by", "bz", "lz", "ly"};
    QStringList stored = {"Gorunum", "90"};
    for (qsizetype i = 0; i < colours.size(); ++i)
        stored << colours[i] << (colours[i] == bad ? QStringLiteral("nope") : QString::number(0x100 + i));
    FormFixture design;
    FormFixture f(storing(stored));
    QCOMPARE(f.boxes.size(), size_t(1));
    QCOMPARE(f.boxes[0].text, QStringLiteral("'nope' is not a valid integer value."));
    QCOMPARE(f.form->state().ViewScale, 90);
    for (qsizetype i = 0; i < colours.size(); ++i) {
        const ColorValue expected = applied.contains(colours[i]) ? 0x100 + i : savedFrom(design, colours[i]);
        QVERIFY2(savedFrom(f, colours[i]) == expected, qPrintable(colours[i]));
    }
}

void SettingsTest::valueOfAnotherTypeStopsLoading()
{
    FormFixture g([&](QSettings &settings) {
        settings.setValue(QStringLiteral("kc"), QStringLiteral("clWhite"));
        settings.setValue(QStringLiteral("ir"), QStringList{"a", "b"});
        settings.setValue(QStringLiteral("Gorunum"), QStringLiteral("125"));
    });
    QCOMPARE(g.boxes.size(), size_t(1));
    QCOMPARE(g.boxes[0].text, QStringLiteral("Invalid data type for 'ir'"));
    QCOMPARE(g.boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
    QCOMPARE(g.form->color(), Colors::Black);
    QCOMPARE(g.form->state().IncrementSetting, 0);
    QCOMPARE(g.form->state().ViewScale, 0);
    g.form->show();
    g.form->close();
    QCOMPARE(storedTexts(g).mid(0, 2), (QStringList{"clBlack", "clBtnFace"}));
    QCOMPARE(storedTexts(g).mid(7), (QStringList{"0", "0", "0"}));
}

void SettingsTest::storeThatCannotBeCreatedIsSilent()
{
    QTemporaryDir dir;
    QFile blocking(dir.filePath(QStringLiteral("Morvil")));
    QVERIFY(blocking.open(QIODevice::WriteOnly));
    QtSettingsStore store(dir.filePath(QStringLiteral("Morvil/morvil.ini")));
    FormFixture f({}, &store);
    QCOMPARE(f.form->state().IncrementSetting, 500);
    f.form->show();
    QCOMPARE(closeInTheMainLoop(f), 0);
    QVERIFY(f.boxes.empty());
}

void SettingsTest::failedWriteReportsAndKeepsTheWindow()
{
    FakeSettingsStore fake;
    fake.failingWrite = QStringLiteral("zr");
    FormFixture f({}, &fake);
    f.form->show();
    QCOMPARE(closeInTheMainLoop(f), 7);
    QCOMPARE(f.boxes.size(), size_t(1));
    QCOMPARE(f.boxes[0].text, QStringLiteral("Failed to set data for 'zr'"));
    QCOMPARE(f.boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(fake.written.size(), size_t(2));

#ifdef Q_OS_WIN
    QSKIP("the settings file on a full disk needs a file size limit of the process, which Windows has not");
#else
    // The real file on a full disk: the first write fails and the old file stays whole.
    FormFixture full(storing({"kc", "clWhite", "Gorunum", "110"}));
    full.form->show();
    QFile file(full.settings->fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    int exitCode = 0;
    {
        const FullDisk disk(old.size() / 2);
        exitCode = closeInTheMainLoop(full);
    }
    QCOMPARE(exitCode, 7);
    QCOMPARE(full.boxes.back().text, QStringLiteral("Failed to set data for 'kc'"));
    file.seek(0);
    QCOMPARE(file.readAll(), old);
#endif
}

void SettingsTest::tenValuesInOrderAndTheLayoutOnlyWhenChecked()
{
    FakeSettingsStore fake;
    FormFixture f({}, &fake);
    f.form->show();
    f.form->close();
    QStringList names;
    for (const auto &[name, text] : fake.written)
        names << name;
    QCOMPARE(names, (QStringList{"kc", "ir", "zr", "by", "bz", "lz", "ly", "artirma", "Gorunum", "Klavye"}));

    FormFixture neither(storing({"Klavye", "2"}));
    neither.form->show();
    neither.form->close();
    QCOMPARE(storedTexts(neither).back(), QStringLiteral("2"));
}

void SettingsTest::colourCommandsRecolourTheirArea()
{
    struct Command
    {
        const char *action;
        const char *setting;
        ColorValue shown; // the reference's design colour the dialog starts at
        std::function<QList<ColorValue>(const FormFixture &)> targets;
    };
    const auto buttons = [](bool font) {
        return [font](const FormFixture &f) {
            QList<ColorValue> values;
            for (const char *name : NoteKind)
                values << (font ? f.child<NoteButton>(name)->fontColor() : f.child<NoteButton>(name)->color());
            return values;
        };
    };
    const Command commands[] = {
        {"enarizgileri1", "kc", Colors::Black, [](const FormFixture &f) { return QList{f.form->color()}; }},
        {"letiRenkleri1", "ir", 0x00C2D1D1,
         [](const FormFixture &f) {
             return QList{f.child<Panel>("Panel1")->color(), f.child<Panel>("Panel2")->color()};
         }},
        {"ZeminRengi1", "zr", 0x00C2D1D1,
         [](const FormFixture &f) { return QList{f.child<Panel>("Kontroller")->color()}; }},
        {"ButonYazRengi1", "by", 0x00AE5700, buttons(true)},
        {"ButonZeminRengi1", "bz", 0x00C2D1D1, buttons(false)},
        {"ListeZeminRengi1", "lz", Colors::WindowBackground,
         [](const FormFixture &f) { return QList{f.child<ListBox>("ListBox1")->color()}; }},
        {"ListeYazRengi1", "ly", Colors::WindowText,
         [](const FormFixture &f) { return QList{f.child<ListBox>("ListBox1")->fontColor()}; }},
    };
    for (const Command &command : commands) {
        FormFixture f;
        f.form->show();
        QColor shown;
        ColorDialog::setPicker([&](const QColor &start) {
            shown = start;
            return QColor(Qt::red);
        });
        const int height = f.form->height();
        f.form->findChild<QAction *>(QString::fromLatin1(command.action))->trigger();
        QVERIFY2(shown == toQColor(command.shown), command.action);
        for (ColorValue value : command.targets(f))
            QVERIFY2(value == Red, command.action);
        QCOMPARE(f.form->height(), height);
        f.form->close();
        QCOMPARE(storedTexts(f).at(QStringList(std::begin(TenNames), std::end(TenNames)).indexOf(command.setting)),
                 QStringLiteral("clRed"));
    }
}

void SettingsTest::cancelAppliesTheStartValue()
{
    FormFixture f;
    f.form->show();
    ColorDialog::setPicker([](const QColor &) { return std::nullopt; });
    for (const char *action : {"letiRenkleri1", "ListeZeminRengi1", "ButonYazRengi1"})
        f.form->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    QCOMPARE(f.child<Panel>("Panel1")->color(), ColorValue(0x00C2D1D1));
    QCOMPARE(f.child<ListBox>("ListBox1")->color(), Colors::WindowBackground);
    QCOMPARE(f.child<NoteButton>("SpeedButton2")->fontColor(), ColorValue(0x00AE5700));
    f.form->close();
    QCOMPARE(storedTexts(f).at(5), QStringLiteral("clWindow"));
}

void SettingsTest::buttonFaceLastsUntilANotePlays()
{
    FormFixture f;
    f.form->show();
    ColorDialog::setPicker([](const QColor &) { return QColor(Qt::red); });
    f.form->findChild<QAction *>(QStringLiteral("ButonZeminRengi1"))->trigger();
    f.pump.inTick(1, [&] { f.form->SpeedButton8Click(); });
    f.form->findChild<QAction *>(QStringLiteral("N2"))->trigger();
    f.form->close();
    QCOMPARE(storedTexts(f).at(4), QStringLiteral("$00C2D1D1"));
    QCOMPARE(f.child<NoteButton>("SpeedButton1")->color(), Red);
    // The list draws the colour it holds.
    f.form->findChild<QAction *>(QStringLiteral("ListeZeminRengi1"))->trigger();
    auto *list = f.child<ListBox>("ListBox1");
    QCOMPARE(list->viewport()->grab().toImage().pixelColor(2, 2), QColor(Qt::red));
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
