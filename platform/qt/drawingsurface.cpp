#include "drawingsurface.h"

#include "devicepixels.h"
#include "fillpainter.h"
#include "windowlayout.h"

#include <QAccessibleWidget>
#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// Screen readers present the surface as a canvas, a picture that changes, not as empty filler.
QAccessibleInterface *canvasFactory(const QString &, QObject *object)
{
    if (auto *surface = qobject_cast<DrawingSurface *>(object))
        return new QAccessibleWidget(surface, QAccessible::Canvas);
    return nullptr;
}
} // namespace

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent), image_(Layout::kDrawingWidth, Layout::kDrawingHeight, QImage::Format_RGB32),
      pixels_(reinterpret_cast<std::uint32_t *>(image_.bits())),
      stride_(static_cast<int>(image_.bytesPerLine() / sizeof(std::uint32_t)))
{
    static const bool canvasRole = (QAccessible::installFactory(&canvasFactory), true);
    Q_UNUSED(canvasRole);
    paintAtOnce_ = QGuiApplication::platformName() == QLatin1String("xcb");
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    place(WindowLayout(1.0));
    clear();
}

void DrawingSurface::place(const WindowLayout &layout)
{
    layout_ = layout;
    const double ratio = devicePixelRatioF();
    const QRect logical = DevicePixels::covering(layout.box(Layout::ControlId::pct1), ratio);
    const QRect room = DevicePixels::covering(layout.drawingRoom(), ratio);
    setGeometry(logical);
    setContentsMargins(room.left() - logical.left(), room.top() - logical.top(),
                       logical.right() - room.right(), logical.bottom() - room.bottom());
    update();
}

QColor DrawingSurface::background() const
{
    return palette().color(paletteRole(Layout::kSurfaceColor));
}

void DrawingSurface::clear()
{
    ground_ = background().rgb();
    image_.fill(ground_);
    dirty_ = DirtySpots();
    update(contentsRect());
}

// The window's device pixel that the layout's boxes are counted from: the parent's origin.
QPoint DrawingSurface::layoutOrigin() const
{
    return parentWidget() ? DevicePixels::origin(*parentWidget()) : QPoint();
}

DrawingSurface::Grid DrawingSurface::grid() const
{
    const LayoutScale::Blocks b = layout_.blocks();
    return {b.size, layoutOrigin() + QPoint(b.left, b.top), DevicePixels::at(*this),
            devicePixelRatioF()};
}

// The logical pixels that the device pixels `device` (in the window) touch.
QRect DrawingSurface::toLogical(const Grid &grid, const LayoutScale::Box &device) const
{
    return DevicePixels::toLogical(device, QPoint(), grid.at, grid.ratio).toAlignedRect();
}

QRect DrawingSurface::shownArea() const
{
    const Grid g = grid();
    return toLogical(
        g, {g.origin.x(), g.origin.y(), image_.width() * g.block, image_.height() * g.block});
}

void DrawingSurface::flush()
{
    const auto spots = dirty_.spots();
    const auto box = dirty_.take();
    if (!box)
        return;
    const Grid g = grid();
    const QRect changed =
        toLogical(g, {g.origin.x() + box->left * g.block, g.origin.y() + box->top * g.block,
                      box->width * g.block, box->height * g.block});
    // On X11 the few changed pixels go to the server at once, saving the posted event and the
    // wake-up an update() would cost on every tick. Elsewhere the compositor paces painting
    // (Wayland's frame callbacks), so the repaint waits for it.
    if (!paintAtOnce_)
        update(changed);
    else if (spots.empty() || !putPixels(g, changed, spots))
        repaint(changed);
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const Grid g = grid();
    const QRect exposed = event->rect();
    // A tick's repaint lies wholly on the blocks; anything else has the ground first.
    const QRect shown = shownArea();
    const QRect covered = g.ratio == 1 ? shown : shown.adjusted(1, 1, -1, -1);
    if (!covered.contains(exposed))
        paintGround(painter, g, exposed);
    paintBlocks(painter, g, exposed);
}

// Beneath the blocks, what the window paints there: its ground, lines and ring around the box,
// and the room's background.
void DrawingSurface::paintGround(QPainter &painter, const Grid &g, const QRect &exposed) const
{
    painter.save();
    painter.setClipRect(exposed);
    const auto focus = hasFocus() ? std::optional(Layout::ControlId::pct1) : std::nullopt;
    FillPainter::paint(painter, layout_.fills(focus), palette(), layoutOrigin(), g.at, g.ratio);
    painter.restore();
}

