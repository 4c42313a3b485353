#include "drawingsurface.h"
#include "layoutpane.h"
#include "mainwindow.h"
#include "qtcolor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>

// The layout grows with the text: at any logical dpi (set per run with QT_FONT_DPI) and with
// larger system fonts, every caption fits its control, the frames still meet the surface's
// edges and the drawing positions stay square blocks of whole device pixels, also at fractional
// scale factors (set per run with QT_SCALE_FACTOR).
class TextFitsTest : public QObject
{
    Q_OBJECT

private slots:
    void everythingFits_data();
    void everythingFits();
};

namespace {

// The device pixels a text puts on a control: those that differ between the control drawn
// with the text and drawn without it.
QRect inkOf(QWidget *w, const QString &text)
{
    auto *button = qobject_cast<QAbstractButton *>(w);
    auto *label = qobject_cast<QLabel *>(w);
    const QString original = button ? button->text() : label->text();
    const auto drawn = [&](const QString &shown) {
        button ? button->setText(shown) : label->setText(shown);
        return w->grab().toImage();
    };
    const QImage with = drawn(text), without = drawn(QString());
    drawn(original);
    QRect ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

void TextFitsTest::everythingFits_data()
{
    QTest::addColumn<int>("points"); // the system font's size; 0 for the toolkit's default
    QTest::newRow("default font") << 0;
    QTest::newRow("10 pt") << 10;
    QTest::newRow("12 pt") << 12;
    QTest::newRow("14 pt") << 14;
}

void TextFitsTest::everythingFits()
{
    QFETCH(int, points);
    const QFont original = QApplication::font();
    if (points) {
        QFont font = original;
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setFont(original);

    // Every text is drawn whole: its ink is as wide and as high as the font's own ink for it,
    // nothing cut off, and clear of the control's edges and frame.
    QWidget *label = window.widget(Layout::ControlId::lbl1);
    for (QWidget *w : window.findChildren<QWidget *>()) {
        QStringList texts;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        else if (w == label)
            for (int i = 0; i <= 15; ++i)
                texts << QString::number(i);
        else if (auto *other = qobject_cast<QLabel *>(w))
            texts << other->text();
        const double ratio = w->devicePixelRatioF();
        const int frame = qobject_cast<QAbstractButton *>(w)
                              ? w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w)
                              : 0;
        const QRect clear = QRectF(QPointF(0, 0), QSizeF(w->size()) * ratio)
                                .toRect()
                                .adjusted(frame, frame, -frame, -frame);
        for (const QString &text : texts) {
            const QRect ink = inkOf(w, text);
            const QRect font = w->fontMetrics().tightBoundingRect(text);
            const QString what =
                QStringLiteral("\"%1\" in %2: ink %3 x %4 at %5, %6; the font's %7 x %8")
                    .arg(text, w->objectName())
                    .arg(ink.width())
                    .arg(ink.height())
                    .arg(ink.x())
                    .arg(ink.y())
                    .arg(font.width())
                    .arg(font.height());
            QVERIFY2(clear.contains(ink), qPrintable(what));
            // The font's box is in whole logical pixels: up to one more at either end.
            const double slack = 2 * ratio + 1;
            QVERIFY2(ink.width() >= font.width() * ratio - slack, qPrintable(what));
            QVERIFY2(ink.height() >= font.height() * ratio - slack, qPrintable(what));
        }
    }

    // Every line the layout has is solid in the picture where the drawing does not cover it,
    // and the frames' side lines run on from the surface's edge columns, above it and below it,
    // with no gap and no step.
    auto *surface = qobject_cast<DrawingSurface *>(window.widget(Layout::ControlId::pct1));
    const DrawingSurface::Grid grid = surface->grid();
    const QRect drawing(grid.origin, surface->drawingSize() * grid.block);
    const QImage shot = window.grab().toImage();
    const double ratio = window.devicePixelRatioF();
    const QColor text = window.palette().color(QPalette::WindowText);
    const auto ink = [&](int x, int y) { return QColor(shot.pixel(x, y)) == text; };
    const WindowLayout &layout = window.layout();
    for (const WindowLayout::Line &line : layout.lines())
        for (int y = line.box.top; y <= line.box.bottom(); ++y)
            for (int x = line.box.left; x <= line.box.right(); ++x)
                if (!ink(x, y) && !drawing.contains(x, y))
                    QFAIL(qPrintable(
                        QStringLiteral("a line misses device pixel %1, %2").arg(x).arg(y)));
    const LayoutScale::Box edge = layout.box(Layout::ControlId::pct1);
    for (int x : {edge.left, edge.right()}) {
        QVERIFY2(ink(x, edge.top - 1), qPrintable(QStringLiteral("above, x %1").arg(x)));
        QVERIFY2(ink(x, edge.bottom() + 1), qPrintable(QStringLiteral("below, x %1").arg(x)));
    }

    // Square blocks of whole device pixels, each at least a logical pixel wide: in a picture of
    // the window, a checkerboard plotted over every position shows as blocks on one grid.
    QVERIFY(grid.block >= ratio - 1e-6);
    QVERIFY(surface->contentsRect().contains(surface->shownArea()));
    const QSize positions = surface->drawingSize();
    const Color squares[] = {composeRgb(255, 0, 0), composeRgb(0, 0, 255)};
    for (int y = 0; y < positions.height(); ++y)
        for (int x = 0; x < positions.width(); ++x)
            surface->plot(x, y, squares[(x + y) % 2]);
    surface->flush();
    const QImage picture = window.grab().toImage();
    for (int y = 0; y < positions.height() * grid.block; ++y)
        for (int x = 0; x < positions.width() * grid.block; ++x) {
            const QPoint device = grid.origin + QPoint(x, y);
            const QRgb want = toQRgb(squares[(x / grid.block + y / grid.block) % 2]);
            if (picture.pixel(device) != want)
                QFAIL(qPrintable(QStringLiteral("device pixel %1, %2 is not block %3, %4")
                                     .arg(device.x())
                                     .arg(device.y())
                                     .arg(x / grid.block)
                                     .arg(y / grid.block)));
        }

    const int dpi = window.logicalDpiY();
    if (points == 0 && std::lround(dpi * window.devicePixelRatioF()) == 96) {
        QCOMPARE(window.size(),
                 QSize(Layout::kClientWidth, Layout::kClientHeight) / Layout::kTwipsPerPixel);
    }
    qInfo("dpi %d x %.1f, %s: window %d x %d, block %d", dpi, window.devicePixelRatioF(),
          QTest::currentDataTag(), window.width(), window.height(), grid.block);
}

int main(int argc, char *argv[])
{
    // As the program does: whole scale factors.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    TextFitsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_textfits.moc"
