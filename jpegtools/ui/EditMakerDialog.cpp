#include "jpegtools/ui/EditMakerDialog.h"
#include "app/MessageBoxes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "colour/ProfileInfo.h"
#include "colour/ProfileSearch.h"
#include "imaging/FileBuffer.h"
#include "jpegtools/ui/SaveModeBox.h"

namespace {

constexpr int kMaxComment = 1023;
const char* const kProfileFilter = "ICC Profile(*.icm);;すべてのファイル(*.*)";

// The name and description of a profile file; false when it is not a profile.
bool ProfileTexts(const QString& path, colour::TProfileInfo& info)
{
    imaging::FileBuffer bytes;
    return imaging::ReadWholeFile(QFile::encodeName(path).toStdString(), bytes, size_t(64) << 20)
        && colour::ReadProfileInfo(bytes.data.get(), bytes.size, info);
}

QString FirstProfileFolder()
{
    const std::vector<std::string> folders = colour::ProfileFolders();
    return folders.empty() ? QString() : QString::fromStdString(folders.front());
}

QWidget* Page(std::initializer_list<QWidget*> members, QLayout* extra = nullptr)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (QWidget* w : members)
        layout->addWidget(w);
    if (extra)
        layout->addLayout(extra);
    layout->addStretch();
    return page;
}

} // namespace

