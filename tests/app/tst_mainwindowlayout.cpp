#include "FormFixture.h"

#include "Bevel.h"
#include "NoteButton.h"
#include "Panel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <map>

namespace {

constexpr qint64 None = -1;

struct Control
{
    const char *name;
    const char *parent;
    QRect geometry; // in the parent's client coordinates, as designed
    bool shown;
    const char *text; // caption, or the hint of a glyph button
    qint64 background;
    qint64 foreground;
    const char *fontFamily;
    int fontPixels;
    bool bold;
};

const QString Sans = QStringLiteral("MS Sans Serif");

// The window as designed: every control, where it sits and how it looks.
const std::vector<Control> &designedControls()
{
    static const std::vector<Control> controls = [] {
        std::vector<Control> c = {
            {"BaslikC",
             "TForm1",
             {0, 0, 373, 21},
             true,
             "                                     Morvil 1.0",
             0x00ACC1C1,
             0x00547272,
             "MS Sans Serif",
             11,
             true},
            {"SpeedButton5", "BaslikC", {2, 2, 21, 18}, true, "Ben...", None, None, "MS Sans Serif", 11, true},
            {"SpeedButton6",
             "BaslikC",
             {24, 2, 21, 18},
             true,
             "Notaları Çal\nCtrl+F9",
             None,
             None,
             "MS Sans Serif",
             11,
             true},
            {"SpeedButton7",
             "BaslikC",
             {46, 2, 21, 18},
             true,
             "Çalma İşlemini Bitir\nCtrl+F10",
             None,
             None,
             "MS Sans Serif",
             11,
             true},
            {"SpeedButton8",
             "BaslikC",
             {68, 2, 21, 18},
             true,
             "Kayıt İşlemini Durdur\nCtrl+F11",
             None,
             None,
             "MS Sans Serif",
             11,
             true},
            {"DURUMM", "BaslikC", {93, 4, 37, 13}, true, "Durum :", None, 0x00FFFFFF, "MS Sans Serif", 11, false},
            {"Bevel4", "BaslikC", {203, -1, 6, 44}, true, "", None, None, "MS Sans Serif", 11, true},
            {"Simg", "BaslikC", {332, 2, 19, 17}, true, "Simgeleştir", None, None, "MS Sans Serif", 11, true},
            {"Kapt", "BaslikC", {352, 2, 19, 17}, true, "Kapat", None, None, "MS Sans Serif", 11, true},
            {"Sets", "TForm1", {64, -96, 17, 21}, true, "", None, None, "MS Sans Serif", 11, true},
            {"Kontroller", "TForm1", {0, 21, 373, 131}, true, "", 0x00C2D1D1, None, "MS Sans Serif", 11, true},
            {"Label1", "Kontroller", {7, 7, 86, 13}, true, "Hızlandırılmış...", None, None, "MS Sans Serif", 11, true},
            {"Bevel1", "Kontroller", {103, 15, 257, 3}, true, "", None, None, "MS Sans Serif", 11, true},
            {"Label2", "Kontroller", {7, 67, 52, 13}, true, "Normal...", None, None, "MS Sans Serif", 11, true},
            {"Bevel2", "Kontroller", {103, 75, 257, 3}, true, "", None, None, "MS Sans Serif", 11, true},
            {"Label6", "Kontroller", {0, 119, 373, 12}, true, "%100", None, None, "Arial", 9, false},
            {"Label3",
             "Kontroller",
             {147, 138, 76, 13},
             true,
             "-Nota Listesi-",
             0x00DDE6E6,
             None,
             "MS Sans Serif",
             11,
             true},
            {"Bevel3", "Kontroller", {5, 145, 361, 3}, true, "", None, None, "MS Sans Serif", 11, true},
            {"ListBox1", "Kontroller", {5, 156, 361, 185}, true, "", None, None, "Courier New", 11, true},
            {"Label5",
             "Kontroller",
             {28, 355, 139, 13},
             true,
             "Listedeki Nota Sayısı : ?",
             0x00DDE6E6,
             None,
             "MS Sans Serif",
             11,
             true},
            {"Bevel5", "Kontroller", {5, 361, 361, 3}, true, "", None, None, "MS Sans Serif", 11, true},
            {"Nota_Listesi", "Kontroller", {489, 40, 452, 607}, true, "", None, None, "Times New Roman", 5, false},
            {"Panel1", "TForm1", {54, 15, 265, 122}, false, "", None, None, "Arial", 11, false},
            {"LabelX", "Panel1", {4, 4, 0, 0}, true, "NOTA DEĞİŞTİR", None, None, "Arial", 11, true},
            {"Label7", "Panel1", {8, 31, 0, 0}, true, "Değişecek Nota:", None, None, "Arial", 11, false},
            {"Label4", "Panel1", {96, 31, 0, 0}, true, "?????????", None, None, "Arial", 11, false},
            {"Label8", "Panel1", {8, 55, 0, 0}, true, "Yeni Nota", None, None, "Arial", 11, false},
            {"ComboBox1", "Panel1", {96, 51, 97, 22}, true, "", None, None, "Arial", 11, false},
            {"SpeedButton1", "Panel1", {196, 51, 41, 22}, true, "Dinl&e", None, None, "Arial", 11, true},
            {"SpeedButton4", "Panel1", {196, 27, 41, 22}, true, "Di&nle", None, None, "Arial", 11, true},
            {"SpeedButton2", "Panel1", {8, 93, 73, 22}, true, "&DEĞİŞTİR", None, None, "Arial", 11, true},
            {"SpeedButton3", "Panel1", {88, 93, 73, 22}, true, "&VAZGEÇ", None, None, "Arial", 11, true},
            {"Label9", "Panel1", {205, 89, 0, 0}, true, "0-8 Normal\n9-17 Hızlı", None, None, "Arial", 11, false},
            {"Panel2", "TForm1", {104, 272, 185, 41}, false, "P2", 0x00C2D1D1, None, "MS Sans Serif", 11, true},
        };
        const char *names[] = {"DO", "RE", "Mİ", "FA", "SOL", "LA", "Sİ", "DO", "#"};
        static const QByteArray buttonNames[] = {"N0I", "N1I", "N2I", "N3I", "N4I", "N5I", "N6I", "N7I", "N8I",
                                                 "N0N", "N1N", "N2N", "N3N", "N4N", "N5N", "N6N", "N7N", "N8N"};
        for (int row = 0; row < 2; ++row) {
            for (int i = 0; i < 9; ++i) {
                c.push_back({buttonNames[row * 9 + i].constData(),
                             "Kontroller",
                             {7 + 40 * i, row == 0 ? 23 : 83, 35, 32},
                             true,
                             names[i],
                             0x00C2D1D1,
                             0x00AE5700,
                             "MS Sans Serif",
                             11,
                             true});
            }
        }
        return c;
    }();
    return controls;
}

qint64 colorValue(const QColor &color)
{
    return qint64(color.red()) | qint64(color.green()) << 8 | qint64(color.blue()) << 16;
}

QString textOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *panel = qobject_cast<Panel *>(widget))
        return panel->caption();
    if (auto *noteButton = qobject_cast<NoteButton *>(widget))
        return noteButton->text();
    if (auto *glyphButton = qobject_cast<QToolButton *>(widget))
        return glyphButton->toolTip();
    return QString();
}

