#include "fileops/ui/OkCancelBox.h"

#include "app/MessageBoxes.h"

bool AskOkCancelBox(QWidget* parent, const QString& text, bool cancelFirst)
{
    return ShowMessageBox(parent, QMessageBox::Question, QStringLiteral("確認"), text,
               QMessageBox::Ok | QMessageBox::Cancel, cancelFirst ? QMessageBox::Cancel : QMessageBox::Ok)
        == QMessageBox::Ok;
}
