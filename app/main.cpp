#include <QApplication>

#include "QtDialogs.h"
#include "UMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("HalosoilS");
    halosoil::QtDialogs dialogs;
    halosoil::MainForm mainForm(dialogs);
    dialogs.SetParent(&mainForm);
    mainForm.show();
    return app.exec();
}