int rounded(int number, int numerator, int denominator)
{
    return int(std::lround(double(number) * numerator / denominator));
}

int roundedFontPixels(int pixels, int numerator, int denominator)
{
    const int points = int(std::lround(pixels * 72 / 96.0));
    return int(std::lround(rounded(points, numerator, denominator) * 96 / 72.0));
}

// Where the scaling rule puts every control, worked out from the design table:
// the rectangles in their parents' client coordinates, the window's client size,
// the fonts' pixel heights and the pictures' sizes.
struct RuleLayout
{
    QSize client{373, 152};
    std::map<QByteArray, QRect> rects;
    std::map<QByteArray, int> fontPixels;
    std::map<QByteArray, QSize> icons{{"SpeedButton5", {16, 16}}, {"SpeedButton6", {16, 16}},
                                      {"SpeedButton7", {16, 16}}, {"SpeedButton8", {16, 16}},
                                      {"Simg", {13, 11}},         {"Kapt", {10, 9}}};

    RuleLayout()
    {
        for (const Control &control : designedControls()) {
            rects[control.name] = control.geometry;
            fontPixels[control.name] = control.fontPixels;
        }
    }

    void scale(int numerator, int denominator)
    {
        for (auto &[name, rect] : rects) {
            const int left = rounded(rect.left(), numerator, denominator);
            const int top = rounded(rect.top(), numerator, denominator);
            const int height = keepsItsHeight(name) ? rect.height()
                                                    : rounded(rect.top() + rect.height(), numerator, denominator) - top;
            rect = QRect(left, top, rounded(rect.left() + rect.width(), numerator, denominator) - left, height);
        }
        for (auto &[name, pixels] : fontPixels)
            pixels = roundedFontPixels(pixels, numerator, denominator);
        for (auto &[name, size] : icons)
            size = QSize(rounded(size.width(), numerator, denominator), rounded(size.height(), numerator, denominator));
        client =
            QSize(rounded(client.width(), numerator, denominator), rounded(client.height(), numerator, denominator));
        // The title bar keeps to the top, the button area fills the rest, the zoom label keeps to its bottom.
        QRect &title = rects["BaslikC"];
        QRect &buttons = rects["Kontroller"];
        QRect &zoom = rects["Label6"];
        title = QRect(0, 0, client.width(), title.height());
        buttons = QRect(0, title.height(), client.width(), client.height() - title.height());
        zoom = QRect(0, buttons.height() - zoom.height(), buttons.width(), zoom.height());
    }

