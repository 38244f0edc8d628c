#include "Tabtx.h"
#include "ui_Tabtx.h"

#include "Colors.h"
#include "Fonts.h"
#include "ProgramInfo.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <utility>

namespace {

constexpr ColorValue Navy = 0x00800000;

} // namespace

Tabtx::Tabtx(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Tabtx>())
{
    ui->setupUi(this);
    // A tool window: the task bar shows the main window alone.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(size());
    setBackground(this, Colors::White);
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11, false));
    setForeground(this, Colors::WindowText);

    ui->Label2->setFont(designFont(QStringLiteral("Arial"), 16, true));
    setForeground(ui->Label2, Navy);
    ui->Label2->setText(QStringList{QString::fromUtf8(ProgramInfo::WebSite), QString::fromUtf8(ProgramInfo::Forum),
                                    QString(), QString::fromUtf8(ProgramInfo::Email)}
                            .join(QLatin1Char('\n')));
    ui->Label2->adjustSize();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
}

Tabtx::~Tabtx() = default;

void Tabtx::setMainWindowKeys(ActionForKey actionForKey)
{
    m_mainWindowKeys = std::move(actionForKey);
}

void Tabtx::showInFront()
{
    show();
    raise();
    activateWindow();
}

void Tabtx::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
}

// The label takes no mouse press, so presses on it arrive here as well.
void Tabtx::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void Tabtx::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !std::exchange(m_pressed, false) || !rect().contains(at))
        return;
    if (ui->Label2->geometry().contains(at))
        Label2Click();
    else
        FormClick();
}

void Tabtx::FormClick()
{
    hide();
}

void Tabtx::Label2Click()
{
    hide();
}

void Tabtx::FormKeyDown(QKeyEvent *key)
{
    QAction *action = m_mainWindowKeys ? m_mainWindowKeys(*key) : nullptr;
    if (action && action->isEnabled()) {
        action->trigger();
        return;
    }
    hide();
}
