#include "fileops/ui/ReplaceQuestion.h"

#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <sys/stat.h>

#include "app/PathText.h"
#include "platform/PathName.h"

namespace {

// Size and time of a file named by its native bytes (a name that is not UTF-8 included).
QString Describe(const std::string& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        st = {};
    return QStringLiteral("    サイズ: %1 バイト\n    更新日時: %2")
        .arg(QLocale(QLocale::Japanese).toString(qint64(st.st_size)),
            QDateTime::fromSecsSinceEpoch(st.st_mtime).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

} // namespace

QString ReplaceQuestionText(const std::string& source, const std::string& target)
{
    return QStringLiteral("このフォルダには既に「%1」という名前のファイルがあります。\n\n")
               .arg(DisplayName(platform::FileNameOf(target)))
        + QStringLiteral("現在のファイル\n") + Describe(target)
        + QStringLiteral("\n\nを、次のファイルで置き換えますか?\n") + Describe(source);
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
