#include "colour/ui/ICCDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "colour/ProfileCaption.h"
#include "colour/ProfileSearch.h"
#include "platform/AtomicFile.h"

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// One profile group: the browse button and the title and description fields.
QGroupBox* ProfileGroup(const QString& caption, QToolButton*& button, QLineEdit*& title, QLineEdit*& desc)
{
    auto* group = new QGroupBox(caption);
    auto* grid = new QGridLayout(group);
    button = new QToolButton;
    button->setText(QStringLiteral("参照(&M)"));
    button->setToolTip(QStringLiteral("ICCファイルの参照"));
    title = new QLineEdit;
    title->setPlaceholderText(QStringLiteral("タイトル"));
    title->setReadOnly(true);
    desc = new QLineEdit;
    desc->setPlaceholderText(QStringLiteral("概要"));
    desc->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("タイトル")), 0, 0);
    grid->addWidget(title, 0, 1);
    grid->addWidget(button, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("概要")), 1, 0);
    grid->addWidget(desc, 1, 1, 1, 2);
    title->setMinimumWidth(320);
    return group;
}

} // namespace

const QString TICCDialog::kDesktopEntry = QStringLiteral("デスクトップのモニタープロファイル（既定）");

TICCDialog::TICCDialog(QWidget* owner)
    : QDialog(owner)
    , folders_(colour::ProfileFolders())
{
    setWindowTitle(QStringLiteral("色管理の設定"));
    BuildLayout();
    FillCombo();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TICCDialog::BuildLayout()
{
    auto* column = new QVBoxLayout(this);
    enableicm = new QCheckBox(QStringLiteral("カラーマネジメントを常に有効にする"));
    useicc = new QCheckBox(QStringLiteral("ファイルに含まれるICCプロファイルを利用する"));
    UseMaker = new QCheckBox(QStringLiteral("メーカー固有情報に含まれる色空間情報を利用する"));
    useicc->setChecked(true);
    UseMaker->setChecked(true);
    column->addWidget(enableicm);
    column->addWidget(useicc);
    column->addWidget(UseMaker);
    column->addWidget(ProfileGroup(QStringLiteral("入力画像のプロファイル"), SpeedButton3, title1, desc1));
    column->addWidget(ProfileGroup(QStringLiteral("モニターのプロファイル"), SpeedButton4, title2, desc2));

    auto* matching = new QHBoxLayout;
    matching->addWidget(new QLabel(QStringLiteral("マッチング方法")));
    ICCMatch = new QComboBox;
    ICCMatch->addItems({ QStringLiteral("知覚的(画像)"), QStringLiteral("相対色域を維持"),
        QStringLiteral("彩度(グラフィックス)"), QStringLiteral("絶対色域を維持") });
    matching->addWidget(ICCMatch, 1);
    UseWB = new QCheckBox(QStringLiteral("白黒点補正"));
    UseWB->setChecked(true);
    matching->addWidget(UseWB);
    column->addLayout(matching);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ElGraphicButton1 = new QPushButton(QStringLiteral("&OK"));
    ElGraphicButton2 = new QPushButton(QStringLiteral("キャンセル(&C)"));
    ElGraphicButton1->setDefault(true);
    buttons->addWidget(ElGraphicButton1);
    buttons->addWidget(ElGraphicButton2);
    column->addLayout(buttons);
    connect(ElGraphicButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ElGraphicButton2, &QPushButton::clicked, this, &QDialog::reject);

    InputMenu = new QMenu(this);
    MonitorMenu = new QMenu(this);
    // SpeedButton3Click, SpeedButton4Click: the menus open at the mouse.
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { InputMenu->popup(QCursor::pos()); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { MonitorMenu->popup(QCursor::pos()); });
}

void TICCDialog::FillCombo()
{
    const std::vector<std::string> paths = colour::SearchProfiles(folders_);
    InputMenu->clear();
    // O1Click
    InputMenu->addAction(QStringLiteral("ファイルを指定(&O)"), this, [this] {
        if (const std::string path = OpenICM(); !path.empty())
            openicmfile(path);
    });
    InputMenu->addSeparator();
    InputMenu->addAction(QStringLiteral("sRGB 内蔵プロファイル"), this, [this] { openicmfile(""); });
    InputMenu->addAction(QStringLiteral("NTSC 内蔵プロファイル"), this, [this] { openicmfile("NTSC"); });
    InputMenu->addAction(QStringLiteral("AdobeRGB 内蔵プロファイル"), this, [this] { openicmfile("AdobeRGB"); });
    InputMenu->addSeparator();
    for (const colour::FoundProfile& p : colour::ProfilesOfClass(paths, colour::kClassInput | colour::kClassColorSpace))
        InputMenu->addAction(Q(p.description), this, [this, path = p.path] { openicmfile(path); }); // selectClick

    MonitorMenu->clear();
    // MenuItem1Click
    MonitorMenu->addAction(QStringLiteral("ファイルを指定(&O)"), this, [this] {
        if (const std::string path = OpenICM(); !path.empty())
            openicmfile2(path);
    });
    MonitorMenu->addSeparator();
    // Offered only while no monitor profile is chosen; nothing changes until it is picked.
    if (!desktopProfile_.empty() && monitorPath_.empty()) {
        MonitorMenu->addAction(kDesktopEntry, this, [this] { PickDesktopProfile(); });
        MonitorMenu->addSeparator();
    }
    for (const colour::FoundProfile& p : colour::ProfilesOfClass(paths, colour::kClassDisplay | colour::kClassOutput))
        MonitorMenu->addAction(Q(p.description), this, [this, path = p.path] { openicmfile2(path); }); // selectClick2
}

std::string TICCDialog::OpenICM()
{
    const QString folder = QStringLiteral("/usr/share/color/icc/");
    QFileDialog dialog(this, QString(), folder, QStringLiteral("ICC Profile(*.icm *.icc);;すべてのファイル(*.*)"));
    dialog.setDefaultSuffix(QStringLiteral("icm"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

void TICCDialog::openicmfile(const std::string& name)
{
    const colour::ProfileCaption caption = colour::InputProfileCaption(name);
    title1->setText(Q(caption.title));
    desc1->setText(Q(caption.description));
    inputName_ = name;
}

void TICCDialog::openicmfile2(const std::string& path)
{
    const colour::ProfileCaption caption = colour::MonitorProfileCaption(path);
    title2->setText(Q(caption.title));
    desc2->setText(Q(caption.description));
    monitorPath_ = path;
}

void TICCDialog::SetProfileFolders(const std::vector<std::string>& folders)
{
    folders_ = folders;
    FillCombo();
}

void TICCDialog::SetDesktopProfile(const std::vector<uint8_t>& bytes, const std::string& savePath)
{
    desktopProfile_ = bytes;
    desktopSavePath_ = savePath;
    FillCombo();
}

void TICCDialog::PickDesktopProfile()
{
    // The published profile lives only in the display server: a copy in the
    // user's colour folder gives the setting a file to name.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(desktopSavePath_).parent_path(), ec);
    platform::AtomicFile file(desktopSavePath_);
    if (!file.Ok() || !file.Write(desktopProfile_.data(), desktopProfile_.size()) || !file.Commit()) {
        title2->setText(Q(desktopSavePath_));
        desc2->setText(QStringLiteral("保存できません"));
        return;
    }
    openicmfile2(desktopSavePath_);
}

void TICCDialog::SetSettings(const colour::ColourSettings& s)
{
    inputName_ = s.InputProfileName;
    monitorPath_ = s.OutputProfileName;
    enableicm->setChecked(s.EnableICM);
    UseMaker->setChecked(s.UseMaker);
    UseWB->setChecked(s.UseWB);
    ICCMatch->setCurrentIndex(s.ICCMatch < 4 ? s.ICCMatch : -1);
    storedIntent_ = s.ICCMatch;
    useicc->setChecked(s.UseICC);
}

colour::ColourSettings TICCDialog::Settings() const
{
    colour::ColourSettings s;
    s.InputProfileName = inputName_;
    s.OutputProfileName = monitorPath_;
    s.EnableICM = enableicm->isChecked();
    s.UseICC = useicc->isChecked();
    s.UseMaker = UseMaker->isChecked();
    // An intent outside the list stays as stored until another is chosen.
    s.ICCMatch = ICCMatch->currentIndex() < 0 ? storedIntent_ : static_cast<uint8_t>(ICCMatch->currentIndex());
    s.UseWB = UseWB->isChecked();
    return s;
}

void TICCDialog::showEvent(QShowEvent* event)
{
    // FormShow
    openicmfile(inputName_);
    openicmfile2(monitorPath_);
    QDialog::showEvent(event);
}
