#pragma once
// TEditMakerDialog: what the marker editor is to change in one JPEG file,
// on three pages (Exif to JFIF, the ICC profile, the comment), with the save
// mode below them. OK is enabled only while something would change.

#include <QDialog>
#include <functional>
#include <string>

#include "jpegtools/MarkerEdit.h"

class QCheckBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TSaveModeBox;

class TEditMakerDialog : public QDialog {
    Q_OBJECT
public:
    explicit TEditMakerDialog(QWidget* parent = nullptr);

    // The file's state: Exif present, an embedded profile present, its comment.
    void Setup(bool hasExif, bool hasProfile, const QString& comment);
    // The chosen changes; false (with the reason) when the profile to embed cannot be read.
    bool Edit(jpegtools::MarkerEdit& edit, std::string& error) const;
    jpegtools::SaveMode Mode() const;
    bool NoQuestions() const;
    // Called with the path chosen for exporting the embedded profile.
    std::function<void(const std::string& path)> ExportProfile;

    // Adds one entry per installed RGB profile of the classes in classFlags.
    void FillCombo(QMenu* menu, unsigned classFlags);
    // Takes the profile file as the one to embed: shows its name and description.
    bool openicmfile(const QString& path);
    void SpeedButton4Click();
    void O1Click();
    void noEditClick();
    void saveicmbuttonClick();

    QTabWidget* Pages = nullptr;
    QRadioButton* noEditExif = nullptr;
    QRadioButton* convJFIF = nullptr;
    QRadioButton* noEdit = nullptr;
    QRadioButton* DelICC = nullptr;
    QRadioButton* addICC = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QLineEdit* title1 = nullptr;
    QLineEdit* desc1 = nullptr;
    QPushButton* saveicmbutton = nullptr;
    QPlainTextEdit* comment = nullptr;
    QPushButton* ElGraphicButton1 = nullptr; // OK
    QPushButton* ElGraphicButton2 = nullptr; // Cancel
    QRadioButton* Rewrite = nullptr;
    QRadioButton* Trashbox = nullptr;
    QRadioButton* Rename = nullptr;
    QCheckBox* Conform = nullptr;
    TSaveModeBox* Modes = nullptr;
    QMenu* ProfileMenu = nullptr;

private:
    void FormCreate();
    QString startComment_;
    QString profilePath_;
};
