// tessarine-cli palette commands: the object palette's entries of a tab, as the editor lists
// them.
#include <iostream>
#include <memory>

#include "cli/Cli.h"
#include "editor/ScriptRunner.h"
#include "editor/palettes/PaletteFills.h"
#include "editor/palettes/PaletteList.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

bool NeedsCatalogue(ObjectTab tab) {
    return tab == ObjectTab::Suroviny || tab == ObjectTab::Priroda || tab == ObjectTab::Dalsi;
}

int PaletteListCommand(const Args& args) {
    args.Expect(0, 0, {"--page", "--race", "--kind", "--letter", "--game-dir"});
    const std::string page = args.Required("--page");
    const std::optional<ObjectTab> tab = ObjectTabByName(page);
    if (!tab)
        throw UsageError("unknown page '" + page +
                         "' (Budovy, Jednotky, Suroviny, Příroda, Další or Efekty)");
    PaletteFilter filter;
    if (args.Has("--race")) filter.Race = ParseInt32(args.Option("--race"), "--race");
    if (args.Has("--kind")) filter.Kind = ParseInt32(args.Option("--kind"), "--kind");
    if (args.Has("--letter")) {
        const std::string letter = Utf8ToCp1250(args.Option("--letter"));
        if (letter.size() != 1) throw UsageError("--letter takes one character");
        filter.Letter = letter[0];
    }
    filter.SoundOnly = args.Flag("--sound-only");

    EnterGameDirectory(args);
    // The tables' tabs do without a catalogue; a game without one still lists them.
    std::unique_ptr<tObjects> objects =
        NeedsCatalogue(*tab) ? LoadObjectCatalogue() : std::make_unique<tObjects>();
    PaletteList list;
    FillTab(list, *tab, filter, *objects);

    if (args.Flag("--text")) {
        for (int32_t i = 0; i < list.Count(); ++i) {
            const tAddPack& entry = list.Entry(i);
            std::cout << i << ": " << Cp1250ToUtf8(entry.Name) << " (IdObject " << entry.IdObject
                      << ", Id " << entry.Id << ")\n";
        }
        return kOk;
    }
    nlohmann::json entries = nlohmann::json::array();
    for (const tAddPack& entry : list.Entries())
        entries.push_back(AddPackJson(entry));
    PrintJson(entries);
    return kOk;
}

const Registration list({"palette",
                         "list",
                         "palette list --page Budovy|Jednotky|Suroviny|Příroda|Další|Efekty "
                         "[--race R] [--kind K] [--letter C] [--sound-only] [--game-dir DIR] "
                         "[--text]",
                         {"--sound-only", "--text"},
                         PaletteListCommand});

}  // namespace

}  // namespace tess::cli
