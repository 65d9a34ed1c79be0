#pragma once
// THistProgress: the progress dialog of the batch histogram recalculation.
// The batch starts once when the dialog first shows, the bar follows the
// loading of each file, and the dialog ends itself within half a second of
// the batch ending or being cancelled.

#include <QDialog>
#include <functional>

class QProgressBar;
class QPushButton;
class QTimer;

class THistProgress : public QDialog {
    Q_OBJECT
public:
    using Batch = std::function<void(THistProgress& dialog)>;
    explicit THistProgress(Batch batch, QWidget* parent = nullptr);

    bool Running() const { return running_; }
    bool Started() const { return started_; }
    // The bar to `percent`, then the pending events, so that the dialog
    // repaints and the cancel button works while a file loads.
    void SetProgress(int percent);
    void Cancel() { running_ = false; }

    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* CancelButton = nullptr; // "キャンセル(&C)"
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FormActivate();
    void Timer1Timer();

    Batch batch_;
    bool running_ = false;
    bool started_ = false;
};
