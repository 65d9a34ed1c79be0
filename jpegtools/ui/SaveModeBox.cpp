#include "jpegtools/ui/SaveModeBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QVBoxLayout>

TSaveModeBox::TSaveModeBox(const QString& renameCaption, QWidget* parent)
    : QGroupBox(QStringLiteral("処理内容"), parent)
{
    Rewrite = new QRadioButton(QStringLiteral("上書き保存"), this);
    Trashbox = new QRadioButton(QStringLiteral("処理前ファイルをごみ箱に移動して上書き"), this);
    Rename = new QRadioButton(renameCaption, this);
    Conform = new QCheckBox(QStringLiteral("確認メッセージを表示しない(&H)"), this);
    auto* group = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    for (QRadioButton* r : { Rewrite, Trashbox, Rename }) {
        group->addButton(r);
        layout->addWidget(r);
    }
    layout->addWidget(Conform);
    Rewrite->setChecked(true);
}

jpegtools::SaveMode TSaveModeBox::Mode() const
{
    return Rewrite->isChecked() ? jpegtools::SaveMode::Rewrite
        : Rename->isChecked()   ? jpegtools::SaveMode::Rename
                                : jpegtools::SaveMode::Trashbox;
}

void TSaveModeBox::SetMode(jpegtools::SaveMode mode)
{
    (mode == jpegtools::SaveMode::Rewrite         ? Rewrite
            : mode == jpegtools::SaveMode::Rename ? Rename
                                                  : Trashbox)
        ->setChecked(true);
}
