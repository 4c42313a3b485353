#pragma once

#include <QApplication>

#include <memory>

// The toolkit, started as the program needs it whatever its surroundings: standard streams that
// were closed, no session bus, little memory, a display that is missing, refuses or goes away.
// Where no window can be had, the program ends here with one line saying why (see LastWords).
namespace Startup {

std::unique_ptr<QApplication> start(int &argc, char **argv);

} // namespace Startup
