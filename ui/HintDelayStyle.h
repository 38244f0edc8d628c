#pragma once

#include <QProxyStyle>

// Lets the window set how long the mouse must rest before a hint appears.
class HintDelayStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void setHintDelay(int milliseconds) { m_hintDelay = milliseconds; }

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    int m_hintDelay = 500;
};
