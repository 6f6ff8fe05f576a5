// tessarine-cli sprite commands: what a sprite file's header says, and the picture as PNG.
#include <cstdio>
#include <iostream>

#include "cli/Cli.h"
#include "resources/BigFile.h"
#include "resources/Sprites.h"
#include "writers/PngFile.h"

namespace tess::cli {

namespace {

int SpriteInfoCommand(const Args& args) {
    args.Expect(1, 1, {});
    const std::string path = UserPath(args.Positional(0, "FILE"));
    std::string endOfFile;
    const std::vector<uint8_t> bytes = ReadSpriteFile(path, true, endOfFile);
    SpriteInfo info;
    try {
        info = DescribeSprite(bytes);
    } catch (const IoError&) {
        throw InputError(path + ": the sprite header is cut off");
    }
    if (!info.Known) throw InputError(path + ": not a sprite file");
    if (args.Flag("--text")) {
        std::cout << "\"" << info.Magic << "\" " << info.Width << " x " << info.Height << ", "
                  << (info.Layout.empty() ? "unsupported layout" : info.Layout) << ", "
                  << info.BitsPerPixel << " bits per pixel, " << info.AlphaBits << " alpha bits\n";
        return kOk;
    }
    // Layout null: the loader refuses this pixel format.
    PrintJson(
        {{"Magic", info.Magic},
         {"Width", info.Width},
         {"Height", info.Height},
         {"BitsPerPixel", info.BitsPerPixel},
         {"AlphaBits", info.AlphaBits},
         {"Layout", info.Layout.empty() ? nlohmann::json(nullptr) : nlohmann::json(info.Layout)}});
    return kOk;
}

// The surface as PNG: RGB from each pixel's 8-bit expansion, or one grey channel (green, the
// channel with the most bits) for an alpha surface.
void WritePng(const std::string& path, const tSurface& surface, bool grey) {
    if (!grey) {
        writers::WriteSurfacePng(path, surface);
        return;
    }
    writers::PngFile png(path, static_cast<uint32_t>(surface.Width()),
                         static_cast<uint32_t>(surface.Height()), writers::PngColour::Grey);
    std::vector<uint8_t> row(static_cast<size_t>(surface.Width()));
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x)
            row[static_cast<size_t>(x)] = surface.ColorAt(x, y).g;
        png.AddRow(row.data());
    }
    png.Commit();
}

int SpriteDecodeCommand(const Args& args) {
    args.Expect(1, 1, {"-o", "--alpha"});
    const std::string path = UserPath(args.Positional(0, "FILE"));
    const std::string out = UserPath(args.Required("-o"));
    const std::string alphaOut = args.Has("--alpha") ? UserPath(args.Option("--alpha")) : "";
    const bool strip = args.Flag("--strip");
    if (strip && !alphaOut.empty()) throw UsageError("--alpha does not go with --strip");

    tSurface colour, alpha;
    if (strip)
        LoadDDS2toSurface(path, colour);
    else
        LoadDDStoSurface(path, colour, alphaOut.empty() ? nullptr : &alpha);
    if (colour.Empty()) throw InputError(path + ": nothing was decoded");
    WritePng(out, colour, false);
    if (!alphaOut.empty()) {
        if (alpha.Empty()) throw InputError(path + ": the sprite has no alpha channel");
        WritePng(alphaOut, alpha, true);
    }
    // Error boxes raised while decoding make the run end with status 3.
    return kOk;
}

const Registration infoCommand(
    {"sprite", "info", "sprite info FILE [--text]", {"--text"}, SpriteInfoCommand});
const Registration decodeCommand({"sprite",
                                  "decode",
                                  "sprite decode FILE -o OUT.png [--alpha ALPHA.png] [--strip]",
                                  {"--strip"},
                                  SpriteDecodeCommand});

}  // namespace

}  // namespace tess::cli
