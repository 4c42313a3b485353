#include "startup.h"

#include "diagnosis.h"
#include "lastwords.h"
#include "loglimiter.h"
#include "processhygiene.h"
#include "startupguard.h"
#include "x11connection.h"

namespace Startup {

std::unique_ptr<QApplication> start(int &argc, char **argv)
{
    ProcessHygiene::openStandardStreams();
    ProcessHygiene::oneHeap();
    LastWords::install();
    ProcessHygiene::preventBusAutolaunch();
    ProcessHygiene::noScaleBelowOne();
    LogLimiter::install();
    // Integer scale factors keep every plotted pixel a crisp square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    std::unique_ptr<QApplication> app;
    {
        StartupGuard guard;
        // What the font library says while reading its configuration is judged with the rest.
        ProcessHygiene::FontWarmup fonts;
        X11Connection::watchForLoss();
        app = std::make_unique<QApplication>(argc, argv);
        fonts.finish();
    }
    X11Connection::takeOver();
    if (const QString problem = Diagnosis::drawingProblem(); !problem.isEmpty())
        Diagnosis::fail(problem);
    return app;
}

} // namespace Startup
