#pragma once
// The "処理内容" group shared by the JPEG tool dialogs: overwrite, move the
// old file to the trash and overwrite, or save under a new name, and the box
// that turns the questions before replacing files off.

#include <QGroupBox>

#include "jpegtools/SaveInPlace.h"

class QCheckBox;
class QRadioButton;

class TSaveModeBox : public QGroupBox {
    Q_OBJECT
public:
    // renameCaption: the Rename choice's text, which names the new file.
    TSaveModeBox(const QString& renameCaption, QWidget* parent = nullptr);

    jpegtools::SaveMode Mode() const;
    void SetMode(jpegtools::SaveMode mode);

    QRadioButton* Rewrite = nullptr;
    QRadioButton* Trashbox = nullptr;
    QRadioButton* Rename = nullptr;
    QCheckBox* Conform = nullptr;
};
