// The window's popup menu: its tree, its band as painted, opening it with a right
// click, its items and their shortcuts.
#include "FormFixture.h"

#include "MenuImages.h"
#include "TBarPopupMenu.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QTest>

namespace {

struct Item
{
    int depth;
    const char *name;
    const char *caption; // "-" for a separator
    const char *shortcut = "";
    bool image = false;
    bool subMenu = false;
};

// The tree as designed, in order; shortcuts in Qt's portable text.
const std::vector<Item> DesignedTree = {
    {0, "YeniSrmkontrolYap1", "Yeni Sürüm Kontrolü Yap...", "F5", true},
    {0, "DierProgramlar1", "Diğer Programlar...", "", true},
    {0, "N18", "-"},
    {0, "KlavyeSeimi1", "Klavye Seçimi", "", true, true},
    {1, "FK", "F Klavye", "Ctrl+F"},
    {1, "QK", "Q Klavye", "Ctrl+Q"},
    {0, "N19", "-"},
    {0, "Yrt1", "Yürüt", "", true, true},
    {1, "Notalaral1", "Notaları Çal", "Ctrl+F9"},
    {1, "almaleminiBitir1", "Çalma İşlemini Bitir", "Ctrl+F10"},
    {1, "N22", "-"},
    {1, "KaytleminiDurdur1", "Kayıt İşlemini Durdur", "Ctrl+F11"},
    {0, "N21", "-"},
    {0, "YeniListe1", "Yeni", "Ctrl+N", true},
    {0, "A1", "Aç...", "Ctrl+O", true},
    {0, "Listekaydet1", "Kaydet...", "Ctrl+S", true},
    {0, "DntrerekKaydet1", "Göründüğü Gibi Kaydet", "", true},
    {0, "N20", "-"},
    {0, "ListeGizleGster1", "Liste Gizle/Göster", "Ctrl+G", true},
    {0, "SeiliNotadeitir1", "Seçili Nota Değiştir", "", true},
    {0, "SeiliNotaSil1", "Seçili Nota Sil", "", true},
    {0, "N28", "-"},
    {0, "RenkAyarlar1", "Renk Ayarları", "", true, true},
    {1, "enarizgileri1", "Kenar Çizgileri"},
    {1, "letiRenkleri1", "İleti Renkleri"},
    {1, "ZeminRengi1", "Zemin Rengi"},
    {1, "N29", "-"},
    {1, "ButonYazRengi1", "Buton Yazı Rengi"},
    {1, "ButonZeminRengi1", "Buton Zemin Rengi"},
    {1, "N30", "-"},
    {1, "ListeZeminRengi1", "Liste Zemin Rengi"},
    {1, "ListeYazRengi1", "Liste Yazı Rengi"},
    {1, "N31", "-"},
    {1, "VarsaylanRenkAyarlar1", "Varsayılan Renk Ayarları"},
    {0, "N32", "-"},
    {0, "FormGrnm1", "Form Görünümü", "", false, true},
    {1, "FormBK1", "Form B/K"},
    {1, "N33", "-"},
    {1, "N34", "%80", "Ctrl+Num+1"},
    {1, "N35", "%90", "Ctrl+Num+2"},
    {1, "N36", "%100", "Ctrl+Num+3"},
    {1, "mn1", "%110", "Ctrl+Num+4"},
    {1, "N37", "%125", "Ctrl+Num+5"},
    {1, "N38", "%150", "Ctrl+Num+6"},
    {1, "N39", "%200", "Ctrl+Num+7"},
    {0, "N40", "-"},
    {0, "k1", "Çıkış", "", true},
};

void walk(const QMenu *menu, int depth, std::vector<std::pair<int, QAction *>> &items)
{
    for (QAction *action : menu->actions()) {
        items.emplace_back(depth, action);
        if (action->menu())
            walk(action->menu(), depth + 1, items);
    }
}

} // namespace

class PopupMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void treeAsDesigned();
    void bandOfTheProgramsMenu();
    void rightClickOpensTheMenuAtThePointer_data();
    void rightClickOpensTheMenuAtThePointer();
    void rightClickOnTheOpenChangePanelOpensTheMenu();
    void shortcutsReachTheirCommandsWithTheMenuClosed_data();
    void shortcutsReachTheirCommandsWithTheMenuClosed();
    void layoutItemsSwitchTheTable();
    void playAndStopItemsRunTheTitleBarCommands();
    void linkedItemsFollowTheirActions();

