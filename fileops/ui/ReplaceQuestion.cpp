#include "fileops/ui/ReplaceQuestion.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "app/PathText.h"

namespace {

QString Describe(const QFileInfo& info)
{
    return QStringLiteral("    サイズ: %1 バイト\n    更新日時: %2")
        .arg(QLocale(QLocale::Japanese).toString(info.size()),
            info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

} // namespace

QString ReplaceQuestionText(const std::string& source, const std::string& target)
{
    const QFileInfo from(DisplayPath(source));
    const QFileInfo to(DisplayPath(target));
    return QStringLiteral("このフォルダには既に「%1」という名前のファイルがあります。\n\n").arg(to.fileName())
        + QStringLiteral("現在のファイル\n") + Describe(to) + QStringLiteral("\n\nを、次のファイルで置き換えますか?\n")
        + Describe(from);
}

fileops::ReplaceAnswer AskReplaceQuestion(QWidget* parent, const std::string& source, const std::string& target)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), ReplaceQuestionText(source, target),
        QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* all = box.addButton(QStringLiteral("すべて置き換え(&A)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return fileops::ReplaceAnswer::Yes;
    if (box.clickedButton() == all)
        return fileops::ReplaceAnswer::YesToAll;
    if (box.clickedButton() == no)
        return fileops::ReplaceAnswer::No;
    return fileops::ReplaceAnswer::Cancel;
}
