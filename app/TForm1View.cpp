#include "TForm1.h"
#include "ui_TForm1.h"

#include "Alignment.h"
#include "Colors.h"
#include "ErrorReport.h"
#include "Panel.h"
#include "WindowMove.h"
#include "Zoom.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QToolButton>

#include <utility>
#include <vector>

namespace {

constexpr ColorValue InactiveTitleBar = 0x00808080;
// A window lower than this is folded; folding leaves the title bar and a line
// of the button area below it.
constexpr int FoldedBelow = 27;
constexpr int FoldedBelowTitleBar = 3;
constexpr int ListColumns = 5;

// One-line edits and drop-down lists keep the height their font gives them.
bool isOneLineControl(const QWidget *control)
{
    return qobject_cast<const QLineEdit *>(control) || qobject_cast<const QComboBox *>(control);
}

bool isDesignControl(const QWidget *control, const QWidget *window)
{
    const QWidget *parent = control->parentWidget();
    return !control->isWindow() && (parent == window || qobject_cast<const Panel *>(parent));
}

QFont scaledFont(QFont font, int numerator, int denominator)
{
    font.setPixelSize(scaledFontPixelHeight(font.pixelSize(), numerator, denominator));
    return font;
}

// A height that follows its control's font rather than the zoom: that of a
// one-line edit or a drop-down list, and the item height of a list.
struct FontBoundHeight
{
    QWidget *control;
    int height;
    int lineHeight;
};

std::vector<FontBoundHeight> fontBoundHeights(QWidget *window)
{
    std::vector<FontBoundHeight> heights;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!isDesignControl(control, window))
            continue;
        const int lineHeight = control->fontMetrics().height();
        if (auto *list = qobject_cast<QListWidget *>(control))
            heights.push_back({list, list->gridSize().height(), lineHeight});
        else if (isOneLineControl(control))
            heights.push_back({control, control->height(), lineHeight});
    }
    return heights;
}

void followFont(const FontBoundHeight &bound)
{
    const int height = bound.height + bound.control->fontMetrics().height() - bound.lineHeight;
    if (auto *list = qobject_cast<QListWidget *>(bound.control))
        list->setGridSize(QSize(list->gridSize().width(), height));
    else
        bound.control->resize(bound.control->width(), height);
}

void scaleControl(QWidget *control, QPoint origin, int numerator, int denominator)
{
    const QRect before = control->geometry().translated(-origin);
    QRect after = scaledRect(before, numerator, denominator);
    if (isOneLineControl(control))
        after.setHeight(before.height());
    control->setGeometry(after.translated(origin));

    // A control with a font of its own scales it; the others take their parent's.
    if (control->testAttribute(Qt::WA_SetFont))
        control->setFont(scaledFont(control->font(), numerator, denominator));
    // Pictures shrink with their buttons, so that none is cut off; they are never
    // drawn larger than they were made.
    if (auto *button = qobject_cast<QToolButton *>(control); button && !button->icon().isNull()) {
        const QSize icon = button->iconSize();
        button->setIconSize(
            QSize(mulDiv(icon.width(), numerator, denominator), mulDiv(icon.height(), numerator, denominator)));
    }
    if (auto *list = qobject_cast<QListWidget *>(control))
        list->setGridSize(QSize(list->width() / ListColumns, list->gridSize().height()));
}

// Depth first, each control in its parent's coordinates (origin: where they
// start in the parent); a panel lays its children out again once it is scaled.
void scaleControls(QWidget *parent, QPoint origin, int numerator, int denominator)
{
    for (QWidget *control : parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->isWindow())
            continue;
        auto *panel = qobject_cast<Panel *>(control);
        if (panel)
            scaleControls(panel, QPoint(), numerator, denominator);
        scaleControl(control, origin, numerator, denominator);
        if (panel)
            alignChildren(panel, panel->rect());
    }
}

} // namespace

void TForm1::BaslikCMouseDown(Qt::MouseButton button, QPointF globalPosition, QPointF windowPosition)
{
    moveWithMouse(this, ui->BaslikC, button, globalPosition, windowPosition);
}

void TForm1::BaslikCDblClick()
{
    mnbk->trigger();
}

