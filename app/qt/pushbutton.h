#pragma once

#include <QKeyEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

// A push button that Return, Enter and Space press: down while the key is held, one click when
// it is let go. The button keeps which key holds it down, so that a held key's repeats, whether
// or not they are marked as such, and other keys meanwhile click nothing more.
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
        if (heldBy_ == 0) {
            heldBy_ = event->key();
            setDown(true);
        }
    }
    void keyReleaseEvent(QKeyEvent *event) override
    {
        if (!pressesButton(*event))
            return QPushButton::keyReleaseEvent(event);
        if (event->isAutoRepeat() || event->key() != heldBy_)
            return;
        heldBy_ = 0;
        if (isDown()) {
            setDown(false);
            click();
        }
    }
    // The caption is laid out in the button's own direction, not the application's: "<" stays
    // "<" in a right-to-left language.
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        painter.setLayoutDirection(layoutDirection());
        QStyleOptionButton option;
        initStyleOption(&option);
        painter.drawControl(QStyle::CE_PushButton, option);
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        heldBy_ = 0; // the button lets go of the key, as it does of the mouse
        QPushButton::focusOutEvent(event);
    }

private:
    static bool pressesButton(const QKeyEvent &event)
    {
        return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
               event.key() == Qt::Key_Space;
    }

    int heldBy_ = 0; // the key holding the button down, or 0
};
