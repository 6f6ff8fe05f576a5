// Seeds for fuzz_script: scripts that use every verb, and a few that are wrong on purpose.
#include <string>
#include <vector>

#include "Seeds.h"

namespace tess::fuzz {

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

}  // namespace

void WriteScriptSeeds(const std::filesystem::path& corpus) {
    const std::string target = "fuzz_script";
    const std::vector<std::pair<const char*, const char*>> scripts = {
        {"tools", R"({"seed": 1, "actions": [{"terrain": 12}, {"radius": 2}, {"pen": "line"},
            {"level": 5}, {"delete": true}, {"wall": 12}, {"layers": 31}, {"pen": "fill"}]})"},
        {"strokes", R"({"actions": [{"terrain": 3}, {"radius": 4},
            {"stroke": [[10, 10], [60, 90], [127, 0]]}, {"command": "undo"},
            {"pen": "line"}, {"press": [5, 5]}, {"move": [70, 30]}, {"release": [70, 40]},
            {"pen": "fill"}, {"terrain": 8}, {"click": [64, 64]}]})"},
        {"placing", R"({"actions": [{"place": {"IdObject": 232, "Id": 232}}, {"answer": "x"},
            {"answer": 900}, {"click": [30, 30]}, {"place": {"IdObject": 500, "Id": 11,
            "OwnerClass": 1, "Tag": 4}}, {"click": [50, 50]}, {"place": {"IdObject": 53,
            "OwnerClass": 2, "Extra": 1}}, {"click": [70, 50]}, {"place": {"TreeMode": 1,
            "TreeLetters": "jl", "TreeWeights": [50, 40], "Spacing": 2}},
            {"stroke": [[10, 100], [100, 100]]}, {"delete": true}, {"click": [30, 30]}]})"},
        {"clipboard", R"({"actions": [{"terrain": 14}, {"click": [20, 20]},
            {"command": "copy"}, {"press": [15, 15]}, {"move": [30, 40]},
            {"release": [30, 40]}, {"command": "save-clip", "file": "a"},
            {"command": "load-clip", "file": "a"}, {"command": "paste"}, {"move": [80, 80]},
            {"click": [80, 80], "button": "middle"}, {"click": [80, 80]},
            {"command": "copy-diamond"}, {"press": [40, 40]}, {"release": [60, 70]}]})"},
        {"commands", R"({"actions": [{"command": "resize", "width": 200, "height": 90},
            {"command": "repair"}, {"command": "dig-water"}, {"command": "delete-trees"},
            {"command": "reset-units"}, {"terrain": 4}, {"command": "fill-map"},
            {"command": "27x27"}, {"answer": {"Edit1": "7", "Edit4": 9}},
            {"click": [3, 3], "button": "middle"},
            {"option": "Změna zdí", "checked": true},
            {"command": "new-map", "width": 128, "height": 200}]})"},
        {"scroll", R"({"actions": [{"press": [40, 40], "button": "right"},
            {"press": [40, 40]}, {"release": [40, 40]},
            {"release": [40, 40], "button": "right"}]})"},
        {"wrong-verb", R"({"actions": [{"terrain": 3}, {"paint": [1, 1]}]})"},
        {"outside", R"({"actions": [{"click": [500, -3]}]})"},
        {"damaged", R"({"seed": 3, "actions": [{"stroke": [[1, 2], [3)"},
    };
    for (const auto& [name, text] : scripts)
        WriteSeed(corpus, target, name, Bytes(text));
}

}  // namespace tess::fuzz
