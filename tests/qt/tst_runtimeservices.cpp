#include "dirtyspots.h"
#include "drawingsurface.h"
#include "layouttable.h"
#include "pixelsink.h"
#include "qtcolor.h"
#include "qtruntimeservices.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <limits>

namespace {
constexpr int kWide = Layout::kDrawingWidth, kHigh = Layout::kDrawingHeight;
}

// The Qt implementation of the platform services, on real widgets.
class RuntimeServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void plotPixelSetsOnePixelInItsColour();
    void plotPixelClipsOutsideDrawingArea_data();
    void plotPixelClipsOutsideDrawingArea();
    void enablingRunningTimerKeepsItsCadence();
    void labelShowsCaptionOnBackground_data();
    void labelShowsCaptionOnBackground();
    void aTicksPositionsAreListedForTheDisplay();

private:
    QWidget *window = nullptr;
    QLabel *label = nullptr;
    QTimer *timer = nullptr;
    DrawingSurface *surface = nullptr;
    QtRuntimeServices *services = nullptr;
};

void RuntimeServicesTest::init()
{
    window = new QWidget;
    label = new QLabel(window);
    timer = new QTimer(window);
    timer->setInterval(25);
    surface = new DrawingSurface(window);
    services = new QtRuntimeServices(*label, *timer, *surface);
}

void RuntimeServicesTest::cleanup()
{
    delete services;
    delete window;
}

void RuntimeServicesTest::plotPixelSetsOnePixelInItsColour()
{
    QCOMPARE(surface->drawingSize(), QSize(kWide, kHigh));
    services->clearSurface(SurfaceId::pct1);
    const QImage blank = surface->image();
    for (const auto &[x, y] : {std::pair{0, 0}, {182, 0}, {0, 127}, {182, 127}, {91, 63}}) {
        services->plotPixel(SurfaceId::pct1, static_cast<std::int16_t>(x),
                            static_cast<std::int16_t>(y), composeRgb(0x12, 0x34, 0x56));
        QCOMPARE(QColor(surface->image().pixel(x, y)), QColor(0x12, 0x34, 0x56));
    }
    int changed = 0;
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x)
            changed += surface->image().pixel(x, y) != blank.pixel(x, y);
    QCOMPARE(changed, 5);
}

void RuntimeServicesTest::plotPixelClipsOutsideDrawingArea_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("left") << -1 << 5;
    QTest::newRow("top") << 5 << -1;
    QTest::newRow("right") << kWide << 5;
    QTest::newRow("bottom") << 5 << kHigh;
    QTest::newRow("far") << 32767 << -32768;
}

void RuntimeServicesTest::plotPixelClipsOutsideDrawingArea()
{
    QFETCH(int, x);
    QFETCH(int, y);
    services->clearSurface(SurfaceId::pct1);
    const QImage blank = surface->image();
    services->plotPixel(SurfaceId::pct1, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                        composeRgb(255, 0, 0));
    QCOMPARE(surface->image(), blank);
}

void RuntimeServicesTest::enablingRunningTimerKeepsItsCadence()
{
    services->setTimerEnabled(TimerId::tmr1, true);
    QVERIFY(timer->isActive());
    const int id = timer->timerId();
    services->setTimerEnabled(TimerId::tmr1, true);
    QCOMPARE(timer->timerId(), id); // not restarted
    services->setTimerEnabled(TimerId::tmr1, false);
    QVERIFY(!timer->isActive());
    services->setTimerEnabled(TimerId::tmr1, false);
    QVERIFY(!timer->isActive());
}

void RuntimeServicesTest::labelShowsCaptionOnBackground_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name"); // what a screen reader reads
    QTest::newRow("black") << 0 << "0, black";
    QTest::newRow("dark blue") << 1 << "1, dark blue";
    QTest::newRow("dark gray") << 8 << "8, dark gray";
    QTest::newRow("yellow") << 14 << "14, yellow";
    QTest::newRow("white") << 15 << "15, white";
}

void RuntimeServicesTest::labelShowsCaptionOnBackground()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    const Color back = BasicPalette::color(index);
    services->setCaption(LabelId::lbl1, services->intToText(static_cast<std::int16_t>(index)));
    services->setBackColor(LabelId::lbl1, back);
    QCOMPARE(label->text(), QString::number(index));
    QVERIFY(label->autoFillBackground());
    const QPalette palette = label->palette();
    QCOMPARE(palette.color(QPalette::Window), toQColor(back));
    // The number stays readable: text and background differ strongly in lightness.
    const int lightness = std::abs(palette.color(QPalette::WindowText).lightness() -
                                   palette.color(QPalette::Window).lightness());
    QVERIFY2(lightness > 100, qPrintable(QString::number(lightness)));
    QCOMPARE(label->accessibleName(), name);
}

QTEST_MAIN(RuntimeServicesTest)
// A tick's positions are listed, in plotting order, for sending the display pixel by pixel;
// more than two ticks' worth are not, and the box alone stands for them.
void RuntimeServicesTest::aTicksPositionsAreListedForTheDisplay()
{
    std::vector<std::uint32_t> pixels(kWide * kHigh);
    DirtySpots dirty;
    std::vector<PixelPlot> tick;
    for (int i = 0; i < kWide; ++i)
        tick.push_back({static_cast<std::int16_t>(i), static_cast<std::int16_t>(i * 7 % kHigh), 0});
    PixelSink<QtPixel, DirtySpots> sink(pixels.data(), kWide, kWide, kHigh, dirty);
    sink.plotAll(tick);
    QCOMPARE(dirty.spots().size(), tick.size());
    for (std::size_t i = 0; i < tick.size(); ++i)
        QVERIFY(dirty.spots()[i].x == tick[i].x && dirty.spots()[i].y == tick[i].y);
    sink.plot(3, 4, 0);
    QCOMPARE(dirty.spots().size(), tick.size() + 1);
    QVERIFY(dirty.spots().back().x == 3 && dirty.spots().back().y == 4);
    sink.plotAll(tick);
    QVERIFY(dirty.spots().empty()); // past two ticks' worth
    QCOMPARE(dirty.take(), (LayoutScale::Box{0, 0, kWide, kHigh}));
    QVERIFY(dirty.spots().empty());
}

#include "tst_runtimeservices.moc"
