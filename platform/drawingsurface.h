#pragma once

#include "color.h"
#include "dirtybox.h"
#include "pixelsink.h"
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
// 185 x 129 surface); when the surface grows, each position is shown as a square block of the
// largest whole number of pixels that fits, without smoothing, centred on the background.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    // Positions for a surface of `size` overall, border included; it starts at that size.
    explicit DrawingSurface(QSize size, QWidget *parent = nullptr);

    QSize drawingSize() const { return image_.size(); }
    // Drawing-area coordinates; outside the area nothing happens.
    void plot(int x, int y, Color color) { PixelSink(pixels()).plot(x, y, color); }
    // The pixels themselves, for writing many at once.
    SurfacePixels pixels() { return {pixels_, stride_, image_.width(), image_.height(), &dirty_}; }
    void clear();
    // Shows everything plotted since the last flush: on X11 at once, elsewhere at the next
    // repaint.
    void flush();
    // A copy of the drawing area as plotted, one pixel per position.
    QImage image() const { return image_.copy(); }
    // Where the positions are shown, in the surface's coordinates: `block` pixels square each.
    QRect shownArea() const { return QRect(origin_, image_.size() * block_); }
    int block() const { return block_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QColor background() const;
    void updateBorder();
    bool putPixels(const QRect &changed, std::span<const DirtyBox::Spot> spots);
    X11PixelWriter *x11Writer(QWindow *window);

    // Never shared, so pixels_ stays valid: image() hands out deep copies.
    QImage image_;
    std::uint32_t *pixels_;
    int stride_;                          // in pixels
    bool paintAtOnce_ = false;            // flush() shows the pixels before it returns
    int block_ = 1;                       // pixels per position, each way
    QPoint origin_;                       // where position (0, 0) is shown
    DirtyBox dirty_;                      // what was plotted since the last flush
    std::unique_ptr<X11PixelWriter> x11_; // for x11Window_, when its pixels allow one
    std::uint32_t x11Window_ = 0;
    std::vector<X11PixelWriter::Pixel> batch_;
};