TEditMakerDialog::TEditMakerDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("JPEGマーカー編集"));
    noEditExif = new QRadioButton(QStringLiteral("変更しない (EXIF)"));
    convJFIF = new QRadioButton(QStringLiteral("JFIF形式に変換 (Exif情報を削除)"));
    noEdit = new QRadioButton(QStringLiteral("変更しない (内蔵)"));
    DelICC = new QRadioButton(QStringLiteral("ICCプロファイルを削除"));
    addICC = new QRadioButton(QStringLiteral("ICCプロファイルを付加・変更"));
    SpeedButton4 = new QToolButton;
    SpeedButton4->setText(QStringLiteral("参照(&M)"));
    SpeedButton4->setToolTip(QStringLiteral("ICCファイルの参照"));
    title1 = new QLineEdit;
    desc1 = new QLineEdit;
    title1->setReadOnly(true);
    desc1->setReadOnly(true);
    saveicmbutton = new QPushButton(QStringLiteral("内蔵ICC書き出し(&W)"));
    comment = new QPlainTextEdit;

    auto* exifGroup = new QButtonGroup(this);
    exifGroup->addButton(noEditExif);
    exifGroup->addButton(convJFIF);
    auto* iccGroup = new QButtonGroup(this);
    for (QRadioButton* r : { noEdit, DelICC, addICC })
        iccGroup->addButton(r);

    auto* addRow = new QHBoxLayout;
    addRow->addWidget(addICC);
    addRow->addWidget(SpeedButton4);
    addRow->addStretch();
    auto* info = new QFormLayout;
    info->addRow(QStringLiteral("タイトル"), title1);
    info->addRow(QStringLiteral("概要"), desc1);
    auto* iccPage = Page({ noEdit, DelICC });
    auto* iccLayout = static_cast<QVBoxLayout*>(iccPage->layout());
    iccLayout->insertLayout(2, addRow);
    iccLayout->insertLayout(3, info);
    iccLayout->insertWidget(4, saveicmbutton, 0, Qt::AlignLeft);

    Pages = new QTabWidget;
    Pages->addTab(Page({ noEditExif, convJFIF }), QStringLiteral("Exif 情報"));
    Pages->addTab(iccPage, QStringLiteral("ICC プロファイル"));
    auto* commentPage = new QWidget;
    (new QVBoxLayout(commentPage))->addWidget(comment);
    Pages->addTab(commentPage, QStringLiteral("コメント"));

    Modes = new TSaveModeBox(QStringLiteral("リネームにて保存 (ファイル名_TAGEDIT.JPG)"));
    Rewrite = Modes->Rewrite;
    Trashbox = Modes->Trashbox;
    Rename = Modes->Rename;
    Conform = Modes->Conform;

    ElGraphicButton1 = new QPushButton(QStringLiteral("&OK"));
    ElGraphicButton2 = new QPushButton(QStringLiteral("キャンセル(&C)"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ElGraphicButton1);
    buttons->addWidget(ElGraphicButton2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(Modes);
    layout->addLayout(buttons);

    connect(ElGraphicButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ElGraphicButton2, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton* r : { noEditExif, convJFIF, noEdit, DelICC, addICC })
        connect(r, &QRadioButton::clicked, this, [this] { noEditClick(); });
    connect(comment, &QPlainTextEdit::textChanged, this, [this] {
        if (comment->toPlainText().size() > kMaxComment) {
            comment->setPlainText(comment->toPlainText().left(kMaxComment));
            comment->moveCursor(QTextCursor::End);
        }
        noEditClick();
    });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(saveicmbutton, &QPushButton::clicked, this, [this] { saveicmbuttonClick(); });
    FormCreate();
}

void TEditMakerDialog::FormCreate()
{
    ProfileMenu = new QMenu(this);
    ProfileMenu->addAction(QStringLiteral("ファイルを指定(&O)"), this, [this] { O1Click(); });
    ProfileMenu->addSeparator();
    FillCombo(ProfileMenu, colour::kClassInput | colour::kClassColorSpace);
    title1->setText(QStringLiteral("未選択"));
    desc1->clear();
}

void TEditMakerDialog::FillCombo(QMenu* menu, unsigned classFlags)
{
    for (const std::string& path : colour::SearchProfiles()) {
        if (!colour::IsRgbProfileOfClass(path, classFlags))
            continue;
        colour::TProfileInfo info;
        const QString file = QString::fromStdString(path);
        if (!ProfileTexts(file, info))
            continue;
        menu->addAction(QString::fromStdString(info.Description), this, [this, file] { openicmfile(file); });
    }
}

void TEditMakerDialog::Setup(bool hasExif, bool hasProfile, const QString& text)
{
    for (QRadioButton* r : { convJFIF, noEditExif, noEdit, DelICC, addICC }) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    ElGraphicButton1->setEnabled(false);
    DelICC->setEnabled(hasProfile);
    saveicmbutton->setEnabled(hasProfile);
    noEdit->setText(hasProfile ? QStringLiteral("変更しない (内蔵)") : QStringLiteral("変更しない (なし)"));
    convJFIF->setEnabled(hasExif);
    noEditExif->setText(hasExif ? QStringLiteral("変更しない (EXIF)") : QStringLiteral("変更しない (JFIF)"));
    noEditExif->setChecked(true);
    startComment_ = text.left(kMaxComment);
    comment->setPlainText(startComment_);
    noEdit->setChecked(true);
    noEditClick();
}

void TEditMakerDialog::noEditClick()
{
    const bool unchanged = noEdit->isChecked() && noEditExif->isChecked() && comment->toPlainText() == startComment_;
    ElGraphicButton1->setEnabled(!unchanged);
}

bool TEditMakerDialog::openicmfile(const QString& path)
{
    colour::TProfileInfo info;
    if (!ProfileTexts(path, info)) {
        ShowError(this, QStringLiteral("ICCプロファイルを開けませんでした。"));
        return false;
    }
    title1->setText(QString::fromStdString(info.Name));
    desc1->setText(QString::fromStdString(info.Description));
    profilePath_ = path;
    addICC->setChecked(true);
    noEditClick();
    return true;
}

void TEditMakerDialog::SpeedButton4Click()
{
    ProfileMenu->popup(QCursor::pos());
}

void TEditMakerDialog::O1Click()
{
    QFileDialog dialog(this, QString(), FirstProfileFolder(), QString::fromUtf8(kProfileFilter));
    dialog.setDefaultSuffix(QStringLiteral("icm"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        openicmfile(dialog.selectedFiles().front());
}

void TEditMakerDialog::saveicmbuttonClick()
{
    QFileDialog dialog(this, QString(), QString(), QString::fromUtf8(kProfileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("icm"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() && ExportProfile)
        ExportProfile(QFile::encodeName(dialog.selectedFiles().front()).toStdString());
}

bool TEditMakerDialog::Edit(jpegtools::MarkerEdit& edit, std::string& error) const
{
    edit = {};
    edit.toJfif = convJFIF->isChecked();
    edit.icc = DelICC->isChecked() ? jpegtools::IccChange::Delete
        : addICC->isChecked()      ? jpegtools::IccChange::Replace
                                   : jpegtools::IccChange::Keep;
    edit.startComment = startComment_.toStdString();
    edit.comment = comment->toPlainText().toStdString();
    if (edit.icc != jpegtools::IccChange::Replace)
        return true;
    imaging::FileBuffer bytes;
    if (profilePath_.isEmpty()
        || !imaging::ReadWholeFile(QFile::encodeName(profilePath_).toStdString(), bytes, size_t(64) << 20)) {
        error = "cannot read the profile " + profilePath_.toStdString();
        return false;
    }
    edit.profile.assign(bytes.data.get(), bytes.data.get() + bytes.size);
    return true;
}

jpegtools::SaveMode TEditMakerDialog::Mode() const
{
    return Modes->Mode();
}

bool TEditMakerDialog::NoQuestions() const
{
    return Conform->isChecked();
}