    static bool keepsItsHeight(const QByteArray &name) { return name == "Sets" || name == "ComboBox1"; }
};

void fillList(QListWidget *list, int lines)
{
    for (int line = 0; line < lines; ++line)
        list->addItem(QStringLiteral("DO (00)"));
    QCoreApplication::processEvents();
}

// How many lines the list shows one below the other before it starts the next column.
int linesInFirstColumn(QListWidget *list)
{
    list->doItemsLayout();
    const int firstColumn = list->visualItemRect(list->item(0)).left();
    int lines = 0;
    while (lines < list->count() && list->visualItemRect(list->item(lines)).left() == firstColumn)
        ++lines;
    return lines;
}

} // namespace

class MainWindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void controlMatchesDesign_data();
    void controlMatchesDesign();

    void windowIsFramelessWithAOnePixelBorder();
    void listsShowFiveColumnsFlowingDown();
    void listHeadingAndCountAreOpaque();
    void noVisibleControlKeepsTheFocus();
    void glyphButtonsShowPictures();
    void controlsFollowTheRuleAtEveryLevel_data();
    void controlsFollowTheRuleAtEveryLevel();

private:
    std::unique_ptr<FormFixture> m_fixture;
};

void MainWindowLayoutTest::initTestCase()
{
    m_fixture = std::make_unique<FormFixture>();
    m_fixture->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fixture->form.get()));
}

void MainWindowLayoutTest::cleanupTestCase()
{
    m_fixture.reset();
}

void MainWindowLayoutTest::controlMatchesDesign_data()
{
    QTest::addColumn<int>("row");
    const auto &controls = designedControls();
    for (int row = 0; row < int(controls.size()); ++row)
        QTest::newRow(controls[row].name) << row;
}

