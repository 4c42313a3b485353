#include "startup.h"

#include "diagnosis.h"
#include "lastwords.h"
#include "processhygiene.h"
#include "startupguard.h"
#include "x11connection.h"

namespace Startup {

std::unique_ptr<QApplication> start(int &argc, char **argv)
{
    ProcessHygiene::openStandardStreams();
    LastWords::install();
    Diagnosis::noteArguments(argc, argv);
    ProcessHygiene::preventBusAutolaunch();
    ProcessHygiene::noScaleBelowOne();
    // Integer scale factors keep every plotted pixel a crisp square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    std::unique_ptr<QApplication> app;
    {
        StartupGuard guard;
        X11Connection::watchForLoss();
        ProcessHygiene::FontWarmup fonts;
        app = std::make_unique<QApplication>(argc, argv);
        fonts.finish();
    }
    X11Connection::takeOver();
    if (const QString problem = Diagnosis::drawingProblem(); !problem.isEmpty())
        Diagnosis::fail(problem);
    return app;
}

} // namespace Startup
