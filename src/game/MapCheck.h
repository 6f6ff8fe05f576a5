// The map check: inconsistencies between the map grid and the game data, found before a save.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "resources/Utils.h"

namespace tess {

class tMapa;
class tKalistor;

// Finding codes.
constexpr int kFindingNoPlayer = 1;
constexpr int kFindingNoSettlement = 2;
constexpr int kFindingSettlementWithoutPlayer = 3;
constexpr int kFindingBuildingWithoutSettlement = 4;
constexpr int kFindingUnitWithoutPlayer = 5;
constexpr int kFindingMineWithoutAmount = 10;
constexpr int kFindingTooFewPlayers = 11;

// What Check runs.
constexpr int kCheckNothing = 1;
constexpr int kCheckPlayers = 2;      // code 1 without a live player
constexpr int kCheckSettlements = 4;  // code 2 without a live settlement
constexpr int kCheckPlayersToo = 8;   // the same as kCheckPlayers
constexpr int kCheckFull = 16;        // every finding; -1 when there is any

// The findings window: its title, and its caption once it shows findings.
inline constexpr const char* kCheckWindowTitle = "Kontrola mapy";
inline constexpr const char* kCheckFindingsCaption = "V mapě byly nalezeny chyby.";

// The gold and iron deposits: object types whose amount lies in the cell left of the anchor.
constexpr int kGoldDeposit = 232;
constexpr int kIronDeposit = 233;
// The building type that keeps its amount in Tag and must hold some.
constexpr int32_t kAmountBuildingType = 89;

// The text of a finding code ("" for an unknown code).
std::string FindingText(int code);

struct CheckFinding {
    int Code = 0;
    int32_t X = 0;  // the cell the finding concerns; (0, 0) for none
    int32_t Y = 0;

    // The code's text.
    std::string Text() const { return FindingText(Code); }
    // The line as the findings window lists it: the text, then " [x,y]" when both coordinates
    // are non-zero.
    std::string Line() const;
    // The cell as the window's line keeps it: row * 65,536 + column.
    int32_t CellKey() const { return Y * 65536 + X; }
};

// The window side of a full check: the progress over the map rows.
class CheckProgress {
  public:
    virtual ~CheckProgress() = default;
    virtual void Start(int32_t maximum) = 0;  // the map's Height
    virtual void Position(int32_t row) = 0;
};

// Finds the anchor of the deposit that covers (x, y): while the cell reached is a footprint cell
// (Occupancy 1), step to the down-right neighbour when it has the same Id and LinkKind, else to
// the down-left one when that has. A cell that is no footprint cell is its own anchor. Gives up
// (none) when neither neighbour continues the footprint or after 1,000 steps. The map check and
// the editor's deposit click share it.
std::optional<TPoint> FindDepositAnchor(const tMapa& map, int32_t x, int32_t y);

// The map check over one map and its game data. Each full check starts a new list of findings.
class tMapCheck {
  public:
    tMapCheck(const tMapa& map, tKalistor& store) : map_(map), store_(store) {}

    // Runs the check `what` (kCheck*) and returns its code, 0 for none; the full check returns
    // -1 when it found anything. With `show`, a result other than 0 is also shown in a message
    // box with an Ok button (the code's text; for the full check the findings caption). An
    // unknown `what` checks nothing. Progress, when given, follows the rows of a full check.
    int Check(int what, bool show, CheckProgress* progress = nullptr);
    // The findings of the last full check, in the order they were found.
    const std::vector<CheckFinding>& Findings() const { return findings_; }

    // Live player and settlement records among indices 1..count.
    int32_t PlayerCount() const;
    int32_t SettlementCount() const;

    // What choosing a finding's line opens: the building editor for a building anchor at the
    // kept cell, the unit editor for a unit anchor; nothing otherwise. True when an editor was
    // opened and accepted.
    bool OpenFinding(int32_t cellKey);

  private:
    bool IsLivePlayer(int32_t index) const;
    bool IsLiveSettlement(int32_t index) const;
    void FullCheck(CheckProgress* progress);
    void Add(int code, int32_t x = 0, int32_t y = 0) { findings_.push_back({code, x, y}); }

    const tMapa& map_;
    tKalistor& store_;
    std::vector<CheckFinding> findings_;
};

}  // namespace tess
