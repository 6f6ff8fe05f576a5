// The built editor started on the demo game under a virtual X server: the screen it leaves shows
// the drawn map and the mini-map window beside it, the palettes restored from the settings, and
// the sound dialogs asked for on its command line with the effect's animation and the keeper's
// face.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

bool HaveXvfbRun() {
    return std::system("command -v xvfb-run >/dev/null 2>&1") == 0;
}

// Distinct colours in a rectangle of the picture, and how many of its pixels are black.
struct RegionStats {
    size_t Colours = 0;
    int64_t Black = 0;
    int64_t White = 0;
    int64_t Pixels = 0;
};

RegionStats Stats(const QImage& image, int left, int top, int width, int height) {
    RegionStats stats;
    std::set<QRgb> colours;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            colours.insert(pixel);
            stats.Black += pixel == 0;
            stats.White += pixel == 0xFFFFFF;
            ++stats.Pixels;
        }
    stats.Colours = colours.size();
    return stats;
}

// Pixels of `picture` that the screen shows at (left, top), each channel within 4 of it (the
// two PNG writers may round 5- and 6-bit channels differently).
int64_t SamePixels(const QImage& screen, int left, int top, const QImage& picture) {
    int64_t same = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor a = screen.pixelColor(left + x, top + y);
            const QColor b = picture.pixelColor(x, y);
            same += std::abs(a.red() - b.red()) <= 4 && std::abs(a.green() - b.green()) <= 4 &&
                    std::abs(a.blue() - b.blue()) <= 4;
        }
    return same;
}

// Runs the command-line tool in `dir` and returns its standard output.
std::string RunCli(const test::TempDir& dir, const std::string& arguments) {
    const std::string out = dir.File("cli-out.txt");
    const std::string command = "cd '" + dir.Path().string() + "' && '" + TESS_CLI_PATH + "' " +
                                arguments + " > '" + out + "' 2> '" + dir.File("cli-err.txt") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The record of a table (a game-data name) whose ID is `id`, as the tool dumps it.
nlohmann::json Record(const test::TempDir& dir, const std::string& table, int id) {
    const nlohmann::json dump =
        nlohmann::json::parse(RunCli(dir, "dbf dump '" + table + "' --game-dir game"));
    for (const nlohmann::json& record : dump["Records"])
        if (std::stoi(record["ID"].get<std::string>()) == id) return record;
    ADD_FAILURE() << "no record " << id << " in " << table;
    return {};
}

// True when `picture` appears somewhere on the screen, every pixel within 4 per channel (the two
// PNG writers may round 5- and 6-bit channels differently).
bool Shows(const QImage& screen, const QImage& picture) {
    const QImage a = screen.convertToFormat(QImage::Format_RGB32);
    const QImage b = picture.convertToFormat(QImage::Format_RGB32);
    const auto close = [](QRgb p, QRgb q) {
        return std::abs(qRed(p) - qRed(q)) <= 4 && std::abs(qGreen(p) - qGreen(q)) <= 4 &&
               std::abs(qBlue(p) - qBlue(q)) <= 4;
    };
    const auto at = [](const QImage& image, int x, int y) {
        return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    };
    const int w = b.width(), h = b.height();
    for (int top = 0; top + h <= a.height(); ++top)
        for (int left = 0; left + w <= a.width(); ++left) {
            if (!close(at(a, left, top), at(b, 0, 0)) ||
                !close(at(a, left + w - 1, top + h - 1), at(b, w - 1, h - 1)))
                continue;
            int64_t same = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    same += close(at(a, left + x, top + y), at(b, x, y));
            if (same == int64_t(w) * h) return true;
        }
    return false;
}

// Runs the built editor on a copy of the demo game under a virtual X server with the settings
// file given (none when empty) and the further options, and loads the screen it leaves.
QImage RunEditor(const test::TempDir& dir, const std::string& settings,
                 const std::string& options = "") {
    // A copy of the demo and settings of its own: the run must not change either original.
    fs::copy(TESS_DEMO_DIR, dir.Path() / "game", fs::copy_options::recursive);
    if (!settings.empty()) {
        fs::create_directories(dir.Path() / "config" / "Korvel Studio");
        std::ofstream(dir.Path() / "config" / "Korvel Studio" / "Tessarine.conf") << settings;
    }
    const std::string picture = dir.File("screen.png");
    const std::string command =
        "cd '" + dir.Path().string() + "' && env -u QT_QPA_PLATFORM XDG_CONFIG_HOME='" +
        dir.File("config") + "' timeout 120 xvfb-run -a -s '-screen 0 " +
        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24' '" +
        TESS_APP_PATH + "' --game-dir game " + options + " --screenshot '" + picture + "' > '" +
        dir.File("output.txt") + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command;
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(picture)));
    return image;
}

