#include "app/PictureView.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

// Four quadrants: blue top-left, green top-right, red bottom-left, white bottom-right.
imaging::Bitmap Quadrants(int w, int h, int bpp = 24)
{
    imaging::Bitmap b(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = b.Row(y) + x * b.BytesPerPixel();
            const bool right = x >= w / 2, bottom = y >= h / 2;
            p[0] = (!right && !bottom) || (right && bottom) ? 255 : 0; // blue
            p[1] = (right && !bottom) || (right && bottom) ? 255 : 0; // green
            p[2] = (!right && bottom) || (right && bottom) ? 255 : 0; // red
            if (bpp == 32)
                p[3] = 255;
        }
    return b;
}

QImage Render(PictureView& view)
{
    QImage out(view.viewport()->size(), QImage::Format_RGB32);
    out.fill(Qt::magenta);
    view.viewport()->render(&out);
    return out;
}

// The application object has to exist before the fixture's widget.
struct AppFirst {
    AppFirst() { uitest::EnsureApp(); }
};

class PictureViewTest : public ::testing::Test, private AppFirst {
protected:
    void SetUp() override
    {
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }

    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent press(
            QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, modifiers);
        QMouseEvent release(
            QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(view.viewport(), &press);
        QApplication::sendEvent(view.viewport(), &release);
    }

    void Wheel(QPoint at, int delta)
    {
        QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &wheel);
    }

    PictureView view;
};

} // namespace

TEST_F(PictureViewTest, FitUsesWholeClientAreaAndLeavesNoScrollBars)
{
    view.SetBitmap(Quadrants(4000, 1000));
    view.SetZoom(300); // scroll bars now shown, viewport smaller
    ASSERT_GT(view.horizontalScrollBar()->maximum(), 0);
    view.Fit();
    EXPECT_DOUBLE_EQ(view.Zoom(), imaging::FitZoom(4000, 1000, 800, 600));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);

    // A small picture is enlarged, and with automatic fitting it follows the view's size.
    view.SetBitmap(Quadrants(100, 50));
    view.SetAutoFit(true);
    EXPECT_DOUBLE_EQ(view.Zoom(), 800);
    view.resize(400, 600);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(view.Zoom(), 400);
    // Without a picture, fitting leaves the zoom alone.
    view.Clear();
    view.SetAutoFit(false);
    view.SetZoom(150);
    view.Fit();
    EXPECT_DOUBLE_EQ(view.Zoom(), 150);
}

TEST_F(PictureViewTest, SetZoomIgnoresNonPositiveAndUnchanged)
{
    view.SetBitmap(Quadrants(2000, 1500));
    int changes = 0;
    QObject::connect(&view, &PictureView::ZoomChanged, [&changes](double) { ++changes; });
    view.SetZoom(250);
    view.SetZoom(250);
    view.SetZoom(0);
    view.SetZoom(-10);
    EXPECT_DOUBLE_EQ(view.Zoom(), 250);
    EXPECT_EQ(changes, 1);
}

TEST_F(PictureViewTest, ZoomAtKeepsPicturePointUnderViewPoint)
{
    view.SetBitmap(Quadrants(6000, 4000));
    view.Fit();
    for (double zoom : { 100.0, 300.0, 258.0, 40.0 }) {
        const QPointF at(230, 170);
        const QPointF before = view.ViewToPicture(at);
        view.ZoomAt(zoom, at);
        EXPECT_DOUBLE_EQ(view.Zoom(), zoom);
        const QPointF after = view.PictureToView(before);
        EXPECT_NEAR(after.x(), at.x(), 1.0) << zoom;
        EXPECT_NEAR(after.y(), at.y(), 1.0) << zoom;
    }
}

TEST_F(PictureViewTest, WheelZoomsAboutPointerUnlessWindowHandlesIt)
{
    view.SetBitmap(Quadrants(6000, 4000));
    view.SetZoom(200);
    const QPoint at(100, 500);
    const QPointF anchor = view.ViewToPicture(at);
    Wheel(at, 120);
    EXPECT_DOUBLE_EQ(view.Zoom(), 215);
    EXPECT_NEAR(view.PictureToView(anchor).x(), at.x(), 1.0);
    EXPECT_NEAR(view.PictureToView(anchor).y(), at.y(), 1.0);

    int seenDelta = 0;
    QObject::connect(
        &view, &PictureView::WheelTurned, [&seenDelta](int delta, QPoint, Qt::KeyboardModifiers, bool* handled) {
            seenDelta = delta;
            *handled = true;
        });
    Wheel(at, -120);
    EXPECT_EQ(seenDelta, -120);
    EXPECT_DOUBLE_EQ(view.Zoom(), 215);
}

