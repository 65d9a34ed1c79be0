#pragma once
// The zoomable picture view: shows the displayed picture (an imaging::Bitmap
// it owns) through a QImage over the same memory, on a black background,
// centred when smaller than the view, with scroll bars. Left click zooms in
// about the clicked point, Shift+click zooms out, a drag scrolls. Only the
// visible part of the picture is scaled on each paint.
//
// The window decides what the wheel and the keys do: they are reported
// through signals first, and the view falls back to its own behaviour
// (wheel zoom about the pointer) only when the wheel is not handled.

#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QString>

#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"
#include "imaging/ViewGeometry.h"

class QPainter;

class PictureView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // --- The displayed picture ---
    // Loads a picture through imaging::LoadPicture (recognised by its first
    // bytes) and shows it. The previous picture is released first so that a large
    // picture is never held twice; on failure the view is left empty and false
    // is returned.
    bool LoadFile(const std::string& nativePath);
    bool LoadFile(const QString& path);
    // Shows `bitmap` (moved in; 24 or 32 bits). The zoom is kept, the scroll
    // position stays where it can.
    void SetBitmap(imaging::Bitmap bitmap);
    // Hands the displayed picture out and leaves the view empty.
    imaging::Bitmap TakeBitmap();
    const imaging::Bitmap& Bitmap() const { return bitmap_; }
    // For pixel changes in place; call Update() afterwards (also after a resize).
    imaging::Bitmap& MutableBitmap() { return bitmap_; }
    // Takes note of changed pixels or a changed size and repaints.
    void Update();
    // Empties the picture: only the black background shows.
    void Clear();
    bool IsEmpty() const { return bitmap_.Empty(); }

    // --- Exact turns of the displayed picture (no smoothing) ---
    void RotateClockwise(int quarterTurns);
    void Rotate90Clockwise() { RotateClockwise(1); }
    void Rotate90CounterClockwise() { RotateClockwise(3); }
    void Rotate180() { RotateClockwise(2); }
    void Flip(); // upside down
    void Mirror(); // left-right

    // --- Zoom ---
    double Zoom() const { return zoom_; }
    // Ignored when not positive or unchanged; keeps the view's centre in place.
    void SetZoom(double percent);
    // Zooms so that the picture point under `viewPoint` (viewport coordinates)
    // stays there. Ignored when not positive.
    void ZoomAt(double percent, QPointF viewPoint);
    // The smaller of view width × 100 / picture width and view height × 100 /
    // picture height, truncated (small pictures are enlarged). Nothing happens
    // without a picture.
    void Fit();
    // With automatic fitting on, the picture is fitted again whenever the
    // view changes size. Fixed zooms, wheel and click zoom switch it off.
    bool AutoFit() const { return autoFit_; }
    void SetAutoFit(bool on);
    // The viewport's size (the client area the picture is shown in).
    QSize ClientSize() const;
    QPointF ViewToPicture(QPointF viewPoint) const;
    QPointF PictureToView(QPointF picturePoint) const;

    // --- Mouse interaction ---
    // Click zoom and drag scroll (on by default); off leaves the mouse to the window.
    void SetMouseInteraction(bool on) { mouseInteraction_ = on; }
    bool MouseInteraction() const { return mouseInteraction_; }
    // Shows the zoom-in cursor (or the zoom-out cursor) over the picture.
    void SetZoomCursor(bool zoomOut);

    // --- Clipboard, progress, tag ---
    // A deep copy of the displayed picture (null when empty).
    QImage ToImage() const;
    // Puts the displayed picture on the clipboard as an image; nothing when empty.
    void CopyToClipboard() const;
    // Raises Progress(percent); loaders and processing steps drive it.
    void ReportProgress(int percent);
    // A callback for the imaging loaders that reports through ReportProgress.
    imaging::ProgressFn ProgressCallback();
    // A free number for the window (set to 1 while a step wants its progress shown).
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

signals:
    void ZoomChanged(double percent);
    void Progress(int percent);
    // The wheel turned over the view; set *handled to keep the view's own wheel zoom out.
    void WheelTurned(int delta, QPoint viewPoint, Qt::KeyboardModifiers modifiers, bool* handled);
    // A click (press and release without a drag) at a viewport point.
    void Clicked(QPoint viewPoint, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void DoubleClicked(QPoint viewPoint, Qt::MouseButton button);
    // Keys pressed and released in the view; accept the event to keep the view from using it.
    // A release is reported only for a key whose press the view itself received, so
    // the bare arrow let go after a menu shortcut's Alt is no second command.
    void KeyPressed(QKeyEvent* event);
    void KeyReleased(QKeyEvent* event);
    // After the picture is painted, for marks drawn over it (viewport coordinates).
    void PaintOverlay(QPainter* painter);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    QSize sizeHint() const override;

private:
    imaging::ViewGeometry Geometry() const;
    // Points the QImage at the bitmap's memory again when the bitmap changed.
    void SyncImage();
    // Sets the scroll ranges for the current zoom and the given positions.
    void LayOut(int scrollX, int scrollY);
    void PictureChanged();
    void UpdateCursor(Qt::KeyboardModifiers modifiers);
    void PaintReduced(QPainter& painter, const QRect& exposed, const imaging::VisiblePart& part);
    void PaintEnlarged(QPainter& painter, const QRect& exposed, const imaging::VisiblePart& part);

    imaging::Bitmap bitmap_;
    // Shares bitmap_'s memory; only ever used through const access so it never detaches.
    QImage image_;
    // Reused buffer of reduced paints, at most the viewport's size.
    QImage scratch_;
    double zoom_ = 100;
    bool autoFit_ = false;
    bool mouseInteraction_ = true;
    int tag_ = 0;
    bool layingOut_ = false;
    bool pressed_ = false;
    // Keys whose press reached the view and whose release has not come yet.
    QList<int> keysDown_;
    bool dragging_ = false;
    QPoint pressPos_;
    QPoint pressScroll_;
    QCursor zoomInCursor_;
    QCursor zoomOutCursor_;
};
