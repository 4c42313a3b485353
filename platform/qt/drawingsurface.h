#pragma once

#include "color.h"
#include "dirtybox.h"
#include "pixelsink.h"
#include "qtcolor.h"
#include "x11pixelwriter.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A pixel canvas: a backing image that keeps whatever is plotted until it is cleared, so the
// picture survives being covered or minimised. A one-pixel border runs along the top, left and
// right. The drawing positions are fixed when the surface is made (183 x 128 for the window's
// 185 x 129 surface); each position is shown as a square block of the largest whole number of
// device pixels that fits, without smoothing, centred on the background, at any device pixel
// ratio (1.5 included: the blocks start on a whole device pixel wherever the surface lies).
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    // Positions for a surface of `size` overall, border included; it starts at that size.
    explicit DrawingSurface(QSize size, QWidget *parent = nullptr);

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
    PixelSink<QtPixel> sink()
    {
        return {pixels_, stride_, image_.width(), image_.height(), dirty_};
    }
    QColor background() const;
    void updateBorder();
    QRect toLogical(const Grid &grid, const QRect &device) const;
    bool putPixels(const Grid &grid, const QRect &changed, std::span<const DirtyBox::Spot> spots);
    X11PixelWriter *x11Writer(QWindow *window);

    // Never shared, so pixels_ stays valid: image() hands out deep copies.
    QImage image_;
    std::uint32_t *pixels_;
    int stride_;                          // in pixels
    bool paintAtOnce_ = false;            // flush() shows the pixels before it returns
    DirtyBox dirty_;                      // what was plotted since the last flush
    std::unique_ptr<X11PixelWriter> x11_; // for x11Window_, when its pixels allow one
    std::uint32_t x11Window_ = 0;
    std::vector<X11PixelWriter::Pixel> batch_;
};
