// The built program started where there is no display at all: it says so in
// one line and ends with status 1, instead of aborting inside the toolkit.

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

TEST(StartedWithoutADisplay, SaysItNeedsOneAndEndsWithStatusOne) {
    QProcess program;
    program.setProcessEnvironment(QProcessEnvironment());  // nothing at all: no DISPLAY, no WAYLAND_DISPLAY
    program.start(QStringLiteral(TAPTRELL_PROGRAM_DIR "/Taptrell"), {});
    ASSERT_TRUE(program.waitForFinished(20000)) << "the program kept running";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
    EXPECT_EQ(program.readAllStandardError(),
              QByteArray("Taptrell needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set.\n"));
}

}  // namespace
