// The window program's command line follows the conventions: help and version on standard
// output with status 0, before any window system is needed; wrong use on standard error
// with status 2.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct Outcome {
    int status;
    QByteArray out;
    QByteArray err;
};

Outcome RunApp(const QStringList& arguments, bool withDisplay) {
    QProcess app;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Without a display, and without the offscreen platform, only help and version can work.
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    if (withDisplay) {
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    } else {
        environment.remove("QT_QPA_PLATFORM");
    }
    app.setProcessEnvironment(environment);
    app.start(HALOSOIL_APP, arguments);
    app.waitForFinished(60000);
    return {app.exitCode(), app.readAllStandardOutput(), app.readAllStandardError()};
}

TEST(AppCommandLine, HelpAndVersionNeedNoDisplay) {
    const Outcome help = RunApp({"--help"}, false);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("usage: halosoil [FILE.inp | FILE.out]\n"))
        << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const Outcome version = RunApp({"--version"}, false);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("halosoil ") + HALOSOIL_VERSION + "\n");
}

TEST(AppCommandLine, UnknownOptionsAndSeveralFilesAreUsageErrors) {
    for (const QStringList& arguments :
         {QStringList{"--frobnicate"}, QStringList{"a.inp", "b.inp"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome outcome = RunApp(arguments, true);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_TRUE(outcome.err.contains("usage: halosoil")) << outcome.err.toStdString();
    }
}

}  // namespace
