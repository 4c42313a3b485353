// One tick of the point animation: 183 plots and 366 random draws.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_tick
#include "drawingsurface.h"
#include "pointanimation.h"
#include "qtruntimeservices.h"
#include "valuelabel.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// The real services with a surface that discards every pixel: the cost of the logic alone.
class NullSurfaceServices final : public RuntimeServices
{
public:
    explicit NullSurfaceServices(RuntimeServices &real) : real_(real) {}
    float randomUnit() override { return real_.randomUnit(); }
    Color basicPaletteColor(std::int16_t index) override { return real_.basicPaletteColor(index); }
    std::string intToText(std::int16_t value) override { return real_.intToText(value); }
    void setCaption(LabelId, std::string_view) override {}
    void setBackColor(LabelId, Color) override {}
    void setTimerEnabled(TimerId, bool) override {}
    void clearSurface(SurfaceId) override {}
    void plotPixel(SurfaceId, std::int16_t x, std::int16_t y, Color c) override
    {
        benchmark::DoNotOptimize(x + y + c);
    }

private:
    RuntimeServices &real_;
};

struct Window
{
    QWidget window;
    ValueLabel label{&window};
    QTimer timer{&window};
    DrawingSurface surface{&window};
    QtRuntimeServices services{label, timer, surface};
};

void tickLoop(benchmark::State &state, RuntimeServices &services, DrawingSurface *surface)
{
    PointAnimation animation(services);
    animation.selectMode(static_cast<MotionMode>(state.range(0)));
    animation.reset();
    for (auto _ : state) {
        animation.tick();
        if (surface)
            surface->flush();
    }
    state.SetItemsProcessed(state.iterations() * PointField::kCount);
    state.SetLabel(std::array{"Fall", "Sort", "Wind"}[state.range(0)]);
}

void BM_TickQtSurface(benchmark::State &state)
{
    Window w;
    tickLoop(state, w.services, &w.surface);
}

void BM_TickNullSurface(benchmark::State &state)
{
    Window w;
    NullSurfaceServices services(w.services);
    tickLoop(state, services, nullptr);
}

BENCHMARK(BM_TickQtSurface)->DenseRange(0, 2);
BENCHMARK(BM_TickNullSurface)->DenseRange(0, 2);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
