#include "valuelabel.h"

#include "contrast.h"
#include "layouttable.h"
#include "qtcolor.h"

#include <QPainter>

void ValueLabel::setBack(Color back)
{
    back_ = back;
    hasBack_ = true;
    update();
}

Color ValueLabel::textColor() const
{
    const QColor own = palette().color(paletteRole(Layout::kLabelTextColor));
    const Color text = composeRgb(own.red(), own.green(), own.blue());
    return hasBack_ ? Contrast::readableTextOn(back_, text) : text;
}

void ValueLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (hasBack_)
        painter.fillRect(rect(), toQColor(back_));
    painter.setPen(toQColor(textColor()));
    painter.setFont(font());
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}
