// The palette verbs of "map edit" scripts: "palette", "mix" (with "spacing") and
// "new-settlement".
#pragma once

#include <nlohmann/json.hpp>

namespace tess {

class ScriptRunner;

// {"palette": {"page": P, "race": R, "kind": K, "letter": C, "entry": N}}: the tab filled as
// its menu fills it, then entry N clicked (the object tool with it and the "Náhodně umístit"
// state the tab sets). Page names as "palette list" takes them.
void RunPaletteVerb(ScriptRunner& runner, const nlohmann::json& action);
// {"mix": [[LETTER, WEIGHT], ...], "spacing": S}: the "Náhodný" page with up to four rows.
void RunMixVerb(ScriptRunner& runner, const nlohmann::json& action);
// {"new-settlement": {"kind": "osada" | "ves" | "mesto", "race": R}}; without a race, the
// commands that take any race.
void RunNewSettlementVerb(ScriptRunner& runner, const nlohmann::json& action);

}  // namespace tess
