#pragma once
// THistogramFrame: the histogram panel. Five modes (RGB and HSV histograms
// from the tables, the a*b* and u'v' distributions and the 3D L*a*b* cloud
// from the picture file), its tool bar, the chart pop-up (copy, save, at a
// given size, recalculate) and its settings under Histogram\DockBar.

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "analysis/CIEChart.h"
#include "analysis/Histogram.h"
#include "analysis/HistogramSettings.h"
#include "imaging/Bitmap.h"

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QToolButton;

class THistogramChartView;

class THistogramFrame : public QWidget {
    Q_OBJECT
public:
    explicit THistogramFrame(QWidget* parent = nullptr);
    ~THistogramFrame() override;

    // Settings: read at window creation, written at its close.
    void InitPanel(platform::RegistryStore& store);
    void RegSave(platform::RegistryStore& store);

    void ClearChart();
    void ShowBitmapHistogram(const imaging::Bitmap& bitmap);
    // The stored blocks (LevelCounts, then HueCounts) into the tables, then repaint.
    void ShowStoredHistogram(const uint8_t* levels, const uint8_t* hues);
    void RefreshChart();
    int Mode() const { return settings_.Mode; }

    // The file the chart belongs to; empty for none.
    std::string CurrentFile;
    analysis::TVX_Histogram VX_Histogram1;

    // Set by the window: the status bar's task text (empty clears it) and
    // progress, and the recalculation command of the chart pop-up.
    std::function<void(const QString& task)> SetTask;
    std::function<void(int percent)> SetProgress;
    std::function<void()> RecalculateRequested;

    // The mode entries, as if chosen from the mode menu.
    void SelectMode(int mode);
    // The chart painted onto a new surface of this size, as the panel paints itself.
    QImage PaintPanel(int width, int height);
    const QImage& Surface() const { return surface_; }
    const analysis::THistogramSettings& Settings() const { return settings_; }
    const analysis::TLabCloud& Cloud() const { return cloud_; }

    // Commands of the chart pop-up.
    void CopyChart();
    void SaveChart();
    void CopyAtSize();
    void SaveAtSize();

    // Components, named as the panel's parts.
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton7 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QMenu* PopupMenu1 = nullptr; // graph styles and grid lines
    QMenu* PopupMenu2 = nullptr; // layouts
    QMenu* PopupMenu3 = nullptr; // the chart pop-up
    QMenu* PopupMenu4 = nullptr; // modes
    QMenu* PopupMenu5 = nullptr; // colour spaces
    THistogramChartView* Image1 = nullptr;
    QAction* GridLines = nullptr;
    QAction* CopyAtSizeEntry = nullptr;
    QAction* SaveAtSizeEntry = nullptr;

    // Channel button clicked (after its toggle); `shift` as held.
    void ChannelClicked(QToolButton* button, bool shift);

private:
    friend class THistogramChartView;
    // The chart surface changed its size: modes 0 and 1 repaint, mode 4
    // re-renders its cloud, modes 2 and 3 keep their chart.
    void SurfaceResized();
    void BuildToolBar();
    void BuildMenus();
    void UpdateTools();
    void ChannelsChanged();
    void SetGraphType(analysis::TVX_Type type);
    void SetLayout(int style);
    void SetColourSpace(int space);
    void PaintOnto(QImage& image);
    void ShowSurface(QImage image);
    void SaveImage(const QImage& image);
    bool AskSize();
    void MousePressed(QPoint at);
    void MouseMoved(QPoint at, bool onlyLeft);

    analysis::THistogramSettings settings_;
    analysis::TLabCloud cloud_;
    QImage surface_;
    QSize lastSize_;
    QString saveName_ = QStringLiteral("*.tif");
    QPoint pressAt_;
    double pressTheta1_ = 0, pressTheta2_ = 0;
    QActionGroup* modeGroup_ = nullptr;
    QActionGroup* styleGroup_ = nullptr;
    QActionGroup* layoutGroup_ = nullptr;
    QActionGroup* spaceGroup_ = nullptr;
    QAction* modeEntries_[5] = {};
    QAction* styleEntries_[3] = {};
    QAction* layoutEntries_[3] = {};
    QAction* spaceEntries_[4] = {};
    QAction* buttonActions_[4] = {}; // ToolButton1 to 4 on the tool bar
    QAction* toolActions_[3] = {}; // ToolButton6, 7 and 10 on the tool bar
};

// Image1: shows the chart surface centred on black, offers the chart pop-up
// and passes the mouse on for turning the 3D view.
class THistogramChartView : public QWidget {
    Q_OBJECT
public:
    explicit THistogramChartView(THistogramFrame* frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPoint OnSurface(QPoint at) const;
    THistogramFrame* frame_;
};
