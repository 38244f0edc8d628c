#pragma once

#include <QWidget>

// An etched decoration: a line along the top edge, or a sunken box.
class Bevel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Shape shape READ shape WRITE setShape)

public:
    enum Shape { TopLine, Box };
    Q_ENUM(Shape)

    explicit Bevel(QWidget *parent = nullptr);

    Shape shape() const { return m_shape; }
    void setShape(Shape shape);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Shape m_shape = Box;
};
