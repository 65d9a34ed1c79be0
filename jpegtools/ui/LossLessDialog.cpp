#include "jpegtools/ui/LossLessDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Registry.h"

namespace {

constexpr const char* kKey = "Lossless";

QGroupBox* Group(const QString& title, QWidget* parent, std::initializer_list<QWidget*> members)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* w : members)
        layout->addWidget(w);
    return box;
}

} // namespace

TLossLessDialog::TLossLessDialog(platform::RegistryStore& registry, QWidget* parent)
    : QDialog(parent)
    , registry_(registry)
{
    setWindowTitle(QStringLiteral("JPEG ロスレス回転実行"));
    Def = new QRadioButton(QStringLiteral("現在の回転設定を利用する"), this);
    Rolate90 = new QRadioButton(QStringLiteral("90°"), this);
    Rolate180 = new QRadioButton(QStringLiteral("180°"), this);
    Rolate270 = new QRadioButton(QStringLiteral("270°"), this);
    Def->setChecked(true);
    auto* angles = new QHBoxLayout;
    for (QRadioButton* r : { Rolate90, Rolate180, Rolate270 })
        angles->addWidget(r);
    auto* angleBox = Group(QStringLiteral("回転角度"), this, { Def });
    static_cast<QVBoxLayout*>(angleBox->layout())->addLayout(angles);

    Rewrite = new QRadioButton(QStringLiteral("上書き保存"), this);
    Trashbox = new QRadioButton(QStringLiteral("処理前ファイルをごみ箱に移動して上書き"), this);
    Rename = new QRadioButton(QStringLiteral("リネームにて保存 (ファイル名_回転角度.JPG)"), this);
    Conform = new QCheckBox(QStringLiteral("確認メッセージを表示しない(&H)"), this);
    Trashbox->setChecked(true);
    auto* modeBox = Group(QStringLiteral("処理内容"), this, { Rewrite, Trashbox, Rename, Conform });
    // The two groups are exclusive on their own.
    auto* angleGroup = new QButtonGroup(this);
    for (QRadioButton* r : { Def, Rolate90, Rolate180, Rolate270 })
        angleGroup->addButton(r);
    auto* modeGroup = new QButtonGroup(this);
    for (QRadioButton* r : { Rewrite, Trashbox, Rename })
        modeGroup->addButton(r);

    bok = new QPushButton(QStringLiteral("&OK"), this);
    bcancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    bok->setDefault(true);
    connect(bok, &QPushButton::clicked, this, &QDialog::accept);
    connect(bcancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bok);
    buttons->addWidget(bcancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(angleBox);
    layout->addWidget(modeBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ReadSettings();
}

TLossLessDialog::~TLossLessDialog()
{
    WriteSettings();
}

jpegtools::LosslessSettings TLossLessDialog::Settings() const
{
    jpegtools::LosslessSettings s;
    s.useCurrentRotation = Def->isChecked() && Def->isEnabled();
    s.fixedCode = Rolate90->isChecked() ? 1 : Rolate180->isChecked() ? 2 : Rolate270->isChecked() ? 3 : 0;
    s.mode = Rewrite->isChecked() ? jpegtools::SaveMode::Rewrite
        : Rename->isChecked()     ? jpegtools::SaveMode::Rename
                                  : jpegtools::SaveMode::Trashbox;
    s.conform = Conform->isChecked();
    return s;
}

void TLossLessDialog::ReadSettings()
{
    try {
        platform::RegistryKey key(registry_, kKey, false);
        switch (key.ReadInteger("mode")) {
        case 0:
            Rewrite->setChecked(true);
            break;
        case 2:
            Rename->setChecked(true);
            break;
        default:
            Trashbox->setChecked(true);
        }
        Conform->setChecked(key.ReadBool("message"));
    } catch (const platform::RegistryError&) {
        // a missing value leaves the rest at the form's defaults
    }
}

void TLossLessDialog::WriteSettings()
{
    try {
        platform::RegistryKey key(registry_, kKey, true);
        key.WriteInteger("mode", static_cast<int>(Settings().mode));
        key.WriteBool("message", Conform->isChecked());
        registry_.Save();
    } catch (const std::exception&) {
        // settings that cannot be stored pass silently
    }
}