void MainWindowLayoutTest::controlMatchesDesign()
{
    QFETCH(int, row);
    const Control &expected = designedControls().at(row);
    TForm1 *form = m_fixture->form.get();
    auto *widget = form->findChild<QWidget *>(QString::fromLatin1(expected.name));
    QVERIFY2(widget, expected.name);

    QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(expected.parent));

    // Children of the window sit inside its one-pixel border.
    const QPoint clientOrigin = widget->parentWidget() == form ? QPoint(1, 1) : QPoint(0, 0);
    const QRect geometry = widget->geometry().translated(-clientOrigin);
    auto *label = qobject_cast<QLabel *>(widget);
    if (label && expected.name != QByteArray("Label6")) {
        // Labels size themselves to their text; a right-justified one keeps its right edge.
        QCOMPARE(geometry.top(), expected.geometry.top());
        if (label->alignment() & Qt::AlignRight)
            QCOMPARE(geometry.right(), expected.geometry.right());
        else
            QCOMPARE(geometry.left(), expected.geometry.left());
        QVERIFY(geometry.width() >= label->fontMetrics().boundingRect(QRect(), 0, label->text()).width());
    } else {
        QCOMPARE(geometry, expected.geometry);
    }

    QCOMPARE(!widget->isHidden(), expected.shown);
    QCOMPARE(textOf(widget), QString::fromUtf8(expected.text));

    if (expected.background != None) {
        if (auto *panel = qobject_cast<Panel *>(widget))
            QCOMPARE(qint64(panel->color()), expected.background);
        else if (auto *button = qobject_cast<NoteButton *>(widget))
            QCOMPARE(qint64(button->color()), expected.background);
        else
            QCOMPARE(colorValue(widget->grab().toImage().pixelColor(0, 0)), expected.background);
    }
    if (expected.foreground != None) {
        if (auto *panel = qobject_cast<Panel *>(widget))
            QCOMPARE(qint64(panel->captionColor()), expected.foreground);
        else if (auto *button = qobject_cast<NoteButton *>(widget))
            QCOMPARE(qint64(button->fontColor()), expected.foreground);
        else
            QCOMPARE(colorValue(widget->palette().color(widget->foregroundRole())), expected.foreground);
    }

    QCOMPARE(widget->font().family(), QString::fromLatin1(expected.fontFamily));
    QCOMPARE(widget->font().pixelSize(), expected.fontPixels);
    QCOMPARE(widget->font().bold(), expected.bold);
}

void MainWindowLayoutTest::windowIsFramelessWithAOnePixelBorder()
{
    TForm1 *form = m_fixture->form.get();
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form->size(), QSize(375, 154));
    QCOMPARE(form->caption(), QStringLiteral("MORVIL 1.0 Beta"));
    QCOMPARE(colorValue(form->palette().color(QPalette::Window)), 0);
    const QImage picture = form->grab().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(374, 0), QPoint(0, 153), QPoint(374, 153), QPoint(187, 153)})
        QCOMPARE(colorValue(picture.pixelColor(corner)), 0);
    QCOMPARE(colorValue(picture.pixelColor(187, 140)), 0x00C2D1D1);
}

// Drawn on their own colour, in the default text colour.
void MainWindowLayoutTest::listHeadingAndCountAreOpaque()
{
    for (const char *name : {"Label3", "Label5"}) {
        auto *label = m_fixture->child<QLabel>(name);
        const QImage picture = label->grab().toImage();
        int background = 0, text = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const qint64 color = colorValue(picture.pixelColor(x, y));
                background += color == 0x00DDE6E6;
                text += color == colorValue(QApplication::palette().color(QPalette::WindowText));
            }
        }
        QVERIFY2(background > picture.width() * picture.height() / 2, name);
        QVERIFY2(text > 10, name);
    }
}

void MainWindowLayoutTest::listsShowFiveColumnsFlowingDown()
{
    for (const char *name : {"ListBox1", "Nota_Listesi"}) {
        auto *list = m_fixture->child<QListWidget>(name);
        QCOMPARE(list->flow(), QListView::TopToBottom);
        QVERIFY(list->isWrapping());
        QCOMPARE(list->gridSize().width(), list->width() / 5);
    }
    QCOMPARE(m_fixture->child<QListWidget>("ListBox1")->gridSize().height(), 14);
    QCOMPARE(m_fixture->child<QListWidget>("Nota_Listesi")->gridSize().height(), 5);
    QCOMPARE(m_fixture->child<QListWidget>("ListBox1")->frameShape(), QFrame::NoFrame);

    // 185 pixels hold 13 lines of 14 while every line fits in the five columns; one
    // line more and the scroll bar takes its room, and every line can be scrolled to.
    FormFixture f;
    f.form->show();
    auto *list = f.child<QListWidget>("ListBox1");
    fillList(list, 13 * 5);
    QCOMPARE(linesInFirstColumn(list), 13);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    list->addItem(QStringLiteral("DO (00)"));
    QCOMPARE(linesInFirstColumn(list), 12);
    QTRY_VERIFY(list->horizontalScrollBar()->isVisible());
    list->scrollToItem(list->item(list->count() - 1));
    QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(list->count() - 1))));
}

void MainWindowLayoutTest::noVisibleControlKeepsTheFocus()
{
    for (NoteButton *button : m_fixture->form->findChildren<NoteButton *>())
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    auto *sets = m_fixture->child<QLineEdit>("Sets");
    QVERIFY(sets->isReadOnly());
    QVERIFY(!(sets->focusPolicy() & Qt::TabFocus));
    QCOMPARE(m_fixture->child<QListWidget>("Nota_Listesi")->focusPolicy(), Qt::NoFocus);
}

