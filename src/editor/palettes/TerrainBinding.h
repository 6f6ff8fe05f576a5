// "Navolit terén": which picture set a terrain slot of the map shows and whether the game
// shades it, without its window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tess {

class tMapa;

// The picture sets the dialog offers, in its list's order.
inline constexpr std::array<const char*, 35> kPictureSets = {
    "bazina",  "hlinaK",    "kameniB", "kameniT",  "travaS",   "Les",       "poust",
    "snih",    "skala",     "trava",   "dlazba02", "lava",     "dlazba01",  "drevo01",
    "drevo02", "Hlina",     "hlina06", "hlina07",  "mramor01", "mramor2",   "pisek6",
    "poust2",  "skalaMech", "trava6",  "trava7",   "trava8",   "travaFial", "led01",
    "snih02",  "led02",     "snih03",  "dlazba03", "dlazba04", "kameni",    "lava02"};
// A slot's name keeps at most this many characters.
constexpr size_t kSlotNameChars = 30;

class TerrainBinding {
  public:
    static constexpr const char* kCaption = "Navolit terén";
    static constexpr const char* kShadeCaption = "Ztmavovat podle uhlu svetla";
    static constexpr const char* kBrowseFilter = "*#.bmp|*#.bmp";
    static constexpr const char* kBrowseDirectory = "PICTURES\\32x16\\TERENY-";

    // The dialog for slot `terrain` of the map: the name (UTF-8) and the shade flag it shows.
    TerrainBinding(const tMapa& map, int32_t terrain);

    int32_t Terrain() const { return terrain_; }
    // Edit1: the name that Ok stores (UTF-8).
    const std::string& Name() const { return name_; }
    // CheckBox1.
    bool Shade() const { return shade_; }
    void SetShade(bool shade) { shade_ = shade; }
    // Choosing a picture set in the list copies its text into the name.
    void PictureSetChosen(const std::string& text) { name_ = text; }
    // The file "Procházet" chose: its name without directory and without "#.bmp" (its last five
    // characters).
    void FileChosen(const std::string& path);
    // The file name "Procházet" starts with.
    std::string BrowseFileName() const { return name_ + "#.bmp"; }

    // The name as the slot keeps it: CP1250, at most 30 characters.
    std::string StoredName() const;
    // Ok: the slot's name (StoredName) and shade flag. True when the map's slot changed.
    bool Apply(tMapa& map) const;

  private:
    int32_t terrain_;
    std::string name_;
    bool shade_;
};

}  // namespace tess
