// The player editor's rules ("Editace hráče"): what it shows of a player and what Ok stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/DialogFields.h"

namespace tess {

class tKalistor;
struct tPlayerRec;

class PlayerEditorRules {
  public:
    static constexpr const char* kCaption = "Editace hráče";
    // The captions of the number fields, shared by the form and the error messages.
    static constexpr const char* kPenize = "Peníze";
    static constexpr const char* kSurovina = "Surovina";
    static constexpr const char* kTag = "tag";
    static constexpr const char* kMaxDelniku = "Max Dělníků";
    static constexpr const char* kMaxBuild = "Max Build";
    static constexpr const char* kMaxVojaku = "Max Vojáků";
    static constexpr const char* kMinSkupinka = "Min bojova skupinka";
    static constexpr const char* kMaxSkupinka = "Max bojova skupinka";
    // The attitudes of a computer player, as the "Povaha" box lists them.
    static const std::vector<std::string>& AttitudeItems();

    // Fills the controls from the record `index` of the store, with the race list given (the
    // races table's, UTF-8).
    PlayerEditorRules(tKalistor& store, int32_t index, tPlayerRec& player,
                      std::vector<std::string> races);
    // The same with the race list read from the races table.
    PlayerEditorRules(tKalistor& store, int32_t index, tPlayerRec& player);

    // The controls, as the user sets them (texts UTF-8).
    std::string Name;
    ChoiceList IdRasa;
    bool RidiPocitac = false;
    ChoiceList Povaha;
    int32_t Barva = 0;  // red + green * 256 + blue * 65536, stored on Ok
    std::string Penize;
    std::string Surovina;
    std::string Tag;  // "tag"
    std::string MaxDelniku;
    std::string MaxBuild;  // Edit3
    std::string MaxVojaku;
    std::string MinSkupinka;
    std::string MaxSkupinka;

    // "Povaha" can be chosen only for a computer player.
    bool PovahaEnabled() const { return RidiPocitac; }
    // A double click on "Max Build": the number of live buildings in the live settlements that
    // this player owns.
    void Edit3DoubleClick();

    // What Ok would refuse, without storing anything.
    std::optional<FieldError> Check() const;
    // Ok: stores every control in the order the dialog lists them. Nothing is stored when a
    // number cannot be read; the error names the control.
    std::optional<FieldError> Accept();
    // "SMAZAT": the player is deleted at once; the dialog then ends cancelled.
    void Delete();

    int32_t Index() const { return index_; }
    tKalistor& Store() { return store_; }
    // The race stored in the record (the permission editor opens on it, not on the box).
    int32_t StoredRace() const;

  private:
    struct Values;
    std::optional<FieldError> Read(Values& values) const;

    tKalistor& store_;
    int32_t index_;
    tPlayerRec& player_;
};

}  // namespace tess
