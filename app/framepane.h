#pragma once

#include <QRect>
#include <QWidget>

#include <vector>

// The fixed layout's ground: holds the controls and paints the frame rectangles beneath them,
// one-pixel outlines in the window-text colour.
class FramePane : public QWidget
{
    Q_OBJECT

public:
    explicit FramePane(QWidget *parent) : QWidget(parent) {}

    void addFrame(const QRect &frame) { frames_.push_back(frame); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<QRect> frames_;
};