void MainWindowLayoutTest::glyphButtonsShowPictures()
{
    for (const char *name : {"SpeedButton5", "SpeedButton6", "SpeedButton7", "SpeedButton8", "Simg", "Kapt"}) {
        auto *button = m_fixture->child<QToolButton>(name);
        QVERIFY2(!button->icon().isNull(), name);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(m_fixture->child<QToolButton>("Simg")->iconSize(), QSize(13, 11));
    QCOMPARE(m_fixture->child<QToolButton>("Kapt")->iconSize(), QSize(10, 9));
}

void MainWindowLayoutTest::controlsFollowTheRuleAtEveryLevel_data()
{
    QTest::addColumn<int>("percent");
    for (const int percent : {80, 90, 110, 125, 150, 200})
        QTest::newRow(QByteArray::number(percent).constData()) << percent;
}

// Each level from 100 %, and back: one-line edits, drop-down lists and the lists'
// items keep the room around their font; labels keep the edge they are justified to.
void MainWindowLayoutTest::controlsFollowTheRuleAtEveryLevel()
{
    QFETCH(int, percent);
    FormFixture f;
    TForm1 *form = f.form.get();
    form->show();
    std::map<QByteArray, int> roomAroundFont;
    for (const char *name : {"Sets", "ComboBox1"}) {
        auto *control = f.child<QWidget>(name);
        roomAroundFont[name] = control->height() - control->fontMetrics().height();
    }
    for (const char *name : {"ListBox1", "Nota_Listesi"}) {
        auto *list = f.child<QListWidget>(name);
        roomAroundFont[name] = list->gridSize().height() - list->fontMetrics().height();
    }

    const auto check = [&](const RuleLayout &rule) {
        QCOMPARE(form->size(), rule.client + QSize(2, 2));
        for (const auto &[name, expected] : rule.rects) {
            auto *widget = f.child<QWidget>(name.constData());
            const QPoint clientOrigin = widget->parentWidget() == form ? QPoint(1, 1) : QPoint(0, 0);
            const QRect geometry = widget->geometry().translated(-clientOrigin);
            auto *label = qobject_cast<QLabel *>(widget);
            const auto *list = qobject_cast<QListWidget *>(widget);
            if (label && name != "Label6") {
                QCOMPARE(geometry.top(), expected.top());
                if (label->alignment() & Qt::AlignRight)
                    QCOMPARE(geometry.right(), expected.right());
                else
                    QCOMPARE(geometry.left(), expected.left());
                QVERIFY2(geometry.width() >= label->fontMetrics().boundingRect(QRect(), 0, label->text()).width(),
                         name.constData());
            } else if (RuleLayout::keepsItsHeight(name)) {
                QCOMPARE(geometry.topLeft(), expected.topLeft());
                QCOMPARE(geometry.width(), expected.width());
                QCOMPARE(geometry.height() - widget->fontMetrics().height(), roomAroundFont[name]);
            } else {
                QCOMPARE(geometry, expected);
            }
            if (list) {
                if (name == "ListBox1")
                    QCOMPARE(linesInFirstColumn(f.child<QListWidget>("ListBox1")),
                             list->height() / list->gridSize().height());
                QCOMPARE(list->gridSize().width(), list->width() / 5);
                QCOMPARE(list->gridSize().height() - list->fontMetrics().height(), roomAroundFont[name]);
            }
            QVERIFY2(widget->font().pixelSize() == rule.fontPixels.at(name), name.constData());
        }
        for (const auto &[name, size] : rule.icons)
            QCOMPARE(f.child<QToolButton>(name.constData())->iconSize(), size);
    };

    fillList(f.child<QListWidget>("ListBox1"), 20);
    RuleLayout rule;
    form->findChild<QAction *>(QStringLiteral("MN%1").arg(percent))->trigger();
    rule.scale(percent, 100);
    check(rule);
    if (QTest::currentTestFailed())
        return;
    form->findChild<QAction *>(QStringLiteral("MN100"))->trigger();
    rule.scale(100, percent);
    check(rule);
}

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_mainwindowlayout.moc"
