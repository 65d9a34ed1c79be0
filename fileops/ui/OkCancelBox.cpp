#include "fileops/ui/OkCancelBox.h"

#include <QMessageBox>
#include <QPushButton>

bool AskOkCancelBox(QWidget* parent, const QString& text, bool cancelFirst)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(cancelFirst ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
