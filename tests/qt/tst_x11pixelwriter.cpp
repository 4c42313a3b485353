// Pixels sent straight to an X11 window, checked against a real X server (tests/x11.sh starts
// one): they land where and as asked, long runs of requests that have no reply leave the
// connection in step, and only windows whose pixels are 0xRRGGBB get a writer.
#include "x11pixelwriter.h"

#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {
template<class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template<class T> Reply<T> reply(T *r)
{
    return Reply<T>(r, &std::free);
}
} // namespace

class X11PixelWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pixelsLandWhereAndAsAsked();
    void longRunsWithoutRepliesStayInStep();
    void onlyRgbWindowsGetAWriter();

private:
    xcb_window_t makeWindow(xcb_visualid_t visual, std::uint8_t depth);
    std::uint32_t pixelAt(int x, int y);

    xcb_connection_t *c_ = nullptr;
    xcb_screen_t *screen_ = nullptr;
    xcb_window_t window_ = 0;
};

void X11PixelWriterTest::init()
{
    c_ = xcb_connect(nullptr, nullptr);
    QVERIFY2(!xcb_connection_has_error(c_), "needs an X server: run under tests/x11.sh");
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    if (screen_->root_depth != 24)
        QSKIP("a 24-bit screen is needed");
    window_ = makeWindow(screen_->root_visual, XCB_COPY_FROM_PARENT);
}

void X11PixelWriterTest::cleanup()
{
    xcb_disconnect(c_);
}

// A black 64 x 64 window, mapped, with `visual`.
xcb_window_t X11PixelWriterTest::makeWindow(xcb_visualid_t visual, std::uint8_t depth)
{
    const xcb_window_t window = xcb_generate_id(c_);
    const xcb_colormap_t colormap = xcb_generate_id(c_);
    xcb_create_colormap(c_, XCB_COLORMAP_ALLOC_NONE, colormap, screen_->root, visual);
    const std::uint32_t values[] = {0, 0, colormap};
    xcb_create_window(c_, depth, window, screen_->root, 0, 0, 64, 64, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_COLORMAP, values);
    xcb_map_window(c_, window);
    free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); // all done
    return window;
}

std::uint32_t X11PixelWriterTest::pixelAt(int x, int y)
{
    const auto image = reply(xcb_get_image_reply(
        c_,
        xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), 1, 1, ~0u),
        nullptr));
    if (!image || xcb_get_image_data_length(image.get()) < 4)
        return 0xDEADBEEF;
    return *reinterpret_cast<const std::uint32_t *>(xcb_get_image_data(image.get())) & 0xFFFFFF;
}

void X11PixelWriterTest::pixelsLandWhereAndAsAsked()
{
    const auto writer = X11PixelWriter::create(c_, window_);
    QVERIFY(writer);
    // The last of two pixels at one place wins; the top byte is ignored.
    const std::vector<X11PixelWriter::Pixel> pixels{
        {0, 0, 0xFF123456}, {63, 63, 0x00ABCDEF}, {10, 20, 0xFF0000}, {10, 20, 0x00FF00}};
    QVERIFY(writer->write(pixels));
    QCOMPARE(pixelAt(0, 0), 0x123456u);
    QCOMPARE(pixelAt(63, 63), 0xABCDEFu);
    QCOMPARE(pixelAt(10, 20), 0x00FF00u);
    QCOMPARE(pixelAt(20, 10), 0u);
}

// A reply carries only 16 bits of its request's number. Without a request that has a reply
// now and then, the library would file the next reply under the wrong request and wait for
// ever.
void X11PixelWriterTest::longRunsWithoutRepliesStayInStep()
{
    const auto writer = X11PixelWriter::create(c_, window_);
    QVERIFY(writer);
    std::vector<X11PixelWriter::Pixel> batch(183);
    for (int round = 0; round < 1200; ++round) { // 219,600 requests
        for (std::size_t i = 0; i < batch.size(); ++i)
            batch[i] = {static_cast<std::int16_t>(i % 64), static_cast<std::int16_t>(round % 64),
                        static_cast<std::uint32_t>(round)};
        QVERIFY(writer->write(batch));
    }
    QVERIFY(!xcb_connection_has_error(c_));
    QCOMPARE(pixelAt(5, 1199 % 64), 1199u);
    const auto focus = reply(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    QVERIFY(focus);
}

void X11PixelWriterTest::onlyRgbWindowsGetAWriter()
{
    QVERIFY(X11PixelWriter::create(c_, window_));
    QVERIFY(!X11PixelWriter::create(nullptr, window_));
    // Direct colour keeps the 0xRRGGBB layout but looks each part up in a colour map.
    for (auto depth = xcb_screen_allowed_depths_iterator(screen_); depth.rem;
         xcb_depth_next(&depth))
        for (auto v = xcb_depth_visuals_iterator(depth.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->_class == XCB_VISUAL_CLASS_DIRECT_COLOR) {
                const xcb_window_t direct = makeWindow(v.data->visual_id, depth.data->depth);
                QVERIFY(!X11PixelWriter::create(c_, direct));
                return;
            }
    QSKIP("the server offers no direct-colour visual");
}

QTEST_GUILESS_MAIN(X11PixelWriterTest)
#include "tst_x11pixelwriter.moc"
