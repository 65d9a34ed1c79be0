#include "app/PictureView.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <future>
#include <thread>
#include <vector>

#include "imaging/BitmapTransform.h"
#include "imaging/LoadPicture.h"
#include "imaging/ViewScale.h"

namespace {

// A magnifier with a plus or a minus, hot spot at the lens centre.
QCursor MakeZoomCursor(bool zoomOut)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(12, 12);
    for (int pass = 0; pass < 2; ++pass) {
        // A white outline first so the cursor shows on the black background.
        QPen pen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 4.0 : 2.0);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 8, 8);
        p.drawLine(QPointF(18, 18), QPointF(28, 28));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        if (!zoomOut)
            p.drawLine(QPointF(12, 8), QPointF(12, 16));
    }
    p.end();
    return QCursor(pixmap, 12, 12);
}

// A QImage over the bitmap's own memory. The const-data constructor never
// takes ownership and never writes; a non-const use would detach a copy.
QImage Wrap(const imaging::Bitmap& bitmap)
{
    const QImage::Format format
        = bitmap.BitsPerPixel() == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_BGR888;
    return QImage(bitmap.Data(), bitmap.Width(), bitmap.Height(), bitmap.Stride(), format);
}

} // namespace

PictureView::PictureView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , zoomInCursor_(MakeZoomCursor(false))
    , zoomOutCursor_(MakeZoomCursor(true))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, Qt::black);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(zoomInCursor_);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

QSize PictureView::sizeHint() const
{
    return { 640, 480 };
}

// --- The displayed picture ---

bool PictureView::LoadFile(const std::string& nativePath)
{
    Clear();
    imaging::PictureLoadOptions options;
    options.progress = ProgressCallback();
    imaging::Bitmap loaded;
    if (!imaging::LoadPicture(nativePath, loaded, options))
        return false;
    SetBitmap(std::move(loaded));
    return true;
}

bool PictureView::LoadFile(const QString& path)
{
    return LoadFile(QFile::encodeName(path).toStdString());
}

void PictureView::SetBitmap(imaging::Bitmap bitmap)
{
    bitmap_ = std::move(bitmap);
    PictureChanged();
}

imaging::Bitmap PictureView::TakeBitmap()
{
    imaging::Bitmap out = std::move(bitmap_);
    bitmap_ = imaging::Bitmap();
    PictureChanged();
    return out;
}

void PictureView::Update()
{
    PictureChanged();
}

void PictureView::Clear()
{
    bitmap_ = imaging::Bitmap();
    PictureChanged();
}

void PictureView::SyncImage()
{
    const bool same = !image_.isNull() && image_.constBits() == bitmap_.Data() && image_.width() == bitmap_.Width()
        && image_.height() == bitmap_.Height() && image_.bytesPerLine() == bitmap_.Stride()
        && image_.depth() == bitmap_.BitsPerPixel();
    if (same)
        return;
    if (bitmap_.Empty()) {
        image_ = QImage();
        return;
    }
    image_ = Wrap(bitmap_);
}

