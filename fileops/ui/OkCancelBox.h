#pragma once
// A question with the caption "確認" and the buttons OK and キャンセル.

#include <QString>

class QWidget;

// True when OK was pressed; Enter presses OK, or キャンセル when cancelFirst (for questions
// whose OK cannot be undone).
bool AskOkCancelBox(QWidget* parent, const QString& text, bool cancelFirst = false);
