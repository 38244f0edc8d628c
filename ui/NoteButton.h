#pragma once

#include "ColorValue.h"

#include <QToolButton>

// The flat button kind of the note rows and the change-note panel: a plain
// coloured face with bold text and a raised edge while the mouse is over it.
// It takes no keyboard focus, so it never becomes a tab stop.
class NoteButton : public QToolButton
{
    Q_OBJECT

public:
    explicit NoteButton(QWidget *parent = nullptr);

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    ColorValue fontColor() const { return m_fontColor; }
    void setFontColor(ColorValue color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ColorValue m_color;
    ColorValue m_fontColor;
};
