#pragma once

#include <QKeyEvent>
#include <QPushButton>

// A push button that Return and Enter press as well as Space: down while the key is held, one
// click when it is let go. A held key's repeats click nothing more.
class PushButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!pressesButton(*event))
            return QPushButton::keyPressEvent(event);
        if (!event->isAutoRepeat())
            setDown(true);
    }
    void keyReleaseEvent(QKeyEvent *event) override
    {
        if (!pressesButton(*event))
            return QPushButton::keyReleaseEvent(event);
        if (!event->isAutoRepeat() && isDown()) {
            setDown(false);
            click();
        }
    }

private:
    static bool pressesButton(const QKeyEvent &event)
    {
        return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    }
};