void TForm1::mnbkExecute()
{
    if (m_state.ViewScale != 0)
        return;
    if (height() >= FoldedBelow) {
        m_state.CompactRestoreHeight = QString::number(height());
        setWindowHeight(ui->BaslikC->height() + FoldedBelowTitleBar);
        return;
    }
    bool isNumber = false;
    const int restored = m_state.CompactRestoreHeight.toInt(&isNumber);
    if (isNumber)
        setWindowHeight(restored);
}

void TForm1::SimgClick()
{
    SpeedButton8Click();
    // The whole application leaves the screen: the main window for the task bar,
    // its other windows with it (the About card has no task-bar entry of its own,
    // and a window manager leaves a tool window where it is), to come back when
    // the main window does.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window != this && window->isVisible() && type != Qt::ToolTip && type != Qt::Popup) {
            window->hide();
            m_awayWhileMinimised.append(window);
        }
    }
    showMinimized();
}

void TForm1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        for (const QPointer<QWidget> &window : std::exchange(m_awayWhileMinimised, {})) {
            if (window)
                window->show();
        }
    }
}

void TForm1::KaptClick()
{
    close();
}

void TForm1::k1Click()
{
    close();
}

void TForm1::ListeGizleGster1Click()
{
    const ZoomLevel *level = zoomLevelOf(m_state.ViewScale);
    if (!level)
        return;
    setWindowHeight(height() > level->hiddenHeight ? level->hiddenHeight : level->shownHeight);
}

void TForm1::KontrollerDblClick()
{
    ListeGizleGster1Click();
}

void TForm1::ApplicationEvents1Activate()
{
    ui->BaslikC->setColor(Colors::TitleBar);
}

void TForm1::ApplicationEvents1Deactivate()
{
    ui->BaslikC->setColor(InactiveTitleBar);
}

void TForm1::MN80Execute()
{
    zoomTo(80);
}

void TForm1::MN90Execute()
{
    zoomTo(90);
}

void TForm1::MN100Execute()
{
    for (const qint32 level : {90, 80, 110, 125, 150, 200}) {
        if (m_state.ViewScale == level) {
            scaleBy(100, level);
            m_state.ViewScale = 0;
            break;
        }
    }
    ui->Label6->setText(QStringLiteral("%100"));
    centreOnScreen();
}

void TForm1::MN110Execute()
{
    zoomTo(110);
}

void TForm1::MN125Execute()
{
    zoomTo(125);
}

void TForm1::MN150Execute()
{
    zoomTo(150);
}

void TForm1::MN200Execute()
{
    zoomTo(200);
}

// The window keeps its top edge: only its bottom moves.
void TForm1::setWindowHeight(int height)
{
    setFixedSize(width(), height);
}

void TForm1::zoomTo(int percent)
{
    // Every level is reached from 100 %, so that rounding errors do not add up.
    if (m_state.ScaleApplied)
        MN100Execute();
    scaleBy(percent, 100);
    m_state.ViewScale = percent;
    centreOnScreen();
    ui->Label6->setText(QStringLiteral("%") + QString::number(percent));
}

void TForm1::scaleBy(int numerator, int denominator)
{
    // Nothing is drawn until the whole window is scaled.
    setUpdatesEnabled(false);
    const QPoint topLeft = pos();
    const std::vector<FontBoundHeight> fontBound = fontBoundHeights(this);

    scaleControls(this, clientRect().topLeft(), numerator, denominator);
    const QRect client = clientRect();
    setFixedSize(mulDiv(client.width(), numerator, denominator) + 2 * FrameWidth,
                 mulDiv(client.height(), numerator, denominator) + 2 * FrameWidth);
    setFont(scaledFont(font(), numerator, denominator));
    alignChildren(this, clientRect());
    for (const FontBoundHeight &bound : fontBound)
        followFont(bound);
    fitLabelsToText();

    move(topLeft);
    setUpdatesEnabled(true);
}

void TForm1::centreOnScreen()
{
    move(centredOn(screen()->geometry(), size()));
    // Once the window is on the screen, placing it anew runs its show-time set-up again.
    if (m_placed)
        runReportingErrors(this, [this] { FormShow(); });
}
