#pragma once
// TLossLessDialog: the settings of one lossless rotation run (one file or a
// batch): the angle, the save mode and whether to ask before replacing. The
// save mode and the no-question box are kept under Lossless in the settings
// store: read when the dialog is made, written when it goes (OK or Cancel).

#include <QDialog>

#include "jpegtools/LosslessRotate.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class TSaveModeBox;

namespace platform {
class RegistryStore;
}

class TLossLessDialog : public QDialog {
    Q_OBJECT
public:
    TLossLessDialog(platform::RegistryStore& registry, QWidget* parent = nullptr);
    ~TLossLessDialog() override;

    // The checked angle, save mode and question setting.
    jpegtools::LosslessSettings Settings() const;

    QRadioButton* Def = nullptr;
    QRadioButton* Rolate90 = nullptr;
    QRadioButton* Rolate180 = nullptr;
    QRadioButton* Rolate270 = nullptr;
    QRadioButton* Rewrite = nullptr;
    QRadioButton* Trashbox = nullptr;
    QRadioButton* Rename = nullptr;
    QCheckBox* Conform = nullptr;
    TSaveModeBox* Modes = nullptr;
    QPushButton* bok = nullptr;
    QPushButton* bcancel = nullptr;

private:
    void ReadSettings();
    void WriteSettings();
    platform::RegistryStore& registry_;
};
