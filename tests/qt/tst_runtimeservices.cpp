#include "dirtyspots.h"
#include "drawingsurface.h"
#include "layouttable.h"
#include "pixelsink.h"
#include "qtcolor.h"
#include "qtruntimeservices.h"
#include "valuelabel.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include "contrast.h"

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
    void aNewThemeKeepsTheLabelsAndThePointsColours();
    void aTicksPositionsAreListedForTheDisplay();

private:
    QWidget *window = nullptr;
    ValueLabel *label = nullptr;
    QTimer *timer = nullptr;
    DrawingSurface *surface = nullptr;
    QtRuntimeServices *services = nullptr;
};

void RuntimeServicesTest::init()
{
    window = new QWidget;
    label = new ValueLabel(window);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 0, 89, 33);
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

namespace {

// The label as painted: its background at a corner, and the strongest contrast of any pixel
// against it (the text's).
struct Painted
{
    QRgb back;
    double text;
};
Painted painted(QWidget &label)
{
    const QImage image = label.grab().toImage();
    const QRgb back = image.pixel(1, 1);
    const auto color = [](QRgb c) { return composeRgb(qRed(c), qGreen(c), qBlue(c)); };
    double text = 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            text = std::max(text, Contrast::ratio(color(back), color(image.pixel(x, y))));
    return {back & 0xFFFFFF, text};
}

QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    return dark;
}

} // namespace

void RuntimeServicesTest::labelShowsCaptionOnBackground_data()
{
    QTest::addColumn<int>("index");
    for (int index : {0, 1, 8, 14, 15})
        QTest::addRow("%d", index) << index;
}

// The index in readable text on its colour, and named by its colour for screen readers.
void RuntimeServicesTest::labelShowsCaptionOnBackground()
{
    QFETCH(int, index);
    const Color back = BasicPalette::color(index);
    services->setCaption(LabelId::lbl1, services->intToText(static_cast<std::int16_t>(index)));
    services->setBackColor(LabelId::lbl1, back);
    QCOMPARE(label->text(), QString::number(index));
    const Painted shown = painted(*label);
    QCOMPARE(shown.back, toQRgb(back) & 0xFFFFFF);
    QVERIFY2(shown.text >= 4.5, qPrintable(QString::number(shown.text)));
    QCOMPARE(label->accessibleName().toStdString(),
             BasicPalette::SpokenValue(std::to_string(index), back).view());
}

// A theme switched while the program runs (a new palette and style, every widget's own palette
// reset as a theme engine does) leaves the label on its colour and the points as plotted; what
// was never plotted takes the new surface colour.
void RuntimeServicesTest::aNewThemeKeepsTheLabelsAndThePointsColours()
{
    const QPalette before = QApplication::palette();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    services->setCaption(LabelId::lbl1, "8");
    services->setBackColor(LabelId::lbl1, BasicPalette::color(8));
    services->clearSurface(SurfaceId::pct1);
    services->plotPixel(SurfaceId::pct1, 3, 4, composeRgb(255, 0, 0));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    for (QWidget *w : window->findChildren<QWidget *>())
        w->setPalette(QPalette());
    const Painted shown = painted(*label);
    QCOMPARE(shown.back, qRgb(128, 128, 128) & 0xFFFFFF);
    QVERIFY2(shown.text >= 4.5, qPrintable(QString::number(shown.text)));
    QCOMPARE(QColor(surface->image().pixel(3, 4)), QColor(255, 0, 0));
    QCOMPARE(QColor(surface->image().pixel(0, 0)), QColor(0x2a, 0x2a, 0x2a));
    QApplication::setPalette(before);
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
