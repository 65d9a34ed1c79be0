#pragma once
// Making a new sub-folder in a folder tree, as the tree's "new folder" command
// and the destination dialog's button do: the folder gets the first free
// default name, is selected and its name is opened for editing.

#include <QString>

class FolderTree;

// The first name "新しいフォルダ", "新しいフォルダ (2)" ... that is free in parent (native, ending in '/').
QString FreeNewFolderName(const std::string& parent);

// Creates the folder in the tree's selected folder, selects it and starts editing its name.
// False, with the system's reason in error, when it cannot be made.
bool CreateNewSubFolder(FolderTree* tree, QString& error);

// Shows a failed creation as a warning owned by the tree's window.
void WarnNewFolderFailed(FolderTree* tree, const QString& error);
