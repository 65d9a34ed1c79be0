// The rotation and marker-editor dialogs: stored settings, enabling rules,
// and what they hand to the JPEG tools.
#include "ui/UiTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "jpegtools/ui/EditMakerDialog.h"
#include "jpegtools/ui/LossLessDialog.h"
#include "platform/Registry.h"

namespace {

struct DialogTest : ::testing::Test {
    void SetUp() override { uitest::EnsureApp(); }
    testsupport::TempDir dir;
    platform::RegistryStore store { (dir.Path() / "registry.reg").string() };
};

} // namespace

TEST_F(DialogTest, LosslessSettingsAreStoredAlsoOnCancelAndReadBack)
{
    {
        TLossLessDialog dialog(store);
        EXPECT_TRUE(dialog.Trashbox->isChecked()); // defaults without stored values
        EXPECT_FALSE(dialog.Conform->isChecked());
        EXPECT_TRUE(dialog.Def->isChecked());
        dialog.Rename->setChecked(true);
        dialog.Conform->setChecked(true);
        dialog.reject();
    }
    platform::RegistryStore reread(store.Path());
    TLossLessDialog dialog(reread);
    EXPECT_TRUE(dialog.Rename->isChecked());
    EXPECT_TRUE(dialog.Conform->isChecked());
    dialog.Rolate180->setChecked(true);
    const jpegtools::LosslessSettings s = dialog.Settings();
    EXPECT_FALSE(s.useCurrentRotation);
    EXPECT_EQ(jpegtools::RotationCode(s, 3), 2);
    EXPECT_EQ(s.mode, jpegtools::SaveMode::Rename);
    dialog.Def->setChecked(true);
    EXPECT_EQ(jpegtools::RotationCode(dialog.Settings(), 0), 0); // Def with no viewer rotation: skipped
    EXPECT_EQ(jpegtools::RotationCode(dialog.Settings(), 3), 3);
}

TEST_F(DialogTest, MarkerEditorEnablesOkOnlyWhenSomethingChanges)
{
    for (const bool hasExif : { false, true })
        for (const bool hasProfile : { false, true }) {
            TEditMakerDialog dialog;
            dialog.Setup(hasExif, hasProfile, QStringLiteral("古いコメント"));
            EXPECT_EQ(dialog.convJFIF->isEnabled(), hasExif);
            EXPECT_EQ(dialog.DelICC->isEnabled(), hasProfile);
            EXPECT_EQ(dialog.saveicmbutton->isEnabled(), hasProfile);
            EXPECT_EQ(dialog.noEdit->text(),
                hasProfile ? QStringLiteral("変更しない (内蔵)") : QStringLiteral("変更しない (なし)"));
            EXPECT_EQ(dialog.noEditExif->text(),
                hasExif ? QStringLiteral("変更しない (EXIF)") : QStringLiteral("変更しない (JFIF)"));
            EXPECT_EQ(dialog.title1->text(), QStringLiteral("未選択"));
            EXPECT_FALSE(dialog.ElGraphicButton1->isEnabled());
            dialog.comment->setPlainText(QStringLiteral("新しい"));
            EXPECT_TRUE(dialog.ElGraphicButton1->isEnabled());
            dialog.comment->setPlainText(QStringLiteral("古いコメント"));
            EXPECT_FALSE(dialog.ElGraphicButton1->isEnabled());
            if (hasProfile) {
                dialog.DelICC->click();
                EXPECT_TRUE(dialog.ElGraphicButton1->isEnabled());
                jpegtools::MarkerEdit edit;
                std::string error;
                ASSERT_TRUE(dialog.Edit(edit, error));
                EXPECT_EQ(edit.icc, jpegtools::IccChange::Delete);
                EXPECT_FALSE(edit.CommentChanged());
            }
            EXPECT_EQ(dialog.Mode(), jpegtools::SaveMode::Rewrite);
        }
    // A long comment is cut to 1,023 characters.
    TEditMakerDialog dialog;
    dialog.Setup(true, false, QString());
    dialog.comment->setPlainText(QString(1500, QLatin1Char('a')));
    EXPECT_EQ(dialog.comment->toPlainText().size(), 1023);
}
