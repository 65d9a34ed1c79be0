#pragma once
// TICCDialog: the colour-management settings ("色管理の設定"): input and
// monitor profiles picked from menus of the installed profiles or a file
// dialog, with each profile's title and description, the rendering intent,
// black-point compensation and the three switches.

#include <QDialog>
#include <string>
#include <vector>

#include "colour/ColourManagement.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

class TICCDialog : public QDialog {
    Q_OBJECT
public:
    explicit TICCDialog(QWidget* owner = nullptr);

    // The settings shown; Settings() gives them back as edited.
    void SetSettings(const colour::ColourSettings& settings);
    colour::ColourSettings Settings() const;

    // The profile search folders (the installed ones by default; tests give their own).
    void SetProfileFolders(const std::vector<std::string>& folders);
    // The monitor profile the desktop publishes, when there is one, offered
    // as the labelled first entry of the monitor menu; picking it saves it to
    // `savePath` and chooses that file.
    void SetDesktopProfile(const std::vector<uint8_t>& bytes, const std::string& savePath);

    // Rebuilds both menus from the profile folders.
    void FillCombo();
    void openicmfile(const std::string& name); // input side
    void openicmfile2(const std::string& path); // monitor side

    // The caption of the desktop's profile in the monitor menu.
    static const QString kDesktopEntry;

    // The controls, named as in the window's other dialogs for tests and the window.
    QCheckBox* enableicm = nullptr;
    QCheckBox* useicc = nullptr;
    QCheckBox* UseMaker = nullptr;
    QCheckBox* UseWB = nullptr;
    QComboBox* ICCMatch = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QLineEdit* title1 = nullptr;
    QLineEdit* desc1 = nullptr;
    QLineEdit* title2 = nullptr;
    QLineEdit* desc2 = nullptr;
    QPushButton* ElGraphicButton1 = nullptr; // OK
    QPushButton* ElGraphicButton2 = nullptr; // Cancel
    QMenu* InputMenu = nullptr;
    QMenu* MonitorMenu = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    // The open dialog of both "ファイルを指定(&O)" entries; empty when cancelled.
    std::string OpenICM();
    void PickDesktopProfile();

    std::string inputName_;
    std::string monitorPath_;
    std::vector<std::string> folders_;
    std::vector<uint8_t> desktopProfile_;
    std::string desktopSavePath_;
    uint8_t storedIntent_ = 0;
};
