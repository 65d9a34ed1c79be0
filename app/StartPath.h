#pragma once
// What the program opens at the start: a picture or folder named on the command line.
#include <string>

class TForm1;

// The path to open, as the file system's bytes: the first argument that is not
// an option, else VOVIRO_OPEN_FILE; a relative path is taken from the working
// folder. Empty when there is none.
std::string StartPath(int argc, char** argv);
// A folder is listed; a file lists its folder and opens in the picture view.
// A path that does not exist does nothing.
void OpenStartPath(TForm1& form, const std::string& path);
