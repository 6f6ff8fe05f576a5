// The building editor's rules ("Editace stavby"): what it shows of a building, what Ok stores and
// which picture the construction stage gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/DialogFields.h"
#include "game/GameTables.h"

namespace tess {

class tKalistor;
struct tBuildingRec;
class EditorMapSide;

class BuildingEditorRules {
  public:
    static constexpr const char* kCaption = "Editace stavby";
    static constexpr const char* kTagLabel = "tag";
    static constexpr const char* kMoneyLabel = "Peníze/Surovina";
    static constexpr const char* kLifeLabel = "0%                 Životů                 100%";

    // Opens on building `index`: finds its type (by IdBuilding, else by its picture among the
    // four picture fields; a match there becomes the record's IdBuilding) and fills the
    // controls. `table` is the building table in file order.
    BuildingEditorRules(tKalistor& store, int32_t index, tBuildingRec& building, EditorMapSide* map,
                        std::vector<BuildingType> table, std::vector<std::string> races);
    // The same with the tables read.
    BuildingEditorRules(tKalistor& store, int32_t index, tBuildingRec& building,
                        EditorMapSide* map);

    std::string Name;    // the type's name; shown only
    ChoiceList IdRasa;   // the type's race; shown only
    ChoiceList IdTouwn;  // every live settlement
    std::string Tag;
    bool Pozorovatel = false;
    bool Imortal = false;

    // The construction bar (1..100) and the life bar (0..100); values outside are held at the
    // nearest end, as a scroll bar does.
    int ProcVystavby() const { return procVystavby_; }
    void SetProcVystavby(int percent);
    int ProcZivotu() const { return procZivotu_; }
    void SetProcZivotu(int percent);
    // Label4: "Výstavba " + the construction bar + " %", whichever bar moved.
    std::string Label4() const;
    // Label7: "tag", or "Peníze/Surovina" for a money building.
    std::string Label7() const;

    std::optional<FieldError> Check() const;
    // Ok: IdTouwn, ProcVystavby, Tag, ProcZivotu, Pozorovatel, Imortal, then the picture of the
    // construction stage (unchanged when the type is not in the table).
    std::optional<FieldError> Accept();
    // "SMAZAT": the building is deleted and its object removed from the map; the dialog then
    // ends cancelled.
    void Delete();

    // The picture for a construction per cent: the first stage below 33, the second 33..65, the
    // third 66..98, the finished one at 100; a stage without a picture falls through to the next
    // and at 99 % the current picture stays.
    static int32_t StagePicture(const BuildingType& type, int percent, int32_t current);

  private:
    const BuildingType* TypeById(int32_t id) const;

    int32_t index_;
    tBuildingRec& building_;
    EditorMapSide* map_;
    std::vector<BuildingType> table_;
    int procVystavby_ = 100;
    int procZivotu_ = 100;
};

}  // namespace tess