// The positions the exposed part touches, drawn whole.
void DrawingSurface::paintBlocks(QPainter &painter, const Grid &g, const QRect &exposed) const
{
    const QRectF device(g.at + QPointF(exposed.topLeft()) * g.ratio,
                        QSizeF(exposed.size()) * g.ratio);
    const QRect source =
        QRect(QPoint(int(std::floor((device.left() - g.origin.x()) / g.block)),
                     int(std::floor((device.top() - g.origin.y()) / g.block))),
              QPoint(int(std::ceil((device.right() - g.origin.x()) / g.block)) - 1,
                     int(std::ceil((device.bottom() - g.origin.y()) / g.block)) - 1)) &
        image_.rect();
    if (source.isEmpty())
        return;
    const QPoint target = g.origin + source.topLeft() * g.block;
    if (g.ratio == 1) {
        painter.drawImage(QRect(target - g.at.toPoint(), source.size() * g.block), image_, source);
        return;
    }
    // Scaled here to whole device pixels, then put down one to one on the device grid.
    QImage part = image_.copy(source).scaled(source.size() * g.block, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
    part.setDevicePixelRatio(g.ratio);
    painter.drawImage((QPointF(target) - g.at) / g.ratio, part);
}

// A new theme's surface colour takes the place of the old one wherever nothing was plotted;
// the points keep theirs.
void DrawingSurface::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange || background().rgb() == ground_)
        return;
    const QRgb old = std::exchange(ground_, background().rgb());
    for (int y = 0; y < image_.height(); ++y)
        std::replace(pixels_ + y * stride_, pixels_ + y * stride_ + image_.width(), old, ground_);
    update();
}

// The pixels plotted since the last flush are written into the window's backing store, which
// keeps them for whenever the window is exposed again, and sent to the server one by one,
// without a paint event, a painter, or the box around them. Where that cannot be done (scaled
// blocks, a device pixel ratio, a window not on screen, an unexpected store, a display whose
// pixels are not 0xRRGGBB) the widget repaints as usual.
bool DrawingSurface::putPixels(const Grid &grid, const QRect &changed,
                               std::span<const DirtySpots::Spot> spots)
{
    QWidget *top = window();
    QBackingStore *store = top->backingStore();
    QWindow *handle = top->windowHandle();
    if (!store || !handle || !handle->isExposed() || grid.block != 1 || grid.ratio != 1 ||
        !isVisible())
        return false;
    X11PixelWriter *writer = x11Writer(handle);
    if (!writer)
        return false;
    const QRect target(mapTo(top, changed.topLeft()), changed.size());
    store->beginPaint(QRegion(target));
    auto *image = dynamic_cast<QImage *>(store->paintDevice());
    const bool plain = image && image->depth() == 32 && image->devicePixelRatio() == 1 &&
                       image->rect().contains(target);
    if (plain)
        copySpots(*image, grid.origin, spots);
    store->endPaint();
    return plain && writer->write(batch_);
}

// The spots' pixels into the window's image, blocks of one pixel from `origin`, and into the
// batch for the X server.
void DrawingSurface::copySpots(QImage &window, QPoint origin,
                               std::span<const DirtySpots::Spot> spots)
{
    // Both images keep their rows apart by a whole number of pixels.
    const std::uint32_t *const drawn = pixels_;
    const int drawnStride = stride_;
    const int shownStride = static_cast<int>(window.bytesPerLine() / 4);
    std::uint32_t *const shown =
        reinterpret_cast<std::uint32_t *>(window.bits()) + origin.y() * shownStride + origin.x();
    const auto dx = static_cast<std::int16_t>(origin.x()),
               dy = static_cast<std::int16_t>(origin.y());
    batch_.resize(spots.size());
    X11PixelWriter::Pixel *out = batch_.data();
    for (const DirtySpots::Spot spot : spots) {
        const std::uint32_t color = drawn[spot.y * drawnStride + spot.x];
        shown[spot.y * shownStride + spot.x] = color;
        *out++ = {static_cast<std::int16_t>(spot.x + dx), static_cast<std::int16_t>(spot.y + dy),
                  color};
    }
}

X11PixelWriter *DrawingSurface::x11Writer(QWindow *window)
{
    const auto id = static_cast<std::uint32_t>(window->winId());
    if (id != x11Window_) {
        x11Window_ = id;
        const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11_ = x11 ? X11PixelWriter::create(x11->connection(), id) : nullptr;
    }
    return x11_.get();
}
