// Program entry: the application object, the main window, the message loop.
#include <QApplication>

#include "app/MainForm.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Voviro");
    TForm1 form;
    form.show();
    return QApplication::exec();
}
