#include "framepane.h"

#include <QPainter>

void FramePane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (const QRect &frame : frames_) {
        painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), ink);
        painter.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), ink);
        painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), ink);
        painter.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), ink);
    }
}