private:
    TBarPopupMenu *menu() const { return m_f->child<TBarPopupMenu>("BarPopupMenu1"); }
    QAction *item(const char *name) const;
    QImage openedAt(QPoint windowPoint);

    std::unique_ptr<FormFixture> m_f;
};

void PopupMenuTest::init()
{
    m_f = std::make_unique<FormFixture>();
    m_f->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f->form.get()));
}

void PopupMenuTest::cleanup()
{
    m_f.reset();
}

QAction *PopupMenuTest::item(const char *name) const
{
    std::vector<std::pair<int, QAction *>> items;
    walk(menu(), 0, items);
    for (const auto &[depth, action] : items) {
        if (action->objectName() == QLatin1String(name))
            return action;
    }
    return nullptr;
}

// Right-clicks the window at this point, through the window system as a mouse does,
// and returns the open menu's image.
QImage PopupMenuTest::openedAt(QPoint windowPoint)
{
    QTest::mouseClick(m_f->form->windowHandle(), Qt::RightButton, {}, windowPoint);
    if (!QTest::qWaitForWindowExposed(menu()))
        return {};
    QCoreApplication::processEvents();
    return windowImage(menu());
}

void PopupMenuTest::treeAsDesigned()
{
    std::vector<std::pair<int, QAction *>> items;
    walk(menu(), 0, items);
    QCOMPARE(items.size(), DesignedTree.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item &designed = DesignedTree.at(i);
        const auto &[depth, action] = items.at(i);
        const QString where = QString::fromLatin1(designed.name);
        QCOMPARE(action->objectName(), where);
        QVERIFY2(depth == designed.depth, qPrintable(where));
        QVERIFY2(action->isSeparator() == (designed.caption == QStringLiteral("-")), qPrintable(where));
        if (!action->isSeparator())
            QCOMPARE(action->text(), QString::fromUtf8(designed.caption));
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(designed.shortcut));
        QVERIFY2(!action->icon().isNull() == designed.image, qPrintable(where));
        QVERIFY2((action->menu() != nullptr) == designed.subMenu, qPrintable(where));
        QVERIFY2(action->isEnabled() && action->isVisible(), qPrintable(where));
    }
    QVERIFY(item("FK")->isCheckable());
    QVERIFY(item("QK")->isCheckable());
}

// White to red over a 20-pixel strip, white text rising from 6 pixels above the bottom.
void PopupMenuTest::bandOfTheProgramsMenu()
{
    TBarPopupMenu *bar = menu();
    QCOMPARE(bar->BarWidth(), 22);
    QCOMPARE(bar->VerticalText(), QStringLiteral("Morvil 1.0 Beta"));
    QCOMPARE(bar->VerticalFont().font.pixelSize(), 16);
    QVERIFY(bar->VerticalFont().font.bold());
    QVERIFY(!bar->VerticalFont().font.italic());

    const QImage image = insideMenuFrame(openedAt(QPoint(30, 60)));
    const int height = bar->MenuHeight();
    QVERIFY(height > 300);
    QVERIFY(bar->BarPainted());
    const QRgb white = qRgb(255, 255, 255);
    const QRgb red = qRgb(255, 0, 0);
    QCOMPARE(colorAt(image, 0, 0), white);
    QCOMPARE(colorAt(image, 19, 0), white);
    QCOMPARE(colorAt(image, 0, height), red);
    QCOMPARE(colorAt(image, 19, height), red);

    // The text's column holds ink only in its own rows; everywhere else every row is
    // on the formula, and the two columns beside the strip are never the band's.
    const QFontMetrics metrics(bar->VerticalFont().font);
    const int textStart = height - 6;
    const int textEnd = textStart - metrics.horizontalAdvance(bar->VerticalText()) - 2;
    const QImage panel = insideMenuFrame(panelOf(*bar));
    int lowestInk = -1;
    for (int y = 0; y <= height; ++y) {
        const QRgb expected = formulaColor(white, red, y, height);
        for (int x = 0; x < 20; ++x) {
            const bool onFormula = colorAt(image, x, y) == expected;
            if (!onFormula && y > textEnd && y <= textStart)
                lowestInk = std::max(lowestInk, y);
            else
                QVERIFY2(onFormula, qPrintable(QStringLiteral("pixel %1,%2 is off the formula").arg(x).arg(y)));
        }
        QCOMPARE(colorAt(image, 20, y), colorAt(panel, 20, y));
        QCOMPARE(colorAt(image, 21, y), colorAt(panel, 21, y));
    }
    QVERIFY2(lowestInk < textStart && lowestInk >= textStart - 4,
             qPrintable(QStringLiteral("the text's lowest row is %1").arg(lowestInk)));
}

