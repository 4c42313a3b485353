#pragma once

#include "color.h"
#include "dirtyspots.h"
#include "pixelsink.h"
#include "qtcolor.h"
#include "windowlayout.h"
#include "x11pixelwriter.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A pixel canvas: a backing image that keeps whatever is plotted until it is cleared, so the
// picture survives being covered or minimised. Its 183 x 128 positions, its border and its
// blocks are where the window's layout puts them, in whole device pixels at any device pixel
// ratio; at a fractional one, the logical pixels around its box show what lies beneath.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    // Where the window has it at the design scale, until placed.
    explicit DrawingSurface(QWidget *parent = nullptr);

    // Where `layout` puts it: its box, border, room and blocks, counted from its parent's
    // origin in device pixels. It paints the layout's lines that its logical pixels touch.
    void place(const WindowLayout &layout);

    QSize drawingSize() const { return image_.size(); }
    // Drawing-area coordinates; outside the area nothing happens.
    void plot(int x, int y, Color color) { sink().plot(x, y, color); }
    // The same as plot() for each, in order.
    void plotAll(std::span<const PixelPlot> plots) { sink().plotAll(plots); }
    void clear();
    // Shows everything plotted since the last flush: on X11 at once, elsewhere at the next
    // repaint.
    void flush();
    // A copy of the drawing area as plotted, one pixel per position.
    QImage image() const { return image_.copy(); }
    // Where the positions are shown: `block` device pixels square each, the first from `origin`
    // in the window's device pixels, where the surface's own (0, 0) is at `at`.
    struct Grid
    {
        int block;
        QPoint origin;
        QPointF at;
        double ratio;
    };
    Grid grid() const;
    // The logical pixels of the surface that the blocks touch.
    QRect shownArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    PixelSink<QtPixel, DirtySpots> sink()
    {
        return {pixels_, stride_, image_.width(), image_.height(), dirty_};
    }
    QColor background() const;
    QRect toLogical(const Grid &grid, const LayoutScale::Box &device) const;
    QPoint layoutOrigin() const;
    void paintGround(QPainter &painter, const Grid &grid, const QRect &exposed) const;
    void paintBlocks(QPainter &painter, const Grid &grid, const QRect &exposed) const;
    bool putPixels(const Grid &grid, const QRect &changed, std::span<const DirtySpots::Spot> spots);
    void copySpots(QImage &window, QPoint origin, std::span<const DirtySpots::Spot> spots);
    X11PixelWriter *x11Writer(QWindow *window);

    // Never shared, so pixels_ stays valid: image() hands out deep copies.
    QImage image_;
    std::uint32_t *pixels_;
    int stride_;                          // in pixels
    bool paintAtOnce_ = false;            // flush() shows the pixels before it returns
    DirtySpots dirty_;                    // what was plotted since the last flush
    std::unique_ptr<X11PixelWriter> x11_; // for x11Window_, when its pixels allow one
    std::uint32_t x11Window_ = 0;
    std::vector<X11PixelWriter::Pixel> batch_;
    WindowLayout layout_{1.0};
    QRgb ground_ = 0; // the colour of what was never plotted
};
