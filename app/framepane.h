#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

// The fixed layout's ground: holds the controls and paints beneath them the frame rectangles,
// one-pixel outlines in the window-text colour, and around the control that has the keyboard
// focus a two-pixel ring in the same colour, a pixel away from it, so focus shows plainly in any
// palette without covering the control.
class FramePane : public QWidget
{
    Q_OBJECT

public:
    explicit FramePane(QWidget *parent);

    void addFrame(const QRect &frame) { frames_.push_back(frame); }

    // The ring's reach outside the control's rectangle, in pixels.
    static constexpr int kRingGap = 1;
    static constexpr int kRingWidth = 2;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void followFocus(QWidget *now);
    QRect ringAround(const QWidget &control) const;

    std::vector<QRect> frames_;
    QPointer<QWidget> ringed_; // the child the ring is drawn around, if any
};
