#pragma once

#include "ColorValue.h"

#include <QWidget>

// A coloured panel with a centred caption and, unless switched off, a raised
// one-pixel bevel: the window's title bar, the button area and the hidden panels.
// It lays out its aligned children whenever its size changes.
class Panel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(bool bevel READ hasBevel WRITE setBevel)

public:
    explicit Panel(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool hasBevel() const { return m_bevel; }
    void setBevel(bool bevel);
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    ColorValue captionColor() const { return m_captionColor; }
    void setCaptionColor(ColorValue color);

signals:
    // A press of any button, or a double click, on the free surface: the part of
    // the panel that none of its visible children covers; where on the screen, and
    // where in the panel's window.
    void pressed(Qt::MouseButton button, QPointF globalPosition, QPointF windowPosition);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool onFreeSurface(const QMouseEvent *event) const;

    QString m_caption;
    bool m_bevel = true;
    ColorValue m_color;
    ColorValue m_captionColor;
};
