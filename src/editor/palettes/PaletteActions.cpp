// What the palette actions of a script do once their values are read: choose an entry of a
// filled tab, set up the plant mix, arm a new settlement.
#include "editor/palettes/PaletteActions.h"

#include <string>

#include "editor/ScriptRunner.h"
#include "editor/palettes/ObjectPalette.h"
#include "editor/palettes/SettlementCommand.h"
#include "game/GameTables.h"

namespace tess {

void ChooseFromPalette(ObjectPalette& palette, const PaletteChoice& choice) {
    palette.FillPage(choice.Tab, choice.Race, choice.Kind, choice.Letter);
    if (!palette.ChooseEntry(choice.Entry))
        throw ScriptError("\"" + std::string(ObjectTabName(choice.Tab)) + "\" lists " +
                          std::to_string(palette.List().Count()) + " entries, there is no entry " +
                          std::to_string(choice.Entry));
}

void ChooseMix(ObjectPalette& palette, const MixChoice& choice) {
    if (choice.Rows.size() > static_cast<size_t>(kMixRows))
        throw ScriptError("a mix has at most " + std::to_string(kMixRows) + " rows");
    std::vector<int32_t> kinds;
    for (const auto& [letter, weight] : choice.Rows) {
        const int32_t kind = PlantKindOfLetter(letter);
        if (kind < 0)
            throw ScriptError(std::string("no plant kind has the letter '") + letter + "'");
        kinds.push_back(kind);
    }
    if (!palette.Filled() || palette.Tab() != ObjectTab::Priroda) palette.FillPaletteNature();
    if (choice.Spacing) palette.SetSpacingText(std::to_string(*choice.Spacing));
    palette.SelectNaturePage(NaturePage::Nahodny);
    for (int32_t row = 0; row < kMixRows; ++row) {
        const bool given = static_cast<size_t>(row) < choice.Rows.size();
        // The weight first: a row whose bar stood at 0 has just lost its kind.
        palette.SetMixWeight(row,
                             given ? choice.Rows[static_cast<size_t>(row)].second : kMaxMixWeight);
        palette.SetMixKind(row, given ? kinds[static_cast<size_t>(row)] : -1);
    }
}

int32_t SettlementKindByName(const std::string& name) {
    if (name == "osada") return kOsada;
    if (name == "ves") return kVesnice;
    if (name == "mesto") return kMesto;
    return 0;
}

void ChooseNewSettlement(ToolBox& tools, int32_t kind, int32_t race) {
    if (!NewSettlement(tools, kind, race)) throw ScriptError(kSettlementBuildingMissing);
}

}  // namespace tess
