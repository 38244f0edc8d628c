#pragma once

#include <QProxyStyle>

// Lets the window set how long the mouse must rest before a hint appears. Built on Qt's Fusion style on every
// platform, so that the painted menu, the lists and the panels look the same everywhere (Windows' own style
// leaves the painted popup menu black and without text under wine).
class HintDelayStyle : public QProxyStyle
{
    Q_OBJECT

public:
    HintDelayStyle();

    void setHintDelay(int milliseconds) { m_hintDelay = milliseconds; }

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    int m_hintDelay = 500;
};
