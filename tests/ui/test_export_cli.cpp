#include "ViewerTestFiles.h"

#include "recordfiles/SampleData.h"

#include <QProcess>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// The batch tool, built beside the tests.
QString cliPath() {
    return QStringLiteral(TARVEX_CLI_PATH);
}

// Runs `tarvex export KIND INPUT OUTPUT`; its exit code.
int cliExport(const QString& kind, const QString& input, const QString& output) {
    QProcess cli;
    cli.start(cliPath(), {"export", kind, input, output});
    if (!cli.waitForFinished(30'000)) {
        ADD_FAILURE() << "tarvex did not run: " << cli.errorString().toStdString();
        return -1;
    }
    EXPECT_TRUE(cli.readAllStandardError().isEmpty());
    return cli.exitCode();
}

class CliExportTest : public RecordViewerTest {
protected:
    void SetUp() override {
        RecordViewerTest::SetUp();
        ASSERT_TRUE(QFileInfo(cliPath()).isExecutable())
            << "build the tarvex target first: " << cliPath().toStdString();
    }

    // Opens `input` with one button, exports it with another, and compares the file that the
    // batch tool writes for the same input.
    void compare(QToolButton* open, QToolButton* save, const QString& kind, const QString& input) {
        SCOPED_TRACE(input.toStdString());
        press(open, input);
        const QString name = kind + "-" + QFileInfo(input).completeBaseName();
        const QString viewerExport = file(name + "-viewer.csv");
        const auto shown = press(save, viewerExport);
        ASSERT_EQ(shown.size(), 1U) << shown.back().text.toStdString();
        const QString cliExportPath = file(name + "-cli.csv");
        ASSERT_EQ(cliExport(kind, input, cliExportPath), 0);
        const QByteArray expected = readBytes(viewerExport);
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(readBytes(cliExportPath), expected);
    }
};

} // namespace

TEST_F(CliExportTest, WritesTheSameBytesAsTheViewersExportOfTheSampleFiles) {
    const SampleFiles sample = writeSampleData(file("sample"));
    compare(viewer->DataBarBtn[0], viewer->DataBarBtn[4], "data", sample.dataLog);
    compare(viewer->auditBarBtn[0], viewer->auditBarBtn[2], "audit", sample.auditTrail);
    compare(viewer->almBarBtn[0], viewer->almBarBtn[2], "alarm", sample.alarmHistory);
}

// Odd files: commas that shift fields, a date where a time belongs, short lines, bare line
// feeds, bytes outside ASCII, a title line only.
TEST_F(CliExportTest, WritesTheSameBytesForOddFiles) {
    const QString log =
        write("odd.csv", "Date,Time,Temp \xB0"
                         "C,Note\r\n3/4/2024,13:05:09,21.5,a,b\n3/4/2024,noon,\r\n3/4/2024\r\n");
    compare(viewer->DataBarBtn[0], viewer->DataBarBtn[4], "data", log);
    const QString titles = write("titles.csv", "Date,Time,Flow\r\n");
    compare(viewer->DataBarBtn[0], viewer->DataBarBtn[4], "data", titles);

    const QString audit =
        write("odd.aud", crlfLines({"3/4/2024,08:00:00,Jos\xE9 Ferreira,Changed A, then B",
                                    "3/4/2024,08:01:00", "3/4/2024,08:02:00,Maria,Logged out"}));
    compare(viewer->auditBarBtn[0], viewer->auditBarBtn[2], "audit", audit);

    const QString alarms =
        write("odd-alarms.csv", crlfLines({"Pump P-1, tripped,3/4/2024,23:15:00", "Short", "",
                                           "High Temp,3/4/2024,14:07:59"}));
    compare(viewer->almBarBtn[0], viewer->almBarBtn[2], "alarm", alarms);
}