void PopupMenuTest::rightClickOpensTheMenuAtThePointer_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("point"); // in the control
    QTest::addColumn<bool>("buttonsDisabled");
    QTest::newRow("note button") << "N0N" << QPoint(3, 4) << false;
    QTest::newRow("label") << "Label1" << QPoint(3, 4) << false;
    QTest::newRow("visible list") << "ListBox1" << QPoint(20, 20) << false;
    QTest::newRow("title bar") << "BaslikC" << QPoint(250, 10) << false;
    QTest::newRow("status on the title bar") << "DURUMM" << QPoint(3, 4) << false;
    QTest::newRow("button area") << "Kontroller" << QPoint(5, 40) << false;
    QTest::newRow("note button of the disabled button area") << "N4I" << QPoint(3, 4) << true;
}

void PopupMenuTest::rightClickOpensTheMenuAtThePointer()
{
    QFETCH(QString, control);
    QFETCH(QPoint, point);
    QFETCH(bool, buttonsDisabled);
    m_f->child<QWidget>("Kontroller")->setEnabled(!buttonsDisabled);
    m_f->form->setFixedHeight(400); // as tall as with the list shown
    m_f->form->move(0, 0);          // with room below for the menu
    auto *widget = m_f->form->findChild<QWidget *>(control);
    const QPoint windowPoint = widget->mapTo(m_f->form.get(), point);
    QWidget *hit = m_f->form->childAt(windowPoint);
    QVERIFY(hit == widget || widget->isAncestorOf(hit));

    openedAt(windowPoint);
    QVERIFY(menu()->isVisible());
    QCOMPARE(menu()->pos(), m_f->form->mapToGlobal(windowPoint));
    QVERIFY(m_f->playedNotes().empty());
    menu()->hide();
}

// Every control of the open change panel, the drop-down list among them, passes
// a right click up to the window's menu.
void PopupMenuTest::rightClickOnTheOpenChangePanelOpensTheMenu()
{
    m_f->form->move(0, 0);
    m_f->child<QWidget>("Kontroller")->setEnabled(false);
    m_f->child<QWidget>("BaslikC")->setEnabled(false);
    auto *panel = m_f->child<QWidget>("Panel1");
    panel->show();
    // The panel itself at a corner free of controls, each control at its centre.
    std::vector<std::pair<QWidget *, QPoint>> targets{{panel, QPoint(2, 2)}};
    for (QWidget *control : panel->findChildren<QWidget *>()) {
        if (control->isVisible())
            targets.emplace_back(control, control->rect().center());
    }
    for (const auto &[control, point] : targets) {
        const QPoint windowPoint = control->mapTo(m_f->form.get(), point);
        QCOMPARE(m_f->form->childAt(windowPoint), control);
        openedAt(windowPoint);
        QVERIFY2(menu()->isVisible(), qPrintable(control->objectName()));
        QCOMPARE(menu()->pos(), m_f->form->mapToGlobal(windowPoint));
        menu()->hide();
    }
}

