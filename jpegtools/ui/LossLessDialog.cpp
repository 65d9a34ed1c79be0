#include "jpegtools/ui/LossLessDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "jpegtools/ui/SaveModeBox.h"
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

    auto* modeBox = new TSaveModeBox(QStringLiteral("リネームにて保存 (ファイル名_回転角度.JPG)"), this);
    modeBox->SetMode(jpegtools::SaveMode::Trashbox);
    Rewrite = modeBox->Rewrite;
    Trashbox = modeBox->Trashbox;
    Rename = modeBox->Rename;
    Conform = modeBox->Conform;
    Modes = modeBox;
    // The angles are exclusive among themselves.
    auto* angleGroup = new QButtonGroup(this);
    for (QRadioButton* r : { Def, Rolate90, Rolate180, Rolate270 })
        angleGroup->addButton(r);

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
    s.mode = Modes->Mode();
    s.conform = Conform->isChecked();
    return s;
}

void TLossLessDialog::ReadSettings()
{
    try {
        platform::RegistryKey key(registry_, kKey, false);
        const int mode = key.ReadInteger("mode");
        Modes->SetMode(mode == 0 ? jpegtools::SaveMode::Rewrite
                : mode == 2      ? jpegtools::SaveMode::Rename
                                 : jpegtools::SaveMode::Trashbox);
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
