// Message boxes carry Japanese button texts and the program's captions.
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/MessageBoxes.h"
#include "ui/UiTestSupport.h"

TEST(MessageBoxes, EveryStandardButtonIsJapanese)
{
    uitest::EnsureApp();
    const struct {
        QMessageBox::StandardButtons buttons;
        QStringList texts;
    } cases[] = {
        { QMessageBox::Yes | QMessageBox::No, { "はい(&Y)", "いいえ(&N)" } },
        { QMessageBox::Ok, { "OK" } },
        { QMessageBox::Ok | QMessageBox::Cancel, { "OK", "キャンセル" } },
        { QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel,
            { "はい(&Y)", "すべてはい(&A)", "いいえ(&N)", "キャンセル" } },
    };
    for (const auto& c : cases) {
        auto box
            = MakeMessageBox(nullptr, QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("?"), c.buttons);
        QStringList texts;
        for (QAbstractButton* b : box->buttons())
            texts << b->text();
        texts.sort();
        QStringList expected = c.texts;
        expected.sort();
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("確認"));
    }
}

TEST(MessageBoxes, AskYesNoAnswersWithTheButtonChosen)
{
    uitest::EnsureApp();
    for (const bool yes : { true, false }) {
        QTimer::singleShot(0, [yes] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("確認"));
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(AskYesNo(nullptr, QStringLiteral("先頭のファイルに戻りますか？")), yes);
    }
}
