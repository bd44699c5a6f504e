// Runs the anigif tool over each case folder in reference/, one test case per folder, and
// compares what it writes with the golden frames there: in.gif plus 1.png, 2.png, ...; a folder
// without PNGs expects a refusal.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The exit code (-1 when the tool did not finish normally) and what it wrote on stderr.
std::pair<int, std::string> RunTool(const fs::path& gif, const QString& outDir) {
    QProcess tool;
    tool.start(ANIGIF_TOOL, {"frames", QString::fromStdString(gif.string()), "--out", outDir});
    if (!tool.waitForFinished(60'000) || tool.exitStatus() != QProcess::NormalExit) {
        tool.kill();
        return {-1, "did not finish normally"};
    }
    return {tool.exitCode(), tool.readAllStandardError().toStdString()};
}

// Frames are numbered from 1 without gaps; the count stops at the first missing number.
int CountFrames(const fs::path& dir) {
    int n = 0;
    while (fs::exists(dir / (std::to_string(n + 1) + ".png"))) ++n;
    return n;
}

QImage LoadFrame(const fs::path& dir, int frame) {
    const fs::path file = dir / (std::to_string(frame) + ".png");
    return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
}

// Pixels nothing was drawn on may keep any colour: alpha 0 on both sides is a match.
bool SamePixel(QRgb a, QRgb b) { return a == b || (qAlpha(a) == 0 && qAlpha(b) == 0); }

void CompareFrame(const std::string& where, const QImage& want, const QImage& got) {
    ASSERT_FALSE(got.isNull()) << where << ": output is not a readable PNG";
    ASSERT_EQ(got.size(), want.size()) << where;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            ASSERT_TRUE(SamePixel(want.pixel(x, y), got.pixel(x, y)))
                << where << " at (" << x << "," << y << "): want " << std::hex << want.pixel(x, y)
                << " got " << got.pixel(x, y) << " (AARRGGBB)";
}

void CheckCase(const fs::path& dir) {
    const std::string name = dir.filename().string();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const auto [exitCode, stderrText] = RunTool(dir / "in.gif", out.path());
    const fs::path outDir = out.path().toStdString();
    const int expected = CountFrames(dir);
    if (expected == 0) {
        EXPECT_EQ(exitCode, 1) << name << ": the file must be refused";
        const auto lines = std::count(stderrText.begin(), stderrText.end(), '\n');
        EXPECT_TRUE(!stderrText.empty() && lines <= 1 && stderrText.front() != '\n')
            << name << ": want a one-line reason, got \"" << stderrText << "\"";
        EXPECT_EQ(CountFrames(outDir), 0) << name;
        return;
    }
    ASSERT_EQ(exitCode, 0) << name << ": " << stderrText;
    ASSERT_EQ(CountFrames(outDir), expected) << name << ": frame count";
    for (int frame = 1; frame <= expected; ++frame)
        CompareFrame(name + " frame " + std::to_string(frame), LoadFrame(dir, frame),
                     LoadFrame(outDir, frame));
}

std::vector<std::string> CaseFolders() {
    std::vector<std::string> cases;
    for (const auto& entry : fs::directory_iterator(ANIGIF_REFERENCE_DIR)) {
        if (entry.is_directory() && fs::exists(entry.path() / "in.gif"))
            cases.push_back(entry.path().filename().string());
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

// One case per folder, named after it.
class AnigifReference : public ::testing::TestWithParam<std::string> {};

TEST_P(AnigifReference, Folder) { CheckCase(fs::path(ANIGIF_REFERENCE_DIR) / GetParam()); }

INSTANTIATE_TEST_SUITE_P(Golden, AnigifReference, ::testing::ValuesIn(CaseFolders()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
