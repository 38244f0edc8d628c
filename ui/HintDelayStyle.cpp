#include "HintDelayStyle.h"

HintDelayStyle::HintDelayStyle() : QProxyStyle(QStringLiteral("Fusion"))
{
}

int HintDelayStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                              QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return m_hintDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
