#include "basicpalette.h"
#include "dirtyspots.h"
#include "drawingsurface.h"
#include "pixelsink.h"
#include "qtcolor.h"
#include "qtruntimeservices.h"
#include "randomsource.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <limits>

// The Qt implementation of the platform services, on real widgets.
class RuntimeServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void basicPaletteInAttributeOrder_data();
    void basicPaletteInAttributeOrder();
    void randomUnitStaysBelowOne_data();
    void randomUnitStaysBelowOne();
    void randomUnitStepsAreEven();
    void intToTextHasNoBlank_data();
    void intToTextHasNoBlank();
    void plotPixelSetsOnePixelInItsColour();
    void plotPixelClipsOutsideDrawingArea_data();
    void plotPixelClipsOutsideDrawingArea();
    void clearSurfaceFillsBackground();
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

void RuntimeServicesTest::basicPaletteInAttributeOrder_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("rgb");
    const char *expected[] = {"#000000", "#000080", "#008000", "#008080", "#800000", "#800080",
                              "#808000", "#c0c0c0", "#808080", "#0000ff", "#00ff00", "#00ffff",
                              "#ff0000", "#ff00ff", "#ffff00", "#ffffff"};
    for (int i = 0; i < 16; ++i)
        QTest::addRow("%d", i) << i << QString::fromLatin1(expected[i]);
}

void RuntimeServicesTest::basicPaletteInAttributeOrder()
{
    QFETCH(int, index);
    QFETCH(QString, rgb);
    QCOMPARE(toQColor(services->basicPaletteColor(static_cast<std::int16_t>(index))).name(), rgb);
}

void RuntimeServicesTest::randomUnitStaysBelowOne_data()
{
    QTest::addColumn<uint>("bits");
    QTest::addColumn<float>("unit");
    QTest::newRow("zero") << 0u << 0.0f;
    QTest::newRow("half") << 0x80000000u << 0.5f;
    QTest::newRow("low bits ignored") << 0x000000FFu << 0.0f;
    QTest::newRow("engine maximum") << 0xFFFFFFFFu << 1.0f - 0x1p-24f;
}

void RuntimeServicesTest::randomUnitStaysBelowOne()
{
    QFETCH(uint, bits);
    QFETCH(float, unit);
    QCOMPARE(unitFromBits(bits), unit);
    QVERIFY(unitFromBits(bits) < 1.0f);
    QVERIFY(static_cast<int>(256 * static_cast<double>(unitFromBits(bits))) <= 255);
}

void RuntimeServicesTest::randomUnitStepsAreEven()
{
    // The floor(3r) steps of the jitter come out about equally often.
    int counts[3] = {};
    constexpr int kDraws = 30'000;
    for (int i = 0; i < kDraws; ++i) {
        const float r = services->randomUnit();
        QVERIFY(r >= 0.0f && r < 1.0f);
        ++counts[static_cast<int>(3 * static_cast<double>(r))];
    }
    for (int count : counts)
        QVERIFY2(std::abs(count - kDraws / 3) < 600, qPrintable(QString::number(count)));
}

void RuntimeServicesTest::intToTextHasNoBlank_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("8") << 8 << "8";
    QTest::newRow("15") << 15 << "15";
    QTest::newRow("-1") << -1 << "-1";
    QTest::newRow("max") << 32767 << "32767";
    QTest::newRow("min") << -32768 << "-32768";
}

void RuntimeServicesTest::intToTextHasNoBlank()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(services->intToText(static_cast<std::int16_t>(value))), text);
}

void RuntimeServicesTest::plotPixelSetsOnePixelInItsColour()
{
    QCOMPARE(surface->drawingSize(), QSize(183, 128));
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
    QTest::newRow("right") << 183 << 5;
    QTest::newRow("bottom") << 5 << 128;
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

void RuntimeServicesTest::clearSurfaceFillsBackground()
{
    for (int x = 0; x < 183; ++x)
        services->plotPixel(SurfaceId::pct1, static_cast<std::int16_t>(x), 7, 0);
    services->clearSurface(SurfaceId::pct1);
    QImage expected(183, 128, QImage::Format_RGB32);
    expected.fill(surface->palette().color(QPalette::Base));
    QCOMPARE(surface->image(), expected);
    QVERIFY(surface->palette().color(QPalette::Base) != window->palette().color(QPalette::Window));
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
    std::vector<std::uint32_t> pixels(183 * 128);
    DirtySpots dirty;
    std::vector<PixelPlot> tick;
    for (int i = 0; i < 183; ++i)
        tick.push_back({static_cast<std::int16_t>(i), static_cast<std::int16_t>(i * 7 % 128), 0});
    PixelSink<QtPixel, DirtySpots> sink(pixels.data(), 183, 183, 128, dirty);
    sink.plotAll(tick);
    QCOMPARE(dirty.spots().size(), tick.size());
    for (std::size_t i = 0; i < tick.size(); ++i)
        QVERIFY(dirty.spots()[i].x == tick[i].x && dirty.spots()[i].y == tick[i].y);
    sink.plot(3, 4, 0);
    QCOMPARE(dirty.spots().size(), tick.size() + 1);
    QVERIFY(dirty.spots().back().x == 3 && dirty.spots().back().y == 4);
    sink.plotAll(tick);
    QVERIFY(dirty.spots().empty()); // past two ticks' worth
    QCOMPARE(dirty.take(), (LayoutScale::Box{0, 0, 183, 128}));
    QVERIFY(dirty.spots().empty());
}

#include "tst_runtimeservices.moc"
