#pragma once
// The progress dialog of a file operation on several files. The operation runs
// on a worker thread; the dialog shows the file under way and the progress,
// its cancel button stops the worker between files and between blocks of a
// large file, and the worker's questions (replace an existing file, delete a
// file that has no trash) are asked here on the window's thread. The dialog
// only appears when the operation takes longer than a moment.

#include <QDialog>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fileops/Batch.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TFileOperationDialog : public QDialog {
    Q_OBJECT
public:
    TFileOperationDialog(QWidget* parent, fileops::Operation op, std::vector<std::string> sources,
        std::string destFolder = std::string());
    ~TFileOperationDialog() override;

    // Runs the operation to its end (or its cancel) and returns a result per file.
    std::vector<fileops::ItemResult> Run();
    void CancelClick();

    // The questions; by default message boxes owned by this dialog (tests answer them themselves).
    std::function<fileops::ReplaceAnswer(const std::string& source, const std::string& target)> AskReplace;
    std::function<bool(const std::string& path, const std::string& reason)> AskDeletePermanently;
    // Told every progress report on the window's thread (tests cancel from here).
    std::function<void(const fileops::BatchProgress&)> OnProgress;
    // How long the operation runs before the dialog is shown.
    int ShowDelayMs = 400;

    QLabel* OperationLabel = nullptr;
    QLabel* FileLabel = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowProgress(const fileops::BatchProgress& progress);
    fileops::Operation op_;
    std::vector<std::string> sources_;
    std::string destFolder_;
    std::thread worker_;
    std::atomic<bool> cancel_ { false };
    std::atomic<bool> progressQueued_ { false };
    std::mutex progressMutex_;
    fileops::BatchProgress latest_;
};

// The caption of an operation's progress dialog ("コピー中" ...).
QString OperationCaption(fileops::Operation op);

// The text that tells which files were not done and why; empty when every
// file was done, skipped or cancelled.
QString FailureText(const std::vector<fileops::ItemResult>& results);