TEST_F(PictureViewTest, ClickZoomsInShiftClickZoomsOutDragScrolls)
{
    view.SetBitmap(Quadrants(6000, 4000));
    view.SetZoom(100);
    int clicks = 0;
    QObject::connect(
        &view, &PictureView::Clicked, [&clicks](QPoint, Qt::MouseButton, Qt::KeyboardModifiers) { ++clicks; });
    const QPoint at(600, 150);
    const QPointF anchor = view.ViewToPicture(at);
    Click(at);
    EXPECT_DOUBLE_EQ(view.Zoom(), 150);
    EXPECT_NEAR(view.PictureToView(anchor).x(), at.x(), 1.0);
    Click(at, Qt::ShiftModifier);
    Click(at, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(view.Zoom(), 75);
    EXPECT_EQ(clicks, 3);

    // A drag moves the picture with the pointer and does not zoom.
    const int x0 = view.horizontalScrollBar()->value();
    const int y0 = view.verticalScrollBar()->value();
    auto send = [this](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, p, view.viewport()->mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &e);
    };
    send(QEvent::MouseButtonPress, { 400, 300 }, Qt::LeftButton);
    send(QEvent::MouseMove, { 350, 260 }, Qt::LeftButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ClosedHandCursor);
    send(QEvent::MouseButtonRelease, { 350, 260 }, Qt::NoButton);
    EXPECT_EQ(view.horizontalScrollBar()->value(), x0 + 50);
    EXPECT_EQ(view.verticalScrollBar()->value(), y0 + 40);
    EXPECT_DOUBLE_EQ(view.Zoom(), 75);
    EXPECT_EQ(clicks, 3);
}

TEST_F(PictureViewTest, PaintsPictureCentredOnBlackAtEveryZoom)
{
    for (int bpp : { 24, 32 }) {
        view.SetBitmap(Quadrants(200, 100, bpp));
        for (double zoom : { 25.0, 100.0, 300.0 }) {
            view.SetZoom(zoom);
            const QImage shot = Render(view);
            const int cw = static_cast<int>(200 * zoom / 100), ch = static_cast<int>(100 * zoom / 100);
            const int left = std::max(0, (800 - cw) / 2), top = std::max(0, (600 - ch) / 2);
            EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 0)) << zoom;
            EXPECT_EQ(shot.pixel(left + cw / 4, top + ch / 4), qRgb(0, 0, 255)) << bpp << " at " << zoom;
            EXPECT_EQ(shot.pixel(left + 3 * cw / 4, top + ch / 4), qRgb(0, 255, 0)) << bpp << " at " << zoom;
            EXPECT_EQ(shot.pixel(left + cw / 4, top + 3 * ch / 4), qRgb(255, 0, 0)) << bpp << " at " << zoom;
            EXPECT_EQ(shot.pixel(left + 3 * cw / 4, top + 3 * ch / 4), qRgb(255, 255, 255)) << bpp << " at " << zoom;
            EXPECT_EQ(shot.pixel(left - 2, top + ch / 2), qRgb(0, 0, 0)) << zoom;
        }
    }
    // Scrolled at 300 %: the top-left corner of the view shows the picture's bottom-right quadrant.
    view.SetBitmap(Quadrants(2000, 1000));
    view.SetZoom(300);
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    EXPECT_EQ(Render(view).pixel(5, 5), qRgb(255, 255, 255));
}

TEST_F(PictureViewTest, TurnsChangeDisplayedPicture)
{
    view.SetBitmap(Quadrants(40, 20));
    view.Rotate90Clockwise();
    ASSERT_EQ(view.Bitmap().Width(), 20);
    ASSERT_EQ(view.Bitmap().Height(), 40);
    // Turned clockwise the blue top-left quadrant lands top-right.
    QImage image = view.ToImage();
    EXPECT_EQ(image.pixel(15, 5), qRgb(0, 0, 255));
    view.Rotate90CounterClockwise();
    view.Flip();
    EXPECT_EQ(view.ToImage().pixel(5, 15), qRgb(0, 0, 255));
    view.Mirror();
    EXPECT_EQ(view.ToImage().pixel(35, 15), qRgb(0, 0, 255));
    view.Rotate180();
    EXPECT_EQ(view.ToImage().pixel(5, 5), qRgb(0, 0, 255));
}

