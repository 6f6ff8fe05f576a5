// An editor session with a 128 x 128 map, an object catalogue made in code and scripted
// engine ports, for the brush, mouse, placement and command tests.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SessionFixture.h"
#include "editor/Brushes.h"
#include "editor/EnginePorts.h"
#include "editor/MapWideCommands.h"
#include "editor/MouseTools.h"
#include "editor/Placement.h"
#include "editor/SoundEditorPort.h"
#include "editor/ToolBox.h"
#include "editor/UndoAndClipboard.h"
#include "game/Clipboard.h"
#include "map/ObjectFixture.h"
#include "map/ObjectsDat.h"

namespace tess::test {

// Object types of the fixture's catalogue.
constexpr int32_t kRock = 5;           // 1 x 1
constexpr int32_t kHut = 40;           // 2 x 3
constexpr int32_t kPine = 300;         // tree "j"
constexpr int32_t kOak = 301;          // tree "l"
constexpr int32_t kBush = 302;         // tree without letters
constexpr int32_t kHallPicture = 500;  // building pictures, 2 x 2
constexpr int32_t kTownPicture = 520;
constexpr int32_t kKnightPicture = 53;  // a unit's facing 3

// Every port of the engine, answering from queues and recording what it was asked.
class ScriptedEngine final : public ObjectPalettePort,
                             public AmountDialogPort,
                             public CellParamsDialogPort,
                             public InputBoxPort,
                             public ClipFileDialogPort,
                             public LongWorkPort,
                             public SoundEditorPort {
  public:
    EnginePorts Ports() { return {this, this, this, this, this, this, this}; }

    void Pick(PalettePage page, int32_t idObject) override { picks.emplace_back(page, idObject); }
    std::optional<AmountReply> AskAmount(const AmountRequest& request) override {
        amountRequests.push_back(request);
        return Next(amounts);
    }
    std::optional<CellParamTexts> EditCellParams(const CellParamTexts& shown) override {
        shownParams.push_back(shown);
        return Next(params);
    }
    std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                        const std::string& text) override {
        inputs.push_back(title + "|" + prompt + "|" + text);
        return Next(inputAnswers);
    }
    std::optional<std::string> ChooseClipToSave(const FileDialogSetup& setup) override {
        clipSetups.push_back(setup);
        return Next(clipAnswers);
    }
    std::optional<std::string> ChooseClipToOpen(const FileDialogSetup& setup) override {
        clipSetups.push_back(setup);
        return Next(clipAnswers);
    }
    void BeginWork(int32_t) override { ++works; }
    void WorkProgress(int32_t) override {}
    bool AbortRequested() override {
        ++abortChecks;
        return abortAfter >= 0 && abortChecks > abortAfter;
    }
    void EndWork() override {}
    bool EditObjectSounds(int32_t type) override {
        sounds.push_back("object " + std::to_string(type));
        return true;
    }
    void EditBuildingSounds(int32_t id) override {
        sounds.push_back("building " + std::to_string(id));
    }
    void EditPersonSounds(int32_t id) override { sounds.push_back("person " + std::to_string(id)); }
    void EditEffectSounds(int32_t id) override { sounds.push_back("effect " + std::to_string(id)); }

    std::vector<std::pair<PalettePage, int32_t>> picks;
    std::deque<std::optional<AmountReply>> amounts;
    std::vector<AmountRequest> amountRequests;
    std::deque<std::optional<CellParamTexts>> params;
    std::vector<CellParamTexts> shownParams;
    std::deque<std::optional<std::string>> inputAnswers;
    std::vector<std::string> inputs;
    std::deque<std::optional<std::string>> clipAnswers;
    std::vector<FileDialogSetup> clipSetups;
    int works = 0;
    int abortChecks = 0;
    int abortAfter = -1;  // checks answered "no" before the abort keys are down; -1 never
    std::vector<std::string> sounds;

  private:
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

class EngineTest : public SessionTest {
  protected:
    EngineTest() {
        auto objects = std::make_unique<tObjects>();
        AddObject(*objects, kRock, 1, 1);
        AddObject(*objects, kHut, 2, 3);
        AddObject(*objects, kHallPicture, 2, 2);
        AddObject(*objects, kTownPicture, 2, 2);
        AddObject(*objects, kKnightPicture, 1, 1);
        AddObject(*objects, 232, 2, 2);  // gold
        AddObject(*objects, 233, 2, 2);  // iron
        for (int32_t type = 100; type <= 103; ++type)
            AddObject(*objects, type, 1, 1);
        for (int32_t type = 212; type <= 226; ++type)
            AddObject(*objects, type, 1, 1);
        Tree(AddObject(*objects, kPine, 1, 1), "j");
        Tree(AddObject(*objects, kOak, 1, 1), "l");
        Tree(AddObject(*objects, kBush, 1, 1), "");
        session->UseObjects(std::move(objects));
        session->Ports() = engine.Ports();
        session->Store().SetEditors(&editors);
        // The map as "Nová mapa" makes it (the start-up's full-size map takes long to clear).
        port.sizeAnswers = {MapSizeTexts{"128", "128"}};
        session->NewMapCommand();
        session->CollectTreeTypes([&](int32_t type) {
            const tObject* o = session->Objects().Item(type);
            return o && o->Typ_tree;
        });
        ui.Reset();
    }

    static void Tree(tObject& object, const char* letters) {
        object.Typ_tree = 1;
        object.Tree_idx = letters;
    }

    tMapa& Map() { return session->Map(); }
    tKalistor& Store() { return session->Store(); }
    ToolBox& Tools() { return session->Tools(); }
    ToolState& State() { return session->Tools().State(); }
    MouseTools& Mouse() { return session->Mouse(); }

    // The mouse as a script moves it, in cells.
    void Press(TPoint cell, MouseButton button = MouseButton::Left) {
        Mouse().MoveToCell(cell);
        Mouse().Down(button);
    }
    void Release(TPoint cell, MouseButton button = MouseButton::Left) {
        Mouse().MoveToCell(cell);
        Mouse().Up(button);
    }
    void Click(TPoint cell, MouseButton button = MouseButton::Left) {
        Press(cell, button);
        Release(cell, button);
    }

    // The entry of a plain object, a building or a unit.
    static tAddPack Entry(int32_t idObject, int32_t id, uint8_t ownerClass, int32_t tag = 0) {
        tAddPack pack;
        pack.IdObject = idObject;
        pack.Id = id;
        pack.OwnerClass = ownerClass;
        pack.Tag = tag;
        return pack;
    }

    // How many cells of the map proper show a terrain.
    int CountTerrain(int terrain) {
        int count = 0;
        for (int32_t y = 0; y < Map().Height; ++y)
            for (int32_t x = 0; x < Map().Width; ++x)
                count += Map().GetTerrain(x, y) == terrain;
        return count;
    }

    ScriptedEngine engine;
};

}  // namespace tess::test
