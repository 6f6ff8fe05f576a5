// The demo game's tables: what the editor's commands, palettes and dialogs look for is there,
// the rows refer to each other consistently, and every value fits its field.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "GameData.h"
#include "Objects.h"
#include "resources/Utils.h"

namespace tess::demo {
namespace {

int Int(const TableDesign& t, size_t row, const char* field) {
    return GetNumber(t.Value(row, field), 1);
}
bool Flag(const TableDesign& t, size_t row, const char* field) {
    return t.Value(row, field).find_first_of("Tt") != std::string::npos;
}
std::set<int> Ids(const TableDesign& t) {
    std::set<int> ids;
    for (size_t r = 0; r < t.rows.size(); ++r)
        ids.insert(Int(t, r, "Id"));
    return ids;
}

TEST(Tables, FieldsAreValidAndValuesFit) {
    for (const TableDesign& t : DemoTables()) {
        std::set<std::string> names;
        for (const FieldDef& f : t.fields) {
            EXPECT_LE(f.name.size(), 10u) << t.name << " " << f.name;
            EXPECT_TRUE(names.insert(AnsiUpperCase(f.name)).second) << t.name << " " << f.name;
            EXPECT_NE(std::string("CNLM").find(f.type), std::string::npos) << f.name;
        }
        for (const auto& row : t.rows) {
            ASSERT_EQ(row.size(), t.fields.size()) << t.name;
            for (size_t i = 0; i < row.size(); ++i) {
                const FieldDef& f = t.fields[i];
                if (f.type == 'M') continue;
                EXPECT_LE(static_cast<int>(row[i].size()), f.length)
                    << t.name << " " << f.name << " " << row[i];
                if (f.type == 'L') {
                    EXPECT_TRUE(row[i] == "T" || row[i] == "F") << f.name;
                }
                if (f.type == 'N') {
                    EXPECT_EQ(row[i].find_first_not_of("-0123456789"), std::string::npos) << row[i];
                }
            }
        }
    }
}

TEST(Tables, SomeLiveInTheArchiveSomeOnDiskAndOneHasAMemo) {
    int archive = 0, disk = 0, memo = 0;
    for (const TableDesign& t : DemoTables()) {
        (t.storage == Storage::Archive ? archive : disk)++;
        for (const FieldDef& f : t.fields)
            memo += f.type == 'M';
        // Stored names differ from the asked ones only in letter case and separators.
        EXPECT_EQ(AnsiUpperCase(ReplaceChar(t.storedPath, '/', '\\')),
                  AnsiUpperCase(ReplaceChar(t.name, '/', '\\')));
    }
    EXPECT_GT(archive, 0);
    EXPECT_GT(disk, 0);
    EXPECT_GT(memo, 0);
}

// The settlement commands look for the first record with a use flag, Tag bit 2 and a race.
TEST(BuildingTable, EverySettlementCommandFindsItsCentre) {
    const TableDesign& t = FindTable("DATA\\building.dbf");
    auto find = [&](const char* use, int race) {
        for (size_t r = 0; r < t.rows.size(); ++r)
            if (Flag(t, r, use) && (Int(t, r, "Tag") & 4) &&
                (race < 0 || Int(t, r, "id_race") == race))
                return true;
        return false;
    };
    EXPECT_TRUE(find("use_mesto", -1));
    EXPECT_TRUE(find("use_ves", -1));
    EXPECT_TRUE(find("use_osada", 1));
    EXPECT_TRUE(find("use_ves", 1));
    EXPECT_TRUE(find("use_mesto", 1));
    EXPECT_TRUE(find("use_osada", 2));
    EXPECT_TRUE(find("use_ves", 3));
    EXPECT_TRUE(find("use_mesto", 3));
    EXPECT_TRUE(find("use_mesto", 4));
}

TEST(BuildingTable, RacesMoneyStagesChainsAndFaces) {
    const TableDesign& t = FindTable("DATA\\building.dbf");
    const std::set<int> ids = Ids(t);
    std::set<int> races;
    int missingStages = 0, observers = 0, tagWithoutCentre = 0;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        races.insert(Int(t, r, "id_race"));
        for (const char* f : {"Id_Object", "Id_object1", "Id_object2", "Id_object3"}) {
            const int obj = Int(t, r, f);
            if (obj == 0) {
                ++missingStages;
                continue;
            }
            const ObjectDesign* o = FindObject(obj);
            ASSERT_NE(o, nullptr) << f << " " << obj;
            EXPECT_TRUE(o->typBuild) << obj;
        }
        for (const char* f : {"ID_B_EX1", "ID_B_EX2", "ID_NEXT"}) {
            const int ref = Int(t, r, f);
            if (ref) {
                EXPECT_TRUE(ids.count(ref)) << f << " " << ref;
            }
        }
        observers += Int(t, r, "Id_vliv") == 4;
        const int tag = Int(t, r, "Tag");
        tagWithoutCentre += tag != 0 && !(tag & 4);
        // The dialog shows frame Xicht_Pos + Xicht_Len - 1 of the face video.
        const int last = Int(t, r, "Xicht_Pos") + Int(t, r, "Xicht_Len") - 1;
        EXPECT_GE(last, 0);
        EXPECT_LT(last, 4 * kFaceFrames);
    }
    EXPECT_EQ(races, (std::set<int>{0, 1, 2, 3, 4}));
    for (int money : kMoneyBuildings)
        EXPECT_TRUE(ids.count(money)) << money;
    EXPECT_GT(missingStages, 0);
    EXPECT_GT(observers, 0);
    EXPECT_GT(tagWithoutCentre, 0);
    // Upgrade chains: human settlement to village to town, dwarf village to town.
    std::map<int, int> next;
    for (size_t r = 0; r < t.rows.size(); ++r)
        next[Int(t, r, "Id")] = Int(t, r, "ID_NEXT");
    EXPECT_EQ(next[next[10]], 12);
    EXPECT_EQ(next[30], 31);
}

TEST(PersonTable, RacesPicturesAndFlags) {
    const TableDesign& t = FindTable("DATA\\person.dbf");
    std::set<int> races;
    bool invisible = false, barracks = false, unlisted = false, notHuman = false;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        races.insert(Int(t, r, "Id_Race"));
        const int base = Int(t, r, "Id_obj_chu");
        EXPECT_EQ(base % 50, 0);
        // The palette places "Id_obj_chu" + 3; bodies lie at +24..+31.
        EXPECT_NE(FindObject(base + 3), nullptr) << base;
        EXPECT_NE(FindObject(base + 31), nullptr) << base;
        invisible = invisible || Flag(t, r, "novisible");
        barracks = barracks || Flag(t, r, "VKasarnach");
        unlisted = unlisted || Int(t, r, "type") >= 9;
        notHuman = notHuman || !Flag(t, r, "typ_human");
        EXPECT_GT(Int(t, r, "Zivotu"), 0);
    }
    EXPECT_EQ(races, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(invisible && barracks && unlisted && notHuman);
    // Old files name person type 220 as 28.
    EXPECT_TRUE(Ids(t).count(28));
}

TEST(NamesTable, EveryRaceCanDrawAName) {
    const TableDesign& t = FindTable("DATA\\names.dbf");
    for (int race = 1; race <= 4; ++race) {
        int suited = 0;
        for (size_t r = 0; r < t.rows.size(); ++r)
            suited += (Int(t, r, "typ_race") >> (race - 1)) & 1;
        EXPECT_GE(suited, 3) << race;
    }
}

TEST(UpgradeTable, KindsAndRequirements) {
    const TableDesign& t = FindTable("DATA\\upgrade.dbf");
    const std::set<int> ids = Ids(t);
    const std::set<int> buildings = Ids(FindTable("DATA\\building.dbf"));
    int weapons = 0, spells = 0, inventions = 0;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const bool weapon = Int(t, r, "ID_ITEM") != 0, spell = Int(t, r, "ID_SPELL") != 0;
        weapons += weapon;
        spells += spell;
        inventions += !weapon && !spell;
        if (const int req = Int(t, r, "ID_U_EX1")) {
            EXPECT_TRUE(ids.count(req)) << req;
        }
        int builds = 0;
        for (const char* f : {"ID_BUILD1", "ID_BUILD2", "ID_BUILD3"})
            if (const int b = Int(t, r, f)) {
                EXPECT_TRUE(buildings.count(b)) << b;
                ++builds;
            }
        EXPECT_GT(builds, 0);
    }
    EXPECT_GT(weapons, 2);
    EXPECT_GT(spells, 2);
    EXPECT_GT(inventions, 2);
}