void PopupMenuTest::shortcutsReachTheirCommandsWithTheMenuClosed_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    const int ctrl = Qt::ControlModifier;
    const int numpad = Qt::ControlModifier | Qt::KeypadModifier;
    QTest::newRow("F5") << "YeniSrmkontrolYap1" << int(Qt::Key_F5) << 0;
    QTest::newRow("Ctrl+N") << "YeniListe1" << int(Qt::Key_N) << ctrl;
    QTest::newRow("Ctrl+O") << "A1" << int(Qt::Key_O) << ctrl;
    QTest::newRow("Ctrl+S") << "Listekaydet1" << int(Qt::Key_S) << ctrl;
    QTest::newRow("Ctrl+G") << "ListeGizleGster1" << int(Qt::Key_G) << ctrl;
    QTest::newRow("Ctrl+F") << "FK" << int(Qt::Key_F) << ctrl;
    QTest::newRow("Ctrl+Q") << "QK" << int(Qt::Key_Q) << ctrl;
    QTest::newRow("Ctrl+F9") << "Notalaral1" << int(Qt::Key_F9) << ctrl;
    QTest::newRow("Ctrl+F10") << "almaleminiBitir1" << int(Qt::Key_F10) << ctrl;
    QTest::newRow("Ctrl+F11") << "KaytleminiDurdur1" << int(Qt::Key_F11) << ctrl;
    const char *zoom[] = {"MN80", "MN90", "MN100", "MN110", "MN125", "MN150", "MN200"};
    for (int level = 0; level < 7; ++level) {
        QTest::addRow("Ctrl+Numpad %d", level + 1) << zoom[level] << int(Qt::Key_1 + level) << numpad;
    }
}

// Each key reaches its command's action and nothing else; the commands themselves are
// their own tests', so a shortcut event is caught at the action.
void PopupMenuTest::shortcutsReachTheirCommandsWithTheMenuClosed()
{
    QFETCH(QString, command);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    m_f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f->form.get()));

    struct ShortcutCatcher : QObject
    {
        QStringList reached;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() != QEvent::Shortcut)
                return false;
            reached << watched->objectName();
            return true;
        }
    } catcher;
    for (QAction *action : m_f->form->actions()) {
        action->installEventFilter(&catcher);
        // The keypad's keys trigger their actions without a shortcut event.
        connect(action, &QAction::triggered, &catcher, [&catcher, action] { catcher.reached << action->objectName(); });
    }

    QTest::keyClick(m_f->form.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(catcher.reached, QStringList{command});
    QVERIFY(!menu()->isVisible());
}

void PopupMenuTest::layoutItemsSwitchTheTable()
{
    item("FK")->trigger();
    QVERIFY(item("FK")->isChecked());
    QVERIFY(!item("QK")->isChecked());
    QVERIFY(m_f->child<QWidget>("N0N")->toolTip().endsWith(QStringLiteral("(U)")));
    item("QK")->trigger();
    QVERIFY(item("QK")->isChecked());
    QVERIFY(!item("FK")->isChecked());
    QVERIFY(m_f->child<QWidget>("N0N")->toolTip().endsWith(QStringLiteral("(A)")));
}

void PopupMenuTest::playAndStopItemsRunTheTitleBarCommands()
{
    // Record 0 and, three ticks later, 4; the menu's item ends the recording.
    m_f->pump.inTick(3, [this] { m_f->child<QAction>("N4")->trigger(); });
    m_f->pump.inTick(3 + 2, [this] { item("KaytleminiDurdur1")->trigger(); });
    m_f->child<QAction>("N0")->trigger();
    QVERIFY(m_f->form->state().RecordStopped);
    QCOMPARE(m_f->child<QListWidget>("Nota_Listesi")->count(), 2);

    item("Notalaral1")->trigger();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 4, 0, 4}));
    QVERIFY(!m_f->form->state().Playing);

    // Stopped in the wait before the second note.
    m_f->pump.inTick(2, [this] { item("almaleminiBitir1")->trigger(); });
    item("Notalaral1")->trigger();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 4, 0, 4, 0}));
    QVERIFY(!m_f->form->state().Playing);
}

void PopupMenuTest::linkedItemsFollowTheirActions()
{
    QAction *zoom = m_f->child<QAction>("MN125");
    QAction *linked = item("N37");
    QCOMPARE(linked->shortcut(), zoom->shortcut());
    zoom->setText(QStringLiteral("%125!"));
    zoom->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
    QCOMPARE(linked->text(), QStringLiteral("%125!"));
    QCOMPARE(linked->shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));

    int ran = 0;
    connect(m_f->child<QAction>("mnbk"), &QAction::triggered, this, [&ran] { ++ran; });
    item("FormBK1")->trigger();
    QCOMPARE(ran, 1);
}

QTEST_MAIN(PopupMenuTest)
#include "tst_popupmenu.moc"
