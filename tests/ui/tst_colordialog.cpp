#include "ColorDialog.h"
#include "Colors.h"

#include <QApplication>
#include <QColorDialog>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

// The custom colours A to P as the dialog's wells hold them, two rows of eight
// numbered down each column.
QList<QColor> customColors()
{
    QList<QColor> rows(16);
    for (int well = 0; well < 16; ++well)
        rows[well % 2 * 8 + well / 2] = QColorDialog::customColor(well);
    return rows;
}

// Runs `answer` on the real dialog once it is shown.
void whenShown(const std::function<void(QColorDialog *)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
    });
}

} // namespace

// The real colour dialog behind the seam: where it starts, what it gives back
// after OK and Cancel, and its custom colours.
class ColorDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void startsAtTheColourWithTheDesignCustomColours();
    void cancelGivesBackTheStartValueAndForgetsCustomColours();
    void okGivesThePlainColourAndKeepsCustomColours();
    void sharedQtSettingsKeepAnotherProgramsCustomColours();
};

void ColorDialogTest::startsAtTheColourWithTheDesignCustomColours()
{
    QColor shown;
    QList<QColor> custom;
    whenShown([&](QColorDialog *dialog) {
        QVERIFY(dialog->testOption(QColorDialog::DontUseNativeDialog));
        shown = dialog->currentColor();
        custom = customColors();
        dialog->reject();
    });
    ColorDialog::choose(nullptr, Colors::WindowBackground);
    QCOMPARE(shown, toQColor(Colors::WindowBackground));
    const ColorValue design[] = {0x00C2D1D1, 0x0074D6F5, 0x00BDC5C6, 0x00A56D3A, 0x0098BFE7, 0x007EB858,
                                 0x00B3B5BD, 0x00BFB3E3, 0x0016BEC2, 0x008C8C8C, 0x00FFA54A, 0x009D4F00,
                                 0x0077BBFF, 0x00D20000, 0x0097A330, 0x008E8744};
    for (int entry = 0; entry < 16; ++entry)
        QCOMPARE(fromQColor(custom[entry]), design[entry]);
}

void ColorDialogTest::cancelGivesBackTheStartValueAndForgetsCustomColours()
{
    const QList<QColor> before = customColors();
    whenShown([](QColorDialog *dialog) {
        dialog->setCurrentColor(Qt::blue);
        QColorDialog::setCustomColor(0, Qt::red);
        dialog->reject();
    });
    // A system colour stays the reference it was.
    QCOMPARE(ColorDialog::choose(nullptr, Colors::WindowBackground), Colors::WindowBackground);
    QCOMPARE(customColors(), before);
}

void ColorDialogTest::okGivesThePlainColourAndKeepsCustomColours()
{
    whenShown([](QColorDialog *dialog) {
        dialog->setCurrentColor(Qt::red);
        QColorDialog::setCustomColor(0, Qt::green);
        dialog->accept();
    });
    QCOMPARE(ColorDialog::choose(nullptr, Colors::ButtonFace), ColorValue(0x000000FF));
    QList<QColor> custom;
    whenShown([&](QColorDialog *dialog) {
        custom = customColors();
        dialog->reject();
    });
    ColorDialog::choose(nullptr, 0);
    QCOMPARE(custom[0], QColor(Qt::green));
}

// Qt's settings that every Qt program of the user shares keep the custom colours
// another program stored there, whether the dialog was closed with OK or Cancel.
void ColorDialogTest::sharedQtSettingsKeepAnotherProgramsCustomColours()
{
    const QString anothers = QStringLiteral("Qt/customColors/3");
    QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
    shared.clear();
    shared.setValue(anothers, QStringLiteral("4279383126"));
    shared.sync();
    for (const bool ok : {true, false}) {
        whenShown([ok](QColorDialog *dialog) {
            QColorDialog::setCustomColor(3, Qt::yellow);
            ok ? dialog->accept() : dialog->reject();
        });
        ColorDialog::choose(nullptr, 0);
        shared.sync();
        QCOMPARE(shared.allKeys(), QStringList{anothers});
        QCOMPARE(shared.value(anothers).toString(), QStringLiteral("4279383126"));
    }
}

QTEST_MAIN(ColorDialogTest)
#include "tst_colordialog.moc"