TEST(EffectTables, ReferencesAndAnimationNames) {
    const TableDesign& e = FindTable("data\\Efects.dbf");
    const std::set<int> effects = Ids(e);
    const TableDesign& a = FindTable("data\\Anims.dbf");
    const std::set<int> anims = Ids(a);
    bool chained = false, trailing = false, once = false, backwards = false, arrow = false,
         crater = false;
    for (size_t r = 0; r < e.rows.size(); ++r) {
        for (const char* f : {"Traileff", "Next_id_ef"})
            if (const int ref = Int(e, r, f)) {
                EXPECT_TRUE(effects.count(ref)) << ref;
            }
        if (const int anim = Int(e, r, "Id_anim")) {
            EXPECT_TRUE(anims.count(anim)) << anim;
        }
        chained = chained || Int(e, r, "Next_id_ef");
        trailing = trailing || Int(e, r, "Traileff");
        once = once || Flag(e, r, "Jen_Jednou");
        backwards = backwards || Flag(e, r, "Odzadu");
        arrow = arrow || Flag(e, r, "Strela");
        crater = crater || Int(e, r, "Doly_circl") >= 1;
    }
    EXPECT_TRUE(chained && trailing && once && backwards && arrow && crater);
    // The dialog's name rule: every "*" removed, "tga" turned into "dds", under "pictures\anims\".
    for (const AnimDesign& d : AnimDesigns()) {
        const std::string name = ReplaceText(ReplaceText(d.tableFileName, "*", ""), "tga", "dds");
        EXPECT_NE(std::string(d.tableFileName).find('*'), std::string::npos);
        EXPECT_EQ(AnsiUpperCase("pictures/anims/" + name), AnsiUpperCase(d.diskPath))
            << d.tableFileName;
    }
}

TEST(Sounds, EveryNamedSoundIsListedOnce) {
    const std::vector<std::string> sounds = SoundFiles();
    const std::set<std::string> unique(sounds.begin(), sounds.end());
    EXPECT_EQ(unique.size(), sounds.size());
    EXPECT_TRUE(unique.count("budovy\\dum.wav"));
    EXPECT_TRUE(unique.count("efekty\\ohen.wav"));
    EXPECT_TRUE(unique.count("priroda\\zaby.wav"));
    for (const std::string& s : sounds)
        EXPECT_EQ(AnsiUpperCase(s).substr(s.size() - 4), ".WAV") << s;
}

}  // namespace
}  // namespace tess::demo
