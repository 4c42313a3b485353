#include "drawingsurface.h"

#include "layoutscale.h"

#include <QAccessibleWidget>
#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace {
// Border thickness on each side: left, top, right, bottom.
constexpr QMargins kBorder{1, 1, 1, 0};

// Screen readers present the surface as a canvas, a picture that changes, not as empty filler.
QAccessibleInterface *canvasFactory(const QString &, QObject *object)
{
    if (auto *surface = qobject_cast<DrawingSurface *>(object))
        return new QAccessibleWidget(surface, QAccessible::Canvas);
    return nullptr;
}
} // namespace

DrawingSurface::DrawingSurface(QSize size, QWidget *parent)
    : QWidget(parent), image_(size.shrunkBy(kBorder), QImage::Format_RGB32),
      pixels_(reinterpret_cast<std::uint32_t *>(image_.bits())),
      stride_(static_cast<int>(image_.bytesPerLine() / sizeof(std::uint32_t)))
{
    static const bool canvasRole = (QAccessible::installFactory(&canvasFactory), true);
    Q_UNUSED(canvasRole);
    paintAtOnce_ = QGuiApplication::platformName() == QLatin1String("xcb");
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContentsMargins(kBorder);
    setFocusPolicy(Qt::StrongFocus);
    resize(size);
    clear();
}

QColor DrawingSurface::background() const
{
    return palette().color(QPalette::Base);
}

void DrawingSurface::clear()
{
    image_.fill(background());
    dirty_ = DirtyBox();
    update(contentsRect());
}

void DrawingSurface::flush()
{
    const auto spots = dirty_.spots();
    const auto box = dirty_.take();
    if (!box)
        return;
    const QRect changed(origin_ + QPoint(box->left, box->top) * block_,
                        QSize(box->width, box->height) * block_);
    // On X11 the few changed pixels go to the server at once, saving the posted event and the
    // wake-up an update() would cost on every tick. Elsewhere the compositor paces painting
    // (Wayland's frame callbacks), so the repaint waits for it.
    if (!paintAtOnce_)
        update(changed);
    else if (spots.empty() || !putPixels(changed, spots))
        repaint(changed);
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect() & contentsRect();
    const QRect shown = shownArea();
    if (!shown.contains(exposed)) // spare room around the blocks
        for (const QRect &spare : QRegion(exposed).subtracted(shown))
            painter.fillRect(spare, background());
    const QRect part = exposed & shown;
    if (!part.isEmpty()) {
        // The positions the part touches, drawn whole.
        const QRect source(
            QPoint((part.left() - origin_.x()) / block_, (part.top() - origin_.y()) / block_),
            QPoint((part.right() - origin_.x()) / block_, (part.bottom() - origin_.y()) / block_));
        painter.drawImage(QRect(origin_ + source.topLeft() * block_, source.size() * block_),
                          image_, source);
    }

    if (contentsRect().contains(event->rect())) // a tick's repaint: no border in it
        return;
    const QColor border = palette().color(QPalette::WindowText);
    const QRect all = rect();
    painter.fillRect(QRect(0, 0, all.width(), kBorder.top()), border);
    painter.fillRect(QRect(0, 0, kBorder.left(), all.height()), border);
    painter.fillRect(QRect(all.width() - kBorder.right(), 0, kBorder.right(), all.height()),
                     border);
}

void DrawingSurface::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateBorder();
}

// The pixels plotted since the last flush are written into the window's backing store, which
// keeps them for whenever the window is exposed again, and sent to the server one by one,
// without a paint event, a painter, or the box around them. Where that cannot be done (scaled
// blocks, a device pixel ratio, a window not on screen, an unexpected store, a display whose
// pixels are not 0xRRGGBB) the widget repaints as usual.
bool DrawingSurface::putPixels(const QRect &changed, std::span<const DirtyBox::Spot> spots)
{
    QWidget *top = window();
    QBackingStore *store = top->backingStore();
    QWindow *handle = top->windowHandle();
    if (!store || !handle || !handle->isExposed() || block_ != 1 || devicePixelRatio() != 1 ||
        !isVisible())
        return false;
    X11PixelWriter *writer = x11Writer(handle);
    if (!writer)
        return false;
    const QPoint offset = mapTo(top, origin_);
    const QRect target(mapTo(top, changed.topLeft()), changed.size());
    store->beginPaint(QRegion(target));
    auto *image = dynamic_cast<QImage *>(store->paintDevice());
    const bool plain = image && image->depth() == 32 && image->devicePixelRatio() == 1 &&
                       image->rect().contains(target);
    if (plain) {
        // Both images keep their rows apart by a whole number of pixels.
        const std::uint32_t *const drawn = pixels_;
        const int drawnStride = stride_;
        std::uint32_t *const shown = reinterpret_cast<std::uint32_t *>(image->bits()) +
                                     offset.y() * (image->bytesPerLine() / 4) + offset.x();
        const int shownStride = static_cast<int>(image->bytesPerLine() / 4);
        const auto dx = static_cast<std::int16_t>(offset.x()),
                   dy = static_cast<std::int16_t>(offset.y());
        batch_.resize(spots.size());
        X11PixelWriter::Pixel *out = batch_.data();
        for (const DirtyBox::Spot spot : spots) {
            const std::uint32_t color = drawn[spot.y * drawnStride + spot.x];
            shown[spot.y * shownStride + spot.x] = color;
            *out++ = {static_cast<std::int16_t>(spot.x + dx),
                      static_cast<std::int16_t>(spot.y + dy), color};
        }
    }
    store->endPaint();
    return plain && writer->write(batch_);
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

void DrawingSurface::resizeEvent(QResizeEvent *)
{
    const QRect area = contentsRect();
    const auto blocks = LayoutScale::fit(image_.width(), image_.height(),
                                         {area.left(), area.top(), area.width(), area.height()});
    block_ = blocks.size;
    origin_ = QPoint(blocks.left, blocks.top);
}

void DrawingSurface::updateBorder()
{
    const QRect area = contentsRect();
    update(QRegion(rect()) - QRegion(area));
}
