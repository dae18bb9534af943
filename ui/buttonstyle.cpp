#include "buttonstyle.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

ButtonStyle::ButtonStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ButtonStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (!qobject_cast<const QPushButton *>(widget))
        return QProxyStyle::drawPrimitive(element, option, painter, widget);

    if (element != PE_PanelButtonCommand)
        return QProxyStyle::drawPrimitive(element, option, painter, widget);

    const bool sunken = option->state & (State_Sunken | State_On);
    qDrawWinButton(painter, option->rect, option->palette, sunken, &option->palette.brush(QPalette::Button));
    // Fusion marks focus in the highlight colour, which is lost on a blue
    // face; a frame in the caption's colour inside the bevel is not.
    if ((option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange)) {
        painter->save();
        painter->setPen(option->palette.color(QPalette::Active, QPalette::ButtonText));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(2, 2, -3, -3));
        painter->restore();
    }
}
