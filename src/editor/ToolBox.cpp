// The one owner of the tool state: the tool, the brush, the pen mode, the placement entry, the
// drag, and what the palettes show of them, with the operations the palettes and commands call.
#include "editor/ToolBox.h"

#include <algorithm>

#include "map/ObjectsDat.h"

namespace tess {

namespace {

constexpr int32_t kTerrainClass = -1;
constexpr int32_t kLevelClass = -2;
constexpr int32_t kLastLevelTool = kLevelTool + 7;
constexpr int32_t kWallButtons = 8;

int32_t ToolClass(int32_t code) {
    if (code >= 0 && code <= kLastTerrainTool) return kTerrainClass;
    if (code >= kLevelTool && code <= kLastLevelTool) return kLevelClass;
    return code;
}

}  // namespace

class ToolBox::Batch {
  public:
    explicit Batch(ToolBox& tools) : tools_(tools) { ++tools_.batchDepth_; }
    ~Batch() {
        if (--tools_.batchDepth_ == 0 && tools_.changed_) {
            tools_.changed_ = false;
            for (ToolListener* listener : tools_.listeners_)
                listener->ToolsChanged(tools_.state_, tools_.marks_);
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

  private:
    ToolBox& tools_;
};

void ToolBox::SelectTool(int32_t code) {
    Batch batch(*this);
    ResetPaletteMarks();
    if (ToolClass(code) == ToolClass(state_.ToolCode))
        SetPenRadius(marks_.PenTrackBar);
    else
        SetPenRadius(0);
    state_.ToolCode = code;
    host_.EndClipboardModes();
    changed_ = true;
}

void ToolBox::SetPenRadius(int32_t radius) {
    Batch batch(*this);
    radius = std::clamp(radius, 0, kMaxPenRadius);
    state_.PenRadius = radius;
    host_.SetCursorExtent(2 * radius, 2 * radius);
    marks_.PenTrackBar = radius;
    changed_ = true;
}

void ToolBox::SelectLevelTool(int32_t level) {
    Batch batch(*this);
    ResetPaletteMarks();
    level = std::clamp(level, 0, 7);
    SelectTool(kLevelTool + level);
    marks_.LevelTrackBar = 7 - level;
    marks_.LevelToolDown = true;
    changed_ = true;
}

void ToolBox::SelectPlacement(const tAddPack& entry, bool randomShade) {
    Batch batch(*this);
    SelectTool(kObjectTool);
    state_.CurrentPack = entry;
    state_.CurrentPack.RandomShade = randomShade ? 1 : 0;
    const tObject* object = host_.Objects().Item(entry.IdObject);
    if (object)
        host_.SetCursorExtent(std::max(object->Size_RT - 1, 0), std::max(object->Size_LT - 1, 0));
    else
        host_.SetCursorExtent(0, 0);
    changed_ = true;
}

void ToolBox::SelectWallTool(int32_t kind) {
    Batch batch(*this);
    SelectTool(kWallTool);
    SetPenRadius(1);
    state_.CurrentPack.IdObject = kind;
    changed_ = true;
}

void ToolBox::SetPenMode(uint8_t mode) {
    Batch batch(*this);
    state_.PenMode = mode;
    if (mode == kPenFill) SetPenRadius(0);
    changed_ = true;
}

void ToolBox::PenRadius27() {
    Batch batch(*this);
    state_.PenRadius = kMaxPenRadius;
    changed_ = true;
}

void ToolBox::SetCursorExtent(int32_t width, int32_t height) {
    host_.SetCursorExtent(width, height);
}

void ToolBox::SetViewMask(uint8_t mask) {
    Batch batch(*this);
    marks_.Layers = mask;
    host_.SetLayers(mask);
    changed_ = true;
}

void ToolBox::ResetPaletteMarks() {
    Batch batch(*this);
    marks_.LevelToolDown = false;
    marks_.DeleteDown = false;
    marks_.TerrainDown = -1;
    marks_.WallDown = -1;
    marks_.ObjectEntry = -1;
    changed_ = true;
}

void ToolBox::PressDeleteButton() {
    Batch batch(*this);
    SelectTool(kDeleteTool);
    marks_.DeleteDown = true;
}

void ToolBox::PressTerrainButton(int32_t terrain) {
    Batch batch(*this);
    SelectTool(terrain);
    marks_.TerrainDown = terrain;
}

void ToolBox::PressWallButton(int32_t kind) {
    Batch batch(*this);
    ResetPaletteMarks();
    SelectWallTool(kind);
    marks_.WallDown = (kind - 1) % kWallButtons + 1;
}

void ToolBox::MarkObjectEntry(int32_t entry) {
    Batch batch(*this);
    marks_.ObjectEntry = entry;
    changed_ = true;
}

void ToolBox::AddListener(ToolListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void ToolBox::RemoveListener(ToolListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void ToolBox::Changed() {
    Batch batch(*this);
    changed_ = true;
}

void ToolBox::TerrainListChanged() {
    for (ToolListener* listener : listeners_)
        listener->TerrainListChanged();
}

}  // namespace tess