void PictureView::PictureChanged()
{
    SyncImage();
    if (autoFit_)
        Fit();
    LayOut(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

// --- Turns ---

void PictureView::RotateClockwise(int quarterTurns)
{
    imaging::RotateClockwise(bitmap_, quarterTurns);
    PictureChanged();
}

void PictureView::Flip()
{
    imaging::FlipVertical(bitmap_);
    PictureChanged();
}

void PictureView::Mirror()
{
    imaging::MirrorHorizontal(bitmap_);
    PictureChanged();
}

// --- Geometry and zoom ---

imaging::ViewGeometry PictureView::Geometry() const
{
    imaging::ViewGeometry g;
    g.pictureWidth = bitmap_.Width();
    g.pictureHeight = bitmap_.Height();
    g.viewWidth = viewport()->width();
    g.viewHeight = viewport()->height();
    g.zoom = zoom_;
    g.scrollX = horizontalScrollBar()->value();
    g.scrollY = verticalScrollBar()->value();
    return g;
}

void PictureView::LayOut(int scrollX, int scrollY)
{
    layingOut_ = true;
    // Showing or hiding a scroll bar changes the viewport, so settle the ranges again.
    for (int pass = 0; pass < 3; ++pass) {
        const QSize before = viewport()->size();
        imaging::ViewGeometry g = Geometry();
        g.scrollX = scrollX;
        g.scrollY = scrollY;
        g.ClampScroll();
        horizontalScrollBar()->setRange(0, g.MaxScrollX());
        verticalScrollBar()->setRange(0, g.MaxScrollY());
        horizontalScrollBar()->setPageStep(std::max(1, g.viewWidth));
        verticalScrollBar()->setPageStep(std::max(1, g.viewHeight));
        horizontalScrollBar()->setValue(g.scrollX);
        verticalScrollBar()->setValue(g.scrollY);
        if (viewport()->size() == before)
            break;
    }
    layingOut_ = false;
}

void PictureView::ZoomAt(double percent, QPointF viewPoint)
{
    percent = imaging::ClampZoom(percent, bitmap_.Width(), bitmap_.Height());
    if (!(percent > 0))
        return;
    imaging::ViewGeometry g = Geometry();
    g.ZoomAbout(percent, { viewPoint.x(), viewPoint.y() });
    const bool changed = percent != zoom_;
    zoom_ = percent;
    LayOut(g.scrollX, g.scrollY);
    viewport()->update();
    if (changed)
        emit ZoomChanged(zoom_);
}

void PictureView::SetZoom(double percent)
{
    if (!(percent > 0) || percent == zoom_)
        return;
    const QSize size = viewport()->size();
    ZoomAt(percent, QPointF(size.width() / 2.0, size.height() / 2.0));
}

void PictureView::Fit()
{
    // Fit into the whole client area, as it is once no scroll bar is needed.
    const QSize area = maximumViewportSize();
    const int zoom = imaging::FitZoom(bitmap_.Width(), bitmap_.Height(), area.width(), area.height());
    if (zoom <= 0)
        return;
    const bool changed = zoom != zoom_;
    zoom_ = zoom;
    LayOut(0, 0);
    viewport()->update();
    if (changed)
        emit ZoomChanged(zoom_);
}

void PictureView::SetAutoFit(bool on)
{
    autoFit_ = on;
    if (on)
        Fit();
}

QSize PictureView::ClientSize() const
{
    return viewport()->size();
}

QPointF PictureView::ViewToPicture(QPointF viewPoint) const
{
    const auto p = Geometry().ViewToPicture({ viewPoint.x(), viewPoint.y() });
    return { p.x, p.y };
}

QPointF PictureView::PictureToView(QPointF picturePoint) const
{
    const auto p = Geometry().PictureToView({ picturePoint.x(), picturePoint.y() });
    return { p.x, p.y };
}

// --- Painting ---

void PictureView::paintEvent(QPaintEvent* event)
{
    // A caller may have replaced the pixels through MutableBitmap() without Update().
    SyncImage();
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const imaging::VisiblePart part
        = Geometry().Visible({ exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1 });
    if (part.source.Empty()) {
        painter.fillRect(exposed, Qt::black);
    } else if (zoom_ < 100) {
        PaintReduced(painter, exposed, part);
    } else {
        painter.fillRect(exposed, Qt::black);
        PaintEnlarged(painter, exposed, part);
    }
    emit PaintOverlay(&painter);
}

// Reduced: averaged samples of just the exposed picture pixels, then one plain blit.
void PictureView::PaintReduced(QPainter& painter, const QRect& exposed, const imaging::VisiblePart& part)
{
    const imaging::ViewGeometry g = Geometry();
    // Whole view pixels of the picture's place, within the exposed rectangle.
    const QRect place = QRectF(part.target.left, part.target.top, part.target.Width(), part.target.Height())
                            .toAlignedRect()
                            .intersected(exposed);
    if (scratch_.width() < place.width() || scratch_.height() < place.height())
        scratch_ = QImage(place.size().expandedTo(viewport()->size()), QImage::Format_RGB32);
    uint32_t* pixels = reinterpret_cast<uint32_t*>(scratch_.bits());
    const int stride = static_cast<int>(scratch_.bytesPerLine() / 4);
    // Edge pixels the picture only partly covers stay black.
    for (int y = 0; y < place.height(); ++y)
        std::fill_n(pixels + static_cast<ptrdiff_t>(y) * stride, place.width(), 0xFF000000u);
    // Large areas are split into bands of rows computed side by side.
    const int bands = place.width() * place.height() >= 256 * 1024
        ? std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4)
        : 1;
    std::vector<std::future<void>> running;
    for (int band = 0; band < bands; ++band) {
        const int top = place.top() + place.height() * band / bands;
        const int bottom = place.top() + place.height() * (band + 1) / bands;
        const imaging::RectI area { place.left(), top, place.right() + 1, bottom };
        uint32_t* first = pixels + static_cast<ptrdiff_t>(top - place.top()) * stride;
        const auto work = [this, &g, area, first, stride] {
            imaging::ScaleForView(bitmap_, g.Scale(), g.OriginX(), g.OriginY(), area, first, stride);
        };
        if (band + 1 == bands)
            work(); // the last band on this thread
        else
            running.push_back(std::async(std::launch::async, work));
    }
    for (auto& f : running)
        f.get();
    painter.drawImage(place.topLeft(), scratch_, QRect(QPoint(0, 0), place.size()));
    const QRegion margins = QRegion(exposed).subtracted(place);
    for (const QRect& r : margins)
        painter.fillRect(r, Qt::black);
}

// Actual size or enlarged: whole source pixels as sharp squares, so detail can be checked.
void PictureView::PaintEnlarged(QPainter& painter, const QRect& exposed, const imaging::VisiblePart& part)
{
    const QRectF target(part.target.left, part.target.top, part.target.Width(), part.target.Height());
    const QRectF source(part.source.left, part.source.top, part.source.Width(), part.source.Height());
    painter.setClipRect(exposed);
    painter.drawImage(target, image_, source);
    painter.setClipping(false);
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (layingOut_)
        return;
    if (autoFit_)
        Fit();
    else
        LayOut(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void PictureView::scrollContentsBy(int dx, int dy)
{
    if (layingOut_)
        return; // the caller repaints the whole view
    viewport()->scroll(dx, dy);
}

// --- Mouse and keys ---

void PictureView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    const QPoint pos = event->position().toPoint();
    bool handled = false;
    emit WheelTurned(delta, pos, event->modifiers(), &handled);
    if (handled)
        return;
    autoFit_ = false;
    const double next = imaging::WheelZoomStep(zoom_, delta);
    if (next > 0)
        ZoomAt(next, event->position());
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    dragging_ = false;
    pressPos_ = event->position().toPoint();
    pressScroll_ = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    event->accept();
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        UpdateCursor(event->modifiers());
        return;
    }
    const QPoint moved = event->position().toPoint() - pressPos_;
    if (!dragging_ && moved.manhattanLength() >= QApplication::startDragDistance() && mouseInteraction_) {
        dragging_ = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    if (dragging_) {
        horizontalScrollBar()->setValue(pressScroll_.x() - moved.x());
        verticalScrollBar()->setValue(pressScroll_.y() - moved.y());
    }
    event->accept();
}

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    const QPoint pos = event->position().toPoint();
    if (dragging_) {
        dragging_ = false;
        UpdateCursor(event->modifiers());
        event->accept();
        return;
    }
    emit Clicked(pos, event->button(), event->modifiers());
    if (mouseInteraction_ && !bitmap_.Empty()) {
        autoFit_ = false;
        ZoomAt(imaging::ClickZoomStep(zoom_, !(event->modifiers() & Qt::ShiftModifier)), QPointF(pos));
    }
    event->accept();
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit DoubleClicked(event->position().toPoint(), event->button());
    // A double click counts as a second click for the click zoom.
    mousePressEvent(event);
}

void PictureView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        UpdateCursor(event->modifiers());
    event->ignore();
    if (!keysDown_.contains(event->key()))
        keysDown_.append(event->key());
    emit KeyPressed(event);
    if (event->isAccepted())
        return;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // The arrows are the window's commands, never scrolling.
        event->accept();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event); // Page Up/Down scroll
    }
}

