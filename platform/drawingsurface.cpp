#include "drawingsurface.h"

#include "layoutscale.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

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
    if (const auto box = dirty_.take())
        repaint(QRect(origin_ + QPoint(box->left, box->top) * block_,
                     QSize(box->width, box->height) * block_));
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

void DrawingSurface::resizeEvent(QResizeEvent *)
{
    const QRect area = contentsRect();
    block_ = std::max(1, std::min(area.width() / image_.width(), area.height() / image_.height()));
    const QSize spare = area.size() - image_.size() * block_;
    origin_ =
        area.topLeft() + QPoint(std::max(0, spare.width() / 2), std::max(0, spare.height() / 2));
}

void DrawingSurface::updateBorder()
{
    const QRect area = contentsRect();
    update(QRegion(rect()) - QRegion(area));
}
