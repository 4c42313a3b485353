#pragma once

#include "layouttable.h"
#include "windowlayout.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

class DrawingSurface;

// The fixed layout's ground. It places the controls as the window's layout has them at this
// screen's dpi and device pixel ratio, grown where a caption would not fit (larger system
// fonts). Beneath the controls it paints what the layout fills, the ring around the control
// that has the keyboard focus included.
class LayoutPane : public QWidget
{
    Q_OBJECT

public:
    explicit LayoutPane(QWidget *parent);

    // A child in control `id`'s box, whose every text in `texts` must fit.
    void place(QWidget *child, Layout::ControlId id, const QStringList &texts = {});
    void placeSurface(DrawingSurface *surface);
    // Lays the window out afresh for the screen and the text as they are now.
    void fitToText();
    const WindowLayout &layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Placed
    {
        QWidget *child;
        Layout::ControlId id;
        QStringList texts;
    };
    void apply(const WindowLayout &layout);
    double textShortfall() const;
    double shortfall(const Placed &placed) const; // > 1 where a text does not fit
    void followFocus(QWidget *now);
    void updateRing();

    WindowLayout layout_{1.0};
    std::vector<Placed> placed_;
    DrawingSurface *surface_ = nullptr;
    std::optional<Layout::ControlId> focus_; // the control with the ring around it, if any
};
