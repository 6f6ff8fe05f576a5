// A session over a small game for the palette tests: the standard rule tables with unit
// pictures and effects, and an object catalogue made in code.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/SessionFixture.h"
#include "editor/SoundEditorPort.h"
#include "editor/ToolBox.h"
#include "editor/palettes/Palettes.h"
#include "map/ObjectFixture.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"
#include "writers/DbfWriter.h"

namespace tess::test {

// A catalogue entry with the palette's fields.
inline tObject& AddPaletteObject(tObjects& objects, int32_t id, const char* name, bool tree,
                                 const char* treeIdx, bool unown, bool sound = false) {
    tObject& object = AddObject(objects, id, 2, 3);
    object.Name = Utf8ToCp1250(name);
    object.Typ_tree = tree ? 1 : 0;
    object.Typ_unown = unown ? 1 : 0;
    object.Tree_idx = treeIdx;
    object.TreeIdxPlain = ComputeTreeIdxPlain(treeIdx);
    object.HasSound = sound ? 1 : 0;
    return object;
}

// Trees, resources and other objects, each listed by exactly the tabs its flags name.
inline std::unique_ptr<tObjects> PaletteCatalogue() {
    auto objects = std::make_unique<tObjects>();
    AddPaletteObject(*objects, 1, "Smrk", true, "j", false, true);
    AddPaletteObject(*objects, 4, "Dub", true, "l", false);
    AddPaletteObject(*objects, 7, "Palma", true, "t", false);  // not plain: no resource
    AddPaletteObject(*objects, 26, "Prastarý dub", true, "", false);
    AddPaletteObject(*objects, 100, "Balvan", false, "", true, true);
    AddPaletteObject(*objects, 129, "Kámen", false, "", false);
    AddPaletteObject(*objects, 212, "Kosti", false, "", false);
    AddPaletteObject(*objects, 232, "Zlato", false, "", false);
    AddPaletteObject(*objects, 244, "2 značka", false, "", true);
    AddPaletteObject(*objects, 500, "Radnice", false, "", false);
    AddPaletteObject(*objects, 510, "Kasárna", false, "", false);
    AddPaletteObject(*objects, 3003, "Rytíř", false, "", false);
    AddPaletteObject(*objects, 3053, "Vlk", false, "", false);
    return objects;
}

// The person table with the unit pictures the palette shows, and a few effects.
inline void WritePaletteTables(const std::string& dir) {
    writers::DbfTable persons;
    persons.Fields = {
        {"ID", 'N', 6, 0}, {"NAME", 'C', 30, 0}, {"ID_RACE", 'N', 2, 0}, {"ID_OBJ_CHU", 'N', 6, 0}};
    const std::vector<std::vector<std::string>> rows = {{"1", "Rytíř", "1", "3000"},
                                                        {"2", "Vlk", "0", "3050"},
                                                        {"3", "Trpaslík", "3", "3100"},
                                                        {"28", "Lučištník", "1", "3000"}};
    for (const auto& row : rows)
        persons.Records.push_back({false, {row[0], Utf8ToCp1250(row[1]), row[2], row[3]}});
    writers::WriteDbf(dir + "/DATA/person.dbf", persons);
    writers::DbfTable effects;
    effects.Fields = {{"ID", 'N', 6, 0}, {"NAME", 'C', 30, 0}};
    for (const auto& [id, name] :
         std::vector<std::pair<const char*, const char*>>{{"7", "Oheň"}, {"3", "Blesk"}})
        effects.Records.push_back({false, {id, Utf8ToCp1250(name)}});
    writers::WriteDbf(dir + "/DATA/efects.dbf", effects);
}

// The sound dialogs the palette opens in sound mode.
class RecordingSounds final : public SoundEditorPort {
  public:
    bool EditObjectSounds(int32_t type) override {
        opened.push_back("object " + std::to_string(type));
        return true;
    }
    void EditBuildingSounds(int32_t id) override {
        opened.push_back("building " + std::to_string(id));
    }
    void EditPersonSounds(int32_t id) override { opened.push_back("person " + std::to_string(id)); }
    void EditEffectSounds(int32_t id) override { opened.push_back("effect " + std::to_string(id)); }
    std::vector<std::string> opened;
};

// Counts what the object palette asks of its window.
class RecordingPaletteView final : public ObjectPaletteView {
  public:
    void ShowPalette() override { ++shown; }
    void PaletteChanged() override { ++changes; }
    int shown = 0;
    int changes = 0;
};

class PaletteTest : public SessionTest {
  protected:
    PaletteTest() {
        WritePaletteTables(dir.Path().string());
        session->UseObjects(PaletteCatalogue());
        session->Ports().Sounds = &sounds;
        Objects().SetView(&view);
    }
    ~PaletteTest() override { Objects().SetView(nullptr); }

    ObjectPalette& Objects() { return session->PaletteRules().Objects(); }
    ToolBox& Tools() { return session->Tools(); }
    ToolState& State() { return session->Tools().State(); }

    // The names the palette lists, in its order (UTF-8).
    std::vector<std::string> Listed() {
        std::vector<std::string> names;
        for (const tAddPack& entry : Objects().List().Entries())
            names.push_back(Cp1250ToUtf8(entry.Name));
        return names;
    }

    RecordingSounds sounds;
    RecordingPaletteView view;
};

}  // namespace tess::test
