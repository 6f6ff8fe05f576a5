// Builds the object table ("DATA/objects.dbf") from rows, for tests, benchmarks and fuzz seeds.
#include "writers/ObjectTableWriter.h"

namespace tess::writers {

namespace {

std::string N(int32_t v) {
    return std::to_string(v);
}
std::string L(bool v) {
    return v ? "T" : "F";
}

}  // namespace

DbfTable ObjectTable(const std::vector<ObjectRow>& rows) {
    DbfTable t;
    t.Fields = {{"ID", 'N', 6},         {"NAME", 'C', 24},     {"FILENAME", 'C', 160},
                {"TYP_TREE", 'L', 1},   {"TYP_BUILD", 'L', 1}, {"TYP_UNIT", 'L', 1},
                {"TYP_UNOWN", 'L', 1},  {"POD_TEREN", 'C', 2}, {"TREE_LIST", 'L', 1},
                {"TREE_JEHL", 'L', 1},  {"TREE_KER", 'L', 1},  {"TREE_TROP", 'L', 1},
                {"TREE_IDX", 'C', 12},  {"WAV_FILE", 'C', 40}, {"WAV_DAY", 'C', 40},
                {"WAV_NIGHT", 'C', 40}, {"ANIM_Y", 'N', 6},    {"RELAT_X", 'N', 6},
                {"RELAT_Y", 'N', 6},    {"WIDTH", 'N', 6},     {"HEIGHT", 'N', 6},
                {"ANIM_COUNT", 'N', 4}, {"SIZE_RT", 'N', 4},   {"SIZE_LT", 'N', 4}};
    t.Records.reserve(rows.size());
    for (const ObjectRow& o : rows)
        t.Records.push_back(
            {false, {N(o.Id),       o.Name,          o.FileName,   L(o.Typ_tree),  L(o.Typ_build),
                     L(o.Typ_Unit), L(o.Typ_unown),  o.pod_teren,  L(o.Tree_list), L(o.Tree_jehl),
                     L(o.Tree_ker), L(o.Tree_trop),  o.Tree_idx,   o.Wav_file,     o.WAV_DAY,
                     o.WAV_NIGHT,   N(o.Anim_y),     N(o.Relat_X), N(o.Relat_Y),   N(o.Width),
                     N(o.Height),   N(o.Anim_Count), N(o.Size_RT), N(o.Size_LT)}});
    return t;
}

}  // namespace tess::writers
