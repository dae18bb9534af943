#pragma once

#include <QProxyStyle>

// The window's push buttons are filled with their palette's button colour in
// every state, pressed or not, focused or not, with a classic bevel around
// the face; keyboard focus is a dark frame that shows on any face colour.
// Everything else is drawn by Fusion.
class ButtonStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ButtonStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
