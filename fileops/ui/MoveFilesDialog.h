#pragma once
// TMoveFiles: the destination dialog of the batch copy and move. A folder tree
// that starts at the default folder, a button that makes a new sub-folder of
// the selected one, and a check box to make the chosen folder the default.

#include <QDialog>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class FolderTree;

class TMoveFiles : public QDialog {
    Q_OBJECT
public:
    explicit TMoveFiles(QWidget* parent = nullptr);

    QLabel* Title = nullptr;
    QPushButton* ElGraphicButton1 = nullptr; // 新規フォルダ(&N)
    ::FolderTree* FolderTree = nullptr;
    QCheckBox* ElCheckBox1 = nullptr; // このフォルダを規定値に設定
    QPushButton* bok = nullptr;
    QPushButton* bcancel = nullptr;

    // Selects the folder first shown (the default folder, or its nearest existing parent).
    void SelectFolder(const QString& path);
    // The chosen folder, ending in '/'; empty when none is selected.
    QString SelectedFolder() const;
    // The chosen folder as native bytes, ending in '/'; empty when none is chosen.
    std::string SelectedNativeFolder() const;
    // Starts the tree at a native path (empty: the default folder).
    void SelectNativeFolder(const std::string& path);

    void ElGraphicButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateOk();
};
