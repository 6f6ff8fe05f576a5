// tessarine-cli video commands: a video's stream information, and one frame as PNG.
#include <iostream>

#include "cli/Cli.h"
#include "resources/Avi.h"
#include "resources/Surface.h"
#include "resources/Utils.h"
#include "writers/PngFile.h"

namespace tess::cli {

namespace {

// The record for a video file given on the command line. The reader's error boxes print one
// line each; nobody can fix the file between two attempts, so each operation runs once.
tAviFile VideoFile(const Args& args) {
    const std::string path = UserPath(args.Positional(0, "FILE"));
    if (!FileExistsOnDisk(path)) throw InputError("no video file \"" + path + "\"");
    tAviFile avi;
    avi.FileName = path;
    avi.Limits.Attempts = 1;
    return avi;
}

int VideoInfo(const Args& args) {
    args.Expect(1, 1, {});
    tAviFile avi = VideoFile(args);
    OpenAvi(avi, avi.FileName);
    if (TheCliUi().ErrorCount() > 0) return kBadInput;
    if (args.Flag("--text")) {
        std::cout << avi.FrameWidth << " x " << avi.FrameHeight << ", " << avi.FrameCount
                  << " frames, rate " << avi.Rate << ", quality " << avi.Quality << "\n";
        return kOk;
    }
    PrintJson({{"FileName", avi.FileName},
               {"FrameWidth", avi.FrameWidth},
               {"FrameHeight", avi.FrameHeight},
               {"Rate", avi.Rate},
               {"FrameCount", avi.FrameCount},
               {"Quality", avi.Quality}});
    return kOk;
}

int VideoFrame(const Args& args) {
    args.Expect(2, 2, {"-o"});
    tAviFile avi = VideoFile(args);
    const int32_t index = ParseInt32(args.Positional(1, "INDEX"), "INDEX");
    const std::string out = UserPath(args.Required("-o"));
    tSurface frame;
    if (!GetAviFrame(avi, index, frame)) return kBadInput;
    writers::WriteSurfacePng(out, frame);
    return kOk;
}

const Registration kInfo({"video", "info", "video info FILE [--text]", {"--text"}, VideoInfo});
const Registration kFrame({"video", "frame", "video frame FILE INDEX -o OUT.png", {}, VideoFrame});

}  // namespace

}  // namespace tess::cli