TEST_F(PictureViewTest, PixelsChangedInPlaceAreShownAndResizeIsSafe)
{
    view.SetBitmap(Quadrants(200, 100));
    view.SetZoom(100);
    view.MutableBitmap().Fill(10, 20, 30);
    view.Update();
    EXPECT_EQ(Render(view).pixel(400, 300), qRgb(10, 20, 30));
    // A resize without Update() must neither crash nor paint from freed memory.
    view.MutableBitmap().Resize(3000, 2000);
    view.MutableBitmap().Fill(200, 0, 0);
    EXPECT_EQ(Render(view).pixel(400, 300), qRgb(200, 0, 0));
    view.Update();
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
}

TEST_F(PictureViewTest, CopyToClipboardGivesDisplayedPicture)
{
    view.SetBitmap(Quadrants(64, 32));
    view.CopyToClipboard();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(64, 32));
    EXPECT_EQ(copied.pixel(10, 5), qRgb(0, 0, 255));
    EXPECT_EQ(copied.pixel(50, 25), qRgb(255, 255, 255));
    // The copy is the clipboard's own: later changes to the picture leave it alone.
    view.MutableBitmap().Fill(0, 0, 0);
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixel(10, 5), qRgb(0, 0, 255));
}

TEST_F(PictureViewTest, ForwardsKeysAndArrowsNeverScroll)
{
    view.SetBitmap(Quadrants(6000, 4000));
    view.SetZoom(100);
    std::vector<int> pressed, released;
    QObject::connect(&view, &PictureView::KeyPressed, [&pressed](QKeyEvent* e) { pressed.push_back(e->key()); });
    QObject::connect(&view, &PictureView::KeyReleased, [&released](QKeyEvent* e) { released.push_back(e->key()); });
    const int x0 = view.horizontalScrollBar()->value();
    for (int key : { Qt::Key_Right, Qt::Key_Space, Qt::Key_Escape }) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
        QApplication::sendEvent(&view, &release);
    }
    EXPECT_EQ(pressed, (std::vector<int> { Qt::Key_Right, Qt::Key_Space, Qt::Key_Escape }));
    EXPECT_EQ(released, pressed);
    EXPECT_EQ(view.horizontalScrollBar()->value(), x0);
}

TEST_F(PictureViewTest, LoadFileRecognisesContentAndReportsFailure)
{
    testsupport::TempDir dir;
    const auto bmp = dir.Path() / "picture.jpg"; // a BMP under a misleading name
    ASSERT_TRUE(imaging::SaveBmpFile(bmp.string(), Quadrants(30, 20)));
    ASSERT_TRUE(view.LoadFile(QString::fromStdString(bmp.string())));
    EXPECT_EQ(view.Bitmap().Width(), 30);

    const auto junk = dir.Path() / "junk.png";
    testsupport::WriteFile(junk, std::string("not a picture"));
    EXPECT_FALSE(view.LoadFile(QString::fromStdString(junk.string())));
    EXPECT_TRUE(view.IsEmpty());
    EXPECT_FALSE(view.LoadFile(QString::fromStdString((dir.Path() / "missing.bmp").string())));

    // A name that is not valid UTF-8 opens by its own bytes.
    const std::string odd = (dir.Path() / "caf\xE9.bmp").string();
    ASSERT_TRUE(imaging::SaveBmpFile(odd, Quadrants(7, 5)));
    ASSERT_TRUE(view.LoadFile(odd));
    EXPECT_EQ(view.Bitmap().Width(), 7);
}

namespace {

long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

// Starts a new peak measurement; false where the kernel does not allow it.
bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return clear.good() && StatusKb("VmHWM") >= 0;
}

} // namespace

TEST_F(PictureViewTest, HugePictureIsShownAndZoomedWithoutSecondCopy)
{
    imaging::Bitmap huge(12000, 9000, 24);
    huge.Fill(90, 120, 150);
    const uint8_t* pixels = huge.Data();
    const long pictureKb = static_cast<long>(huge.ByteSize() / 1024);
    const bool measured = ResetPeak();
    const long before = StatusKb("VmRSS");

    view.SetBitmap(std::move(huge));
    EXPECT_EQ(view.Bitmap().Data(), pixels); // moved in, not copied
    view.Fit();
    Render(view);
    for (double zoom : { 100.0, 300.0, 1000.0, 7.0 }) {
        view.ZoomAt(zoom, QPointF(100, 100));
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() / 2);
        EXPECT_EQ(Render(view).pixel(400, 300), qRgb(90, 120, 150)) << zoom;
    }
    view.viewport()->repaint();
    EXPECT_EQ(view.Bitmap().Data(), pixels);
    if (!measured)
        GTEST_SKIP() << "peak memory cannot be measured here";
    // Painting and zooming may take working memory, but nothing near a second picture.
    EXPECT_LT(StatusKb("VmHWM") - before, pictureKb / 4);
}
