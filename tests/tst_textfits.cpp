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

QRect textRoom(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return w->contentsRect();
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
        const QRect room = textRoom(w);
        const QFontMetrics metrics = w->fontMetrics();
        for (const QString &text : texts) {
            const QString what = QStringLiteral("\"%1\" in %2 (%3 x %4 room)")
                                     .arg(text, w->objectName())
                                     .arg(room.width())
                                     .arg(room.height());
            QVERIFY2(metrics.horizontalAdvance(text) <= room.width(), qPrintable(what));
            QVERIFY2(metrics.boundingRect(text).width() <= room.width(), qPrintable(what));
            QVERIFY2(metrics.height() <= room.height(), qPrintable(what));
        }
    }

    // The frames' side lines run on from the surface's edge columns, above it and below it, with
    // no gap and no step.
    auto *surface = qobject_cast<DrawingSurface *>(window.widget(Layout::ControlId::pct1));
    const QImage shot = window.grab().toImage();
    const double ratio = window.devicePixelRatioF();
    const auto ink = [&](int x, int y) {
        const QPoint device(int((x + 0.5) * ratio), int((y + 0.5) * ratio));
        return QColor(shot.pixel(device)) == window.palette().color(QPalette::WindowText);
    };
    const QRect edge(surface->mapTo(&window, QPoint(0, 0)), surface->size());
    for (int x : {edge.left(), edge.right()}) {
        QVERIFY2(ink(x, edge.top() - 1), qPrintable(QStringLiteral("above, x %1").arg(x)));
        QVERIFY2(ink(x, edge.bottom() + 1), qPrintable(QStringLiteral("below, x %1").arg(x)));
    }

    // Square blocks of whole device pixels, each at least a logical pixel wide: in a picture of
    // the window, a checkerboard plotted over every position shows as blocks on one grid.
    const DrawingSurface::Grid grid = surface->grid();
    QVERIFY(grid.block >= ratio - 1e-6);
    QVERIFY(surface->contentsRect().contains(surface->shownArea()));
    const QSize positions = surface->drawingSize();
    const Color squares[] = {rgbColor(255, 0, 0), rgbColor(0, 0, 255)};
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
        QCOMPARE(window.size(), QSize(199, 311)); // the design size, as laid out
        QCOMPARE(surface->size(), QSize(185, 129));
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
