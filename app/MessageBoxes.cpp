#include "app/MessageBoxes.h"

#include <QAbstractButton>

QString JapaneseButtonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return QStringLiteral("OK");
    case QMessageBox::Cancel:
        return QStringLiteral("キャンセル");
    case QMessageBox::Yes:
        return QStringLiteral("はい(&Y)");
    case QMessageBox::No:
        return QStringLiteral("いいえ(&N)");
    case QMessageBox::YesToAll:
        return QStringLiteral("すべてはい(&A)");
    case QMessageBox::NoToAll:
        return QStringLiteral("すべていいえ(&L)");
    case QMessageBox::Abort:
        return QStringLiteral("中止(&A)");
    case QMessageBox::Retry:
        return QStringLiteral("再試行(&R)");
    case QMessageBox::Ignore:
        return QStringLiteral("無視(&I)");
    case QMessageBox::Close:
        return QStringLiteral("閉じる");
    case QMessageBox::Save:
        return QStringLiteral("保存(&S)");
    case QMessageBox::Discard:
        return QStringLiteral("破棄(&D)");
    case QMessageBox::Apply:
        return QStringLiteral("適用(&A)");
    case QMessageBox::Help:
        return QStringLiteral("ヘルプ(&H)");
    default:
        return {};
    }
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    auto box = std::make_unique<QMessageBox>(icon, caption, text, buttons, parent);
    for (QAbstractButton* b : box->buttons()) {
        const QString japanese = JapaneseButtonText(box->standardButton(b));
        if (!japanese.isEmpty())
            b->setText(japanese);
    }
    if (defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(defaultButton);
    return box;
}

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    auto box = MakeMessageBox(parent, icon, caption, text, buttons, defaultButton);
    return static_cast<QMessageBox::StandardButton>(box->exec());
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    return ShowMessageBox(
               parent, QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void ShowError(QWidget* parent, const QString& text)
{
    ShowMessageBox(parent, QMessageBox::Critical, QStringLiteral("エラー"), text, QMessageBox::Ok);
}