TEST(ScreenshotTest, TheSoundDialogsShowTheEffectsAnimationAndTheKeepersFace) {
    if (!HaveXvfbRun()) GTEST_SKIP() << "xvfb-run is not installed";
    test::TempDir dir;
    const int effect = 1, building = 12;
    const QImage screen = RunEditor(dir, "",
                                    "--effect-sounds " + std::to_string(effect) +
                                        " --building-sounds " + std::to_string(building));
    ASSERT_EQ(screen.width(), kScreenWidth);

    // The keeper's face: the last frame of the building's clip, as the tool reads it.
    const nlohmann::json b = Record(dir, "DATA/building.dbf", building);
    const int frame = std::stoi(b["XICHT_POS"].get<std::string>()) +
                      std::stoi(b["XICHT_LEN"].get<std::string>()) - 1;
    RunCli(dir, "video frame game/Pictures/ksichtis.avi " + std::to_string(frame) + " -o face.png");
    QImage face;
    ASSERT_TRUE(face.load(QString::fromStdString(dir.File("face.png"))));
    EXPECT_TRUE(Shows(screen, face));

    // One of the frames of the effect's animation strip, wherever the animation has got to.
    const nlohmann::json e = Record(dir, "DATA/efects.dbf", effect);
    const nlohmann::json anim =
        Record(dir, "data/anims.dbf", std::stoi(e["ID_ANIM"].get<std::string>()));
    std::string file = anim["FILENAME"].get<std::string>();
    file.erase(std::remove(file.begin(), file.end(), '*'), file.end());
    file.replace(file.find("tga"), 3, "dds");
    RunCli(dir, "sprite decode 'game/pictures/anims/" + file + "' --strip -o strip.png");
    QImage strip;
    ASSERT_TRUE(strip.load(QString::fromStdString(dir.File("strip.png"))));
    const int width = std::stoi(anim["WIDTH"].get<std::string>());
    const int height = std::stoi(anim["HEIGHT"].get<std::string>());
    const int frames = std::stoi(anim["ANIMCOUNT"].get<std::string>());
    ASSERT_GT(frames, 1);
    int shown = 0;
    for (int f = 0; f < frames; ++f)
        shown += Shows(screen, strip.copy(0, f * height, width, height));
    EXPECT_GE(shown, 1);
}

TEST(ScreenshotTest, TheEditorOnTheDemoGameShowsTheMapAndTheMiniMap) {
    if (!HaveXvfbRun()) GTEST_SKIP() << "xvfb-run is not installed";
    test::TempDir dir;
    const QImage image = RunEditor(dir, "");
    ASSERT_EQ(image.width(), kScreenWidth);
    ASSERT_EQ(image.height(), kScreenHeight);

    // The mini-map's picture of the demo map, as the command-line tool draws it (its frame
    // shows another view, so the frame pixels may differ).
    const std::string expectedPicture = dir.File("mini.png");
    const std::string cli = "cd '" + dir.Path().string() + "' && '" + TESS_CLI_PATH +
                            "' map minimap game/MAPS/default.map --game-dir game -o '" +
                            expectedPicture + "' > '" + dir.File("mini.txt") + "' 2>&1";
    ASSERT_EQ(std::system(cli.c_str()), 0) << cli;
    QImage expected;
    ASSERT_TRUE(expected.load(QString::fromStdString(expectedPicture)));
    ASSERT_GT(expected.width(), 16);
    ASSERT_GT(expected.height(), 16);

    // It stands at the right edge of the (maximised) main window, 40 pixels from the top.
    const int miniLeft = kScreenWidth - expected.width() - 10;
    const int miniTop = 40;
    const int64_t same = SamePixels(image, miniLeft, miniTop, expected);
    const int64_t pixels = int64_t{expected.width()} * expected.height();
    EXPECT_GT(same, pixels * 9 / 10);
    const RegionStats miniStats =
        Stats(image, miniLeft, miniTop, expected.width(), expected.height());
    EXPECT_GT(miniStats.White, 8);  // the view frame
    // A picture of the same size just left of it is map view, not mini-map.
    EXPECT_LT(SamePixels(image, miniLeft - expected.width() - 20, miniTop, expected), pixels / 2);

    // The map view beside and below it: drawn pictures in many colours, hardly any black.
    const int viewTop = miniTop + expected.height() + 10;
    const RegionStats viewStats = Stats(image, 0, viewTop, kScreenWidth, kScreenHeight - viewTop);
    EXPECT_GT(viewStats.Colours, 256u);
    EXPECT_LT(viewStats.Black, viewStats.Pixels / 10);
}

TEST(ScreenshotTest, TheToolPalettesAndTheObjectPaletteComeBackFromTheSettings) {
    if (!HaveXvfbRun()) GTEST_SKIP() << "xvfb-run is not installed";
    struct Palette {
        const char* Name;
        int Left;
        int Top;
    };
    const Palette palettes[] = {
        {"selePero", 900, 720}, {"seleTer", 880, 330}, {"SeleObj", 20, 40}, {"seleWall", 300, 600}};
    std::string settings = "[General]\n";
    for (const Palette& p : palettes)
        settings += std::string(p.Name) + "X=" + std::to_string(p.Left) + "\n" + p.Name +
                    "Y=" + std::to_string(p.Top) + "\n" + p.Name + "ex=true\n";
    test::TempDir dir;
    const QImage image = RunEditor(dir, settings);
    ASSERT_EQ(image.width(), kScreenWidth);

    // Each palette stands where it was left: its own background at its corner (the virtual
    // server has no window frames), and inside it buttons, pictures and text in many colours.
    const QRgb background = image.pixel(palettes[2].Left + 2, palettes[2].Top + 2) & 0xFFFFFF;
    for (const Palette& p : palettes) {
        EXPECT_EQ(image.pixel(p.Left + 2, p.Top + 2) & 0xFFFFFF, background) << p.Name;
        int64_t plain = 0;
        std::set<QRgb> colours;
        for (int y = p.Top + 2; y < p.Top + 152; ++y)
            for (int x = p.Left + 2; x < p.Left + 162; ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
                plain += pixel == background;
                colours.insert(pixel);
            }
        EXPECT_GT(plain, 160 * 150 / 10) << p.Name;
        EXPECT_GT(colours.size(), 24u) << p.Name;
    }
    // The object palette lists "Další" with pictures in its first preview.
    std::set<QRgb> preview;
    for (int y = 110; y < 200; ++y)
        for (int x = 40; x < 150; ++x)
            preview.insert(image.pixel(x, y) & 0xFFFFFF);
    EXPECT_GT(preview.size(), 8u);
}

}  // namespace
}  // namespace tess
