#pragma once

#include "layoutscale.h"

#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <vector>

// The fixed layout's ground. It places the controls, laid out on the grid of 96 dots per inch,
// at a scale that follows the text: at least the logical dpi over 96, and more where a caption
// would not fit its control otherwise (larger system fonts), or where the drawing surface could
// not show its positions as blocks of whole device pixels at least a logical pixel wide (a
// fractional device pixel ratio such as 1.5). Beneath the controls it paints the
// frame rectangles, one-pixel outlines in the window-text colour, and around the control that
// has the keyboard focus a two-pixel ring in the same colour, a pixel away from it, so focus
// shows plainly in any palette without covering the control.
class LayoutPane : public QWidget
{
    Q_OBJECT

public:
    LayoutPane(QSize at96, QWidget *parent);

    // How a child's box scales (see LayoutScale): by its edges, or by its outline, as the drawing
    // surface does, whose edges the frames' lines meet.
    enum Scaling
    {
        ByArea,
        Outlined
    };
    // A child in the box `at96`, whose every text in `texts` must fit.
    void place(QWidget *child, const LayoutScale::Box &at96, const QStringList &texts = {},
               Scaling scaling = ByArea);
    void addFrame(const LayoutScale::Box &at96) { frames_.push_back(at96); }
    // The placed child whose contents show `positions` as square blocks.
    void holdBlocks(QWidget *child, QSize positions)
    {
        blocks_ = child;
        positions_ = positions;
    }
    // Scales the layout to the text as it is now; 1 at 96 dpi with the usual fonts.
    void fitToText();
    double scale() const { return scale_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Placed
    {
        QWidget *child;
        LayoutScale::Box at96;
        QStringList texts;
        Scaling scaling;
    };
    void applyScale(double scale);
    double shortfall(const Placed &placed) const; // > 1 where a text does not fit
    double blockShortfall(int block) const;       // > 1 where blocks of `block` do not fit
    void followFocus(QWidget *now);
    QRect ringAround(const QWidget &control) const;

    QSize at96_;
    double scale_ = 1.0;
    std::vector<Placed> placed_;
    std::vector<LayoutScale::Box> frames_; // on the 96-dpi grid
    QPointer<QWidget> ringed_;             // the child the ring is drawn around, if any
    QWidget *blocks_ = nullptr;
    QSize positions_;
};
