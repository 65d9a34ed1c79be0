#include "analysis/ui/HistProgress.h"
#include "app/MessageBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

THistProgress::THistProgress(Batch batch, QWidget* parent)
    : QDialog(parent)
    , batch_(std::move(batch))
{
    setWindowTitle(QStringLiteral("ヒストグラム一括再計算"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* column = new QVBoxLayout(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    column->addWidget(ProgressBar1);
    CancelButton = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    column->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, [this] { Cancel(); });
    setFixedSize(273, 74);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
}

void THistProgress::SetProgress(int percent)
{
    ProgressBar1->setValue(percent);
    QApplication::processEvents();
}

void THistProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Runs once the dialog is up, from the event loop of its modal run.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void THistProgress::FormActivate()
{
    if (started_)
        return;
    started_ = true;
    running_ = true;
    try {
        if (batch_)
            batch_(*this);
    } catch (const std::exception& e) {
        running_ = false;
        ShowError(this, QString::fromUtf8(e.what()));
    }
    running_ = false;
}

void THistProgress::Timer1Timer()
{
    if (started_ && !running_)
        accept();
}

void THistProgress::closeEvent(QCloseEvent* event)
{
    if (running_) {
        running_ = false; // closing acts as cancel; the dialog ends itself shortly
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void THistProgress::reject()
{
    // Esc and the close box cancel a running batch instead of leaving it.
    if (running_) {
        running_ = false;
        return;
    }
    QDialog::reject();
}
