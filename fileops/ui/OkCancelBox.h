#pragma once
// A question with the caption "確認" and the buttons OK and キャンセル.

#include <QString>

class QWidget;

// True when OK was pressed.
bool AskOkCancelBox(QWidget* parent, const QString& text);