void PictureView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        UpdateCursor(event->modifiers());
    event->ignore();
    if (keysDown_.removeAll(event->key()) == 0) {
        QAbstractScrollArea::keyReleaseEvent(event);
        return;
    }
    emit KeyReleased(event);
    if (!event->isAccepted())
        QAbstractScrollArea::keyReleaseEvent(event);
}

void PictureView::focusOutEvent(QFocusEvent* event)
{
    // The releases of keys held now go elsewhere.
    keysDown_.clear();
    QAbstractScrollArea::focusOutEvent(event);
}

void PictureView::enterEvent(QEnterEvent* event)
{
    UpdateCursor(QGuiApplication::keyboardModifiers());
    QAbstractScrollArea::enterEvent(event);
}

void PictureView::UpdateCursor(Qt::KeyboardModifiers modifiers)
{
    if (dragging_)
        return;
    SetZoomCursor(modifiers & Qt::ShiftModifier);
}

void PictureView::SetZoomCursor(bool zoomOut)
{
    viewport()->setCursor(zoomOut ? zoomOutCursor_ : zoomInCursor_);
}

// --- Clipboard and progress ---

QImage PictureView::ToImage() const
{
    if (bitmap_.Empty())
        return {};
    return Wrap(bitmap_).copy();
}

void PictureView::CopyToClipboard() const
{
    QImage copy = ToImage();
    if (!copy.isNull())
        QGuiApplication::clipboard()->setImage(copy);
}

void PictureView::ReportProgress(int percent)
{
    emit Progress(percent);
}

imaging::ProgressFn PictureView::ProgressCallback()
{
    return [this](int percent) {
        ReportProgress(percent);
        return true;
    };
}
