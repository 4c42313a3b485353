#pragma once

#include "color.h"

#include <QLabel>

// A label that shows a value on a colour of its own: the background stays what the program set
// whatever the theme does, and the text takes the theme's label colour where that reads well on
// it, else black or white.
class ValueLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    void setBack(Color back);
    Color back() const { return back_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Color textColor() const; // as painted now
    Color back_ = 0;
    bool hasBack_ = false;
};
