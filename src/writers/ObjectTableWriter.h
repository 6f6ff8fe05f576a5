// Builds the object table ("DATA/objects.dbf") from rows, for tests, benchmarks and fuzz seeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "writers/DbfWriter.h"

namespace tess::writers {

// One record of the object table; texts are CP1250 as the table stores them.
struct ObjectRow {
    int32_t Id = 0;
    std::string Name;
    std::string FileName;  // below the picture directory
    bool Typ_tree = false;
    bool Typ_build = false;
    bool Typ_Unit = false;
    bool Typ_unown = false;
    std::string pod_teren;  // a two-letter terrain code, or anything else for none
    bool Tree_list = false;
    bool Tree_jehl = false;
    bool Tree_ker = false;
    bool Tree_trop = false;
    std::string Tree_idx;
    std::string Wav_file;
    std::string WAV_DAY;
    std::string WAV_NIGHT;
    int32_t Anim_y = 0;
    int32_t Relat_X = 0;
    int32_t Relat_Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Anim_Count = 1;
    int32_t Size_RT = 1;
    int32_t Size_LT = 1;
};

// The table with every field the catalogue reads, names upper-cased as the reader requires.
DbfTable ObjectTable(const std::vector<ObjectRow>& rows);

}  // namespace tess::writers
