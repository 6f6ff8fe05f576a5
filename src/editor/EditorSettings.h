// The settings the editor keeps between runs: value names, defaults and the tool-window places.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "resources/Settings.h"

namespace tess {

// The map opened at start-up; written by every load and every map file write.
inline constexpr const char* kLastMapValue = "LastMap";
inline constexpr const char* kDefaultLastMap = "MAPS\\default.map";
// 1 while "Obrátit směr posunu mapy" carries its check mark, else 0.
inline constexpr const char* kReverseScrollValue = "ObracenyKniply";
// Minutes between autosaves of a modified map (decimals allowed); 0 turns autosave off.
inline constexpr const char* kAutosaveMinutesValue = "AutosaveMinutes";
inline constexpr double kDefaultAutosaveMinutes = 2;
// The memory the undo history may hold, in MiB.
inline constexpr const char* kHistoryBudgetValue = "HistoryBudgetMiB";
inline constexpr int kDefaultHistoryBudgetMiB = 256;
// Whether "Uložit" keeps the previous pair as "NAME.map.bak" and "NAME.sav.bak".
inline constexpr const char* kKeepBackupsValue = "KeepBackups";

// The three as the editor uses them: a value that is no number, or a negative one, counts as
// the default; the budget is at least 1 MiB.
double AutosaveMinutes(SettingsStore& settings);
size_t HistoryBudget(SettingsStore& settings);
bool KeepBackups(SettingsStore& settings);

// A tool window as the main window places it (the Qt forms implement it over their windows).
class ToolWindow {
  public:
    virtual ~ToolWindow() = default;
    virtual int32_t Left() const = 0;
    virtual int32_t Top() const = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetLeft(int32_t left) = 0;
    virtual void SetTop(int32_t top) = 0;
};

// Where one tool window stands. `Form` is null while the window does not exist in this build;
// its record then keeps the values read at start-up, so they survive until the window comes.
struct tWindowPlace {
    ToolWindow* Form = nullptr;
    uint8_t Visible = 0;
    int32_t Left = 0;
    int32_t Top = 0;
};

// The five tool windows, in the order of their places.
enum ToolWindowIndex {
    kMiniMapWindow = 0,
    kPenPalette = 1,
    kTerrainPalette = 2,
    kObjectPalette = 3,
    kWallPalette = 4,
};
inline constexpr int kToolWindowCount = 5;
// Their form names: the prefix of their three settings ("X", "Y", "ex").
inline constexpr std::array<const char*, kToolWindowCount> kToolWindowNames = {
    "LitleM", "selePero", "seleTer", "SeleObj", "seleWall"};

using WindowPlaces = std::array<tWindowPlace, kToolWindowCount>;

// Reads one place; a value that is not stored defaults to the window's current state (the
// record's own values when the window does not exist).
void ReadWindowPlace(SettingsStore& settings, const std::string& formName, tWindowPlace& place);
void WriteWindowPlace(SettingsStore& settings, const std::string& formName,
                      const tWindowPlace& place);
// Visibility first, then left, then top.
void ApplyWindowPlace(const tWindowPlace& place);
// Copies the window's left, top and visibility into the record (nothing without a window).
void CaptureWindowPlace(tWindowPlace& place);

}  // namespace tess
