#pragma once
// The program's message boxes: the captions "確認" and "エラー" and Japanese
// texts on every standard button. Every box the program shows goes through here.
#include <QMessageBox>
#include <QString>
#include <memory>

// A box with Japanese button texts, ready to exec() (tests look at it instead).
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
    const QString& text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
// Shows a box and returns the button chosen (Escape gives the escape button).
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
    const QString& text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
// A Yes/No question captioned "確認"; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text);
// An error captioned "エラー" with an OK button.
void ShowError(QWidget* parent, const QString& text);
// The Japanese text of a standard button (empty for one without a text of its own).
QString JapaneseButtonText(QMessageBox::StandardButton button);
