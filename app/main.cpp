#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <vector>

#include "MainForm.h"
#include "ProjectInfo.h"
#include "QtDialogs.h"

namespace {

constexpr const char* kUsage = "usage: halosoil [FILE.inp | FILE.out]\n";

void PrintHelp() {
    std::printf(
        "%s\n"
        "Simulates the water table and the soil salinity of an irrigated area.\n"
        "\n"
        "  FILE.inp     open the input file, as \"Open input\" does\n"
        "  FILE.out     open the output file with its input file, as \"Open output\" does\n"
        "  --help       show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "Qt's own options (such as -platform offscreen) are accepted as well.\n"
        "Report bugs to %s; home page: %s\n",
        kUsage, halosoil::kMakerEmail, halosoil::kMakerUrl);
}

// Answers --help and --version before any window system is needed; returns the exit status,
// or -1 to go on.
int AnswerInformationRequests(int argc, char* argv[]) {
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
            PrintHelp();
            return 0;
        }
        if (std::strcmp(argv[k], "--version") == 0) {
            std::printf("halosoil %s\n", halosoil::kVersion);
            return 0;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = AnswerInformationRequests(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName("HalosoilS");
    QApplication::setApplicationVersion(halosoil::kVersion);
    QGuiApplication::setDesktopFileName("org.example.Halosoil");
    // The installed icon; a program run from its build folder keeps the platform's default.
    QApplication::setWindowIcon(QIcon::fromTheme("org.example.Halosoil"));

    std::vector<QString> files;
    for (int k = 1; k < argc; ++k) {
        if (argv[k][0] == '-') {
            std::fprintf(stderr, "halosoil: unknown option %s\n%s", argv[k], kUsage);
            return 2;
        }
        files.push_back(QString::fromLocal8Bit(argv[k]));
    }
    if (files.size() > 1) {
        std::fprintf(stderr, "halosoil: one file at a time\n%s", kUsage);
        return 2;
    }

    halosoil::QtDialogs dialogs;
    halosoil::MainForm mainForm(dialogs);
    dialogs.SetParent(&mainForm);
    mainForm.show();
    if (!files.empty()) {
        // Once the window stands, so that its messages appear over it.
        QTimer::singleShot(0, &mainForm, [&mainForm, file = files.front()] {
            mainForm.Guarded([&mainForm, &file] { mainForm.OpenFileFromOutside(file); });
        });
    }
    return app.exec();
}
