// The page's program: the window's form over the page's services. The page's script calls the
// exported functions; each handler's drawing reaches the canvas before it returns.
#include "mainform.h"
#include "page.h"
#include "pagelayout.h"
#include "webruntimeservices.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <unistd.h>

namespace {

std::uint64_t browserSeed()
{
    std::uint64_t seed = 0;
    getentropy(&seed, sizeof seed); // the browser's crypto.getRandomValues
    return seed;
}

WebRuntimeServices services(browserSeed());
MainForm form(services);

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void fizzet_click(int control)
{
    form.click(static_cast<Layout::ControlId>(control));
    services.present();
}

EMSCRIPTEN_KEEPALIVE void fizzet_tick()
{
    form.tick();
    services.present();
}

// roomWidth, roomHeight: a phone's screen, in CSS pixels, for the window to fill; 0 elsewhere.
EMSCRIPTEN_KEEPALIVE void fizzet_layOut(double fontPixels, double ratio, double roomWidth,
                                        double roomHeight)
{
    PageLayout::layOut(fontPixels, ratio, roomWidth, roomHeight);
}

// control: the control with the keyboard focus, or -1 where none has it.
EMSCRIPTEN_KEEPALIVE void fizzet_focus(int control)
{
    PageLayout::focus(control < 0 ? std::nullopt
                                  : std::optional(static_cast<Layout::ControlId>(control)));
}

// The browser's system colours as it computes them now, as 0x00BBGGRR.
EMSCRIPTEN_KEEPALIVE void fizzet_systemColors(Color buttonFace, Color buttonText, Color canvas,
                                              Color canvasText)
{
    services.setTextColor(PageLayout::paintIn(buttonFace, buttonText, canvas, canvasText));
}
}

int main()
{
    PageLayout::build();
    page_ready(static_cast<int>(Layout::kInitialFocus));
    form.load();
    services.present();
}
