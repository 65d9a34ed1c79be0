#include "fileops/ui/FileOperationDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/PathText.h"
#include "fileops/ui/OkCancelBox.h"
#include "fileops/ui/ReplaceQuestion.h"
#include "platform/PathName.h"

QString OperationCaption(fileops::Operation op)
{
    switch (op) {
    case fileops::Operation::Copy:
        return QStringLiteral("コピー中");
    case fileops::Operation::Move:
        return QStringLiteral("移動中");
    case fileops::Operation::Trash:
        return QStringLiteral("ごみ箱へ移動中");
    case fileops::Operation::Protect:
        return QStringLiteral("プロテクト指定中");
    case fileops::Operation::Unprotect:
        return QStringLiteral("プロテクト解除中");
    }
    return QString();
}

TFileOperationDialog::TFileOperationDialog(
    QWidget* parent, fileops::Operation op, std::vector<std::string> sources, std::string destFolder)
    : QDialog(parent)
    , op_(op)
    , sources_(std::move(sources))
    , destFolder_(std::move(destFolder))
{
    setWindowTitle(OperationCaption(op));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    OperationLabel = new QLabel(this);
    if (!destFolder_.empty())
        OperationLabel->setText(QStringLiteral("宛先: ") + DisplayPath(destFolder_));
    FileLabel = new QLabel(this);
    FileLabel->setMinimumWidth(360);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setRange(0, 1000);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    layout->addWidget(OperationLabel);
    layout->addWidget(FileLabel);
    layout->addWidget(ProgressBar);
    layout->addWidget(CancelButton, 0, Qt::AlignRight);
    connect(CancelButton, &QPushButton::clicked, this, &TFileOperationDialog::CancelClick);
    AskReplace = [this](const std::string& source, const std::string& target) {
        return AskReplaceQuestion(this, source, target);
    };
    AskDeletePermanently = [this](const std::string& path, const std::string&) {
        const QString text = QStringLiteral("「%1」はごみ箱に移動できません。\r\n完全に削除してもよろしいですか?")
                                 .arg(DisplayPath(platform::FileNameOf(path)));
        return AskOkCancelBox(this, text, true);
    };
}

TFileOperationDialog::~TFileOperationDialog()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void TFileOperationDialog::CancelClick()
{
    cancel_ = true;
    CancelButton->setEnabled(false);
    FileLabel->setText(QStringLiteral("中止しています..."));
}

void TFileOperationDialog::closeEvent(QCloseEvent* event)
{
    // Closing the window asks the worker to stop; the dialog goes when it has.
    CancelClick();
    event->ignore();
}

void TFileOperationDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        CancelClick();
    else
        QDialog::keyPressEvent(event);
}

void TFileOperationDialog::ShowProgress(const fileops::BatchProgress& progress)
{
    if (!cancel_ && !progress.current.empty())
        FileLabel->setText(QStringLiteral("%1 (%2 / %3)")
                               .arg(DisplayPath(platform::FileNameOf(progress.current)))
                               .arg(progress.file + 1)
                               .arg(progress.files));
    double part = 1;
    if (progress.file >= progress.files)
        part = 1; // the end, also when skipped files' bytes never came
    else if (progress.totalBytes > 0)
        part = double(progress.bytes) / double(progress.totalBytes);
    else
        part = double(progress.file) / double(progress.files);
    ProgressBar->setValue(int(part * 1000));
    if (OnProgress)
        OnProgress(progress);
}

std::vector<fileops::ItemResult> TFileOperationDialog::Run()
{
    std::vector<fileops::ItemResult> results;
    QEventLoop loop;
    std::atomic<bool> finished { false };

    fileops::BatchCallbacks callbacks;
    callbacks.cancelled = [this] { return cancel_.load(); };
    // The questions block the worker until they are answered on the window's thread.
    callbacks.askReplace = [this](const std::string& source, const std::string& target) {
        fileops::ReplaceAnswer answer = fileops::ReplaceAnswer::Cancel;
        QMetaObject::invokeMethod(
            this, [&] { answer = AskReplace(source, target); }, Qt::BlockingQueuedConnection);
        return answer;
    };
    callbacks.askDeletePermanently = [this](const std::string& path, const std::string& reason) {
        bool yes = false;
        QMetaObject::invokeMethod(
            this, [&] { yes = AskDeletePermanently(path, reason); }, Qt::BlockingQueuedConnection);
        return yes;
    };
    // Progress is passed on as a value: the newest report waits in one slot, and
    // one call at a time is posted to show whatever is newest when it runs.
    callbacks.progress = [this](const fileops::BatchProgress& progress) {
        {
            std::lock_guard<std::mutex> lock(progressMutex_);
            latest_ = progress;
        }
        if (progressQueued_.exchange(true))
            return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                fileops::BatchProgress newest;
                {
                    std::lock_guard<std::mutex> lock(progressMutex_);
                    newest = latest_;
                    progressQueued_ = false;
                }
                ShowProgress(newest);
            },
            Qt::QueuedConnection);
    };

    worker_ = std::thread([&, callbacks] {
        results = fileops::RunBatch(op_, sources_, destFolder_, callbacks);
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A moment without the dialog (and without user input), then the dialog until the end.
    QTimer::singleShot(ShowDelayMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        show();
        while (!finished)
            loop.exec();
    }
    worker_.join();
    QCoreApplication::sendPostedEvents(this); // the last progress report
    hide();
    return results;
}

QString FailureText(const std::vector<fileops::ItemResult>& results)
{
    QString list;
    for (const auto& item : results)
        if (item.status == fileops::ItemStatus::Failed)
            list += DisplayPath(platform::FileNameOf(item.source)) + QStringLiteral(": ")
                + QString::fromLocal8Bit(item.error.c_str()) + QLatin1Char('\n');
    return list.isEmpty() ? list : QStringLiteral("次のファイルは処理できませんでした。\n\n") + list;
}
