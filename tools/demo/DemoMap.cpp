// The demo map generator.
#include "DemoMap.h"

#include <algorithm>
#include <cstdlib>

#include "Canvas.h"
#include "GameData.h"
#include "Objects.h"
#include "resources/Utils.h"

namespace tess::demo {

std::vector<Cell> FootprintCells(Cell anchor, int sizeRT, int sizeLT) {
    std::vector<Cell> cells;
    Cell rowStart = anchor;
    for (int r = 0; r < sizeRT; ++r) {
        Cell c = rowStart;
        for (int l = 0; l < sizeLT; ++l) {
            cells.push_back(c);
            c = Step(c, 6);
        }
        rowStart = Step(rowStart, 0);
    }
    return cells;
}

namespace {

constexpr uint32_t kSeed = 0xDE40u;

// A place on the map in thousandths of its width and height.
struct Spot {
    int x, y;
};

struct Wall {
    int kind;
    Spot centre;
    int radius;
};

struct Settle {
    const char* name;
    int player;
    int centreType;
    Spot at;
    int level;
    std::vector<std::pair<int, int>> buildings;  // type, progress
};

class Builder {
  public:
    Builder(int w, int h) : w_(w), h_(h) {
        m_ = BlankMap(w, h, kSeed);
        taken_.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    }

    MapDesign Build();

  private:
    // Positions in thousandths of the map; the ground is square when height = 2 · width.
    int NX(Cell c) const { return (32 * c.x + 16 * (c.y & 1)) * 1000 / (32 * w_); }
    int NY(Cell c) const { return c.y * 1000 / h_; }
    int Dist(Cell c, Spot s) const {
        const int dx = NX(c) - s.x, dy = NY(c) - s.y;
        return ISqrt(static_cast<int64_t>(dx) * dx + static_cast<int64_t>(dy) * dy);
    }
    // Smooth wobble of region edges, in thousandths.
    int Wobble(Cell c, int amp, uint32_t salt) const {
        const int gx = 32 * c.x + 16 * (c.y & 1), gy = 16 * c.y;
        return (Noise2(kSeed + salt, gx, gy, 192, 192) - 128) * amp / 128 +
               (Noise2(kSeed + salt + 1, gx, gy, 64, 64) - 128) * amp / 384;
    }
    int Noise(Cell c, uint32_t salt, int cell) const {
        return Noise2(kSeed + salt, 32 * c.x + 16 * (c.y & 1), 16 * c.y, cell, cell);
    }
    uint32_t H(Cell c, uint32_t salt) const { return Hash(kSeed + salt, c.x, c.y); }
    Cell CellAt(Spot s) const {
        const int y = std::clamp(s.y * h_ / 1000, 1, h_ - 2);
        const int x = std::clamp((s.x * 32 * w_ / 1000 - 16 * (y & 1)) / 32, 1, w_ - 2);
        return Cell{x, y};
    }
    size_t I(Cell c) const { return m_.Index(c); }
    // Coordinates along the two diamond axes: a counts steps towards direction 0, b towards 6.
    static int AxisA(Cell c) { return (2 * c.x + (c.y & 1) - c.y) / 2; }
    static int AxisB(Cell c) { return (-2 * c.x - (c.y & 1) - c.y) / 2; }

    void Heights();
    void Terrain();
    void Walls();
    void Settlements();
    void Resources();
    void Plants();
    void Decorations();
    void Wildlife();

    bool Free(const std::vector<Cell>& cells, bool allowWater) const;
    bool PlaceObject(int id, Cell anchor, bool allowWater = false, int margin = 0);
    void Reserve(Cell c) {
        if (m_.Inside(c)) taken_[I(c)] = 1;
    }
    bool FlatUnder(const std::vector<Cell>& cells) const;
    int Building(int type, int settlement, Cell anchor, int progress, int tag);
    Cell FindSpot(Cell around, int sizeRT, int sizeLT, int radius, uint32_t salt, bool needFlat);

    int w_, h_;
    MapDesign m_;
    std::vector<uint8_t> taken_;
    std::vector<Wall> walls_;
    std::vector<Settle> settles_;

    // Regions, in thousandths.
    const Spot mountain_{790, 210}, lake_{330, 420}, swamp_{215, 560}, desert_{810, 790},
        oasis_{800, 770}, volcano_{915, 330}, northForest_{200, 170}, westForest_{150, 800},
        darkWood_{480, 920}, castle_{620, 915}, temple_{925, 930}, cave_{800, 120},
        sandRocks_{900, 650}, tarn_{690, 110};
};

bool Builder::Free(const std::vector<Cell>& cells, bool allowWater) const {
    for (const Cell& c : cells) {
        if (!m_.Inside(c) || taken_[I(c)] || m_.wall[I(c)]) return false;
        const int t = m_.terrain[I(c)];
        if (!allowWater && (t == kShallow || t == kDeep || t == kLava)) return false;
    }
    return true;
}

bool Builder::FlatUnder(const std::vector<Cell>& cells) const {
    const int level = m_.level[I(cells[0])];
    for (const Cell& c : cells)
        for (int d : {-1, 0, 6, 7})
            if (m_.level[I(m_.Clamp(d < 0 ? c : Step(c, d)))] != level) return false;
    return true;
}

bool Builder::PlaceObject(int id, Cell anchor, bool allowWater, int margin) {
    const ObjectDesign* o = FindObject(id);
    if (o == nullptr) return false;
    const std::vector<Cell> cells = FootprintCells(anchor, o->sizeRT, o->sizeLT);
    if (!Free(cells, allowWater)) return false;
    // Deposits keep their amount in the cell left of the anchor: it must stay empty.
    if (id == 232 || id == 233) {
        const Cell amount = Step(anchor, 5);
        if (!Free({amount}, false)) return false;
        Reserve(amount);
    }
    for (const Cell& c : cells)
        Reserve(c);
    if (margin > 0)
        for (const Cell& c : cells)
            for (int d = 0; d < 8; ++d)
                Reserve(Step(c, d));
    ObjectPlacement p;
    p.id = id;
    p.at = anchor;
    p.jitter = o->typTree || o->typUnown ? m_.jitter[I(anchor)] : 136;
    m_.objects.push_back(p);
    return true;
}

Cell Builder::FindSpot(Cell around, int rt, int lt, int radius, uint32_t salt, bool needFlat) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        const int r = 1 + attempt * radius / 400;
        const Cell c{around.x + HashRange(kSeed + salt, attempt, 1, 2 * r + 1) - r,
                     around.y + 2 * (HashRange(kSeed + salt, attempt, 2, 2 * r + 1) - r)};
        const std::vector<Cell> cells = FootprintCells(c, rt, lt);
        if (!Free(cells, false)) continue;
        if (needFlat && !FlatUnder(cells)) continue;
        return c;
    }
    return Cell{-1, -1};
}

void Builder::Heights() {
    // Plateaus the generator keeps flat: settlements and walled places.
    struct Flat {
        Spot at;
        int radius, level;
    };
    std::vector<Flat> flats;
    for (const Settle& s : settles_)
        flats.push_back({s.at, 70, s.level});
    for (const Wall& wl : walls_)
        flats.push_back({wl.centre, wl.radius * 5 / 4 + 20,
                         wl.kind <= 4 || (wl.kind >= 9 && wl.kind <= 12) ? 5 : 3});
    flats.push_back({castle_, 110, 3});
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Cell c{x, y};
            int level = 3 + (Noise(c, 1, 512) - 128) / 50 + (Noise(c, 2, 160) - 128) / 90;
            const int dm = Dist(c, mountain_) + Wobble(c, 50, 3);
            if (dm < 320) level += (320 - dm) * 5 / 220;
            const int dv = Dist(c, volcano_) + Wobble(c, 15, 4);
            if (dv < 40) level = std::min(level, 2 + dv / 20);  // the lava lies in a crater
            const int dl = Dist(c, lake_) + Wobble(c, 40, 5);
            if (dl < 190) level = std::min(level, dl < 100 ? 0 : (dl < 150 ? 1 : 2));
            const int dd = Dist(c, desert_) + Wobble(c, 40, 6);
            if (dd < 240) level = std::min(level, 2 + Noise(c, 7, 96) / 100);  // dunes
            const int ds = Dist(c, swamp_) + Wobble(c, 30, 8);
            if (ds < 120) level = std::min(level, 2);
            const int dt = Dist(c, tarn_) + Wobble(c, 10, 30);
            if (dt < 30) level = std::min(level, 5);
            for (const Flat& f : flats)
                if (Dist(c, f.at) < f.radius) level = f.level;
            m_.level[I(c)] = static_cast<uint8_t>(std::clamp(level, 0, 7));
        }
    EnforceLevelSteps(m_);
}

void Builder::Terrain() {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Cell cell{x, y};
            const Cell t = BlockTop(cell);  // everything per block, decided at its top cell
            const int level = m_.level[I(m_.Clamp(t))];
            int slot = kTrava;
            const int dry = Noise(t, 10, 256);
            if (dry > 170) slot = kTravaS;
            const int df = Dist(t, northForest_) + Wobble(t, 60, 11);
            const int dw = Dist(t, westForest_) + Wobble(t, 60, 12);
            if ((df < 200 || dw < 170) && Noise(t, 13, 96) > 90) slot = kLes;
            if (Dist(t, darkWood_) + Wobble(t, 30, 14) < 70) slot = kLes;
            const int dd = Dist(t, desert_) + Wobble(t, 40, 6);
            if (dd < 270) slot = kTravaS;
            if (dd < 240) slot = kPoust;
            const int dm = Dist(t, mountain_) + Wobble(t, 50, 3);
            if (dm < 300 && level >= 4) slot = Noise(t, 15, 64) > 150 ? kKameniT : kSkala;
            if (dm < 330 && level == 3 && Noise(t, 16, 96) > 150) slot = kKameniB;
            if (level >= 6) slot = kSnih;
            if (level == 5 && Noise(t, 17, 64) > 140) slot = kSnih;
            const int ds = Dist(t, swamp_) + Wobble(t, 30, 8);
            if (ds < 115) slot = kBazina;
            const int dl = Dist(t, lake_) + Wobble(t, 40, 5);
            if (dl < 165) slot = NX(t) > lake_.x ? kKameniB : kBazina;
            if (dl < 150) slot = kShallow;
            if (dl < 100) slot = kDeep;
            const int dp = Dist(t, oasis_) + Wobble(t, 8, 18);
            if (dp < 32)
                slot = kShallow;
            else if (dp < 48)
                slot = kKameniB;
            const int dt = Dist(t, tarn_) + Wobble(t, 10, 30);
            if (dt < 26) slot = kShallow;
            const int dv = Dist(t, volcano_) + Wobble(t, 15, 4);
            if (dv < 70) slot = kKameniT;
            if (dv < 32) slot = kLava;
            if (Dist(t, darkWood_) < 30) slot = kHlinaK;
            m_.terrain[I(cell)] = static_cast<uint8_t>(slot);
        }
    // Roads between the settlements: a dirt path two blocks wide, cobbles near the centres.
    auto road = [&](Spot a, Spot b, int slot) {
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        for (int k = 0; k <= steps; k += 2) {
            const Spot s{a.x + (b.x - a.x) * k / std::max(1, steps) +
                             (Noise2(kSeed + 40, k, 0, 40, 1) - 128) / 12,
                         a.y + (b.y - a.y) * k / std::max(1, steps)};
            const Cell c = CellAt(s);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = 0; dx <= 0; ++dx) {
                    const Cell n = m_.Clamp(Cell{c.x + dx, c.y + dy});
                    const int cur = m_.terrain[I(n)];
                    if (cur == kShallow || cur == kDeep || cur == kLava) continue;
                    Cell cells[4];
                    BlockCells(BlockTop(n), cells);
                    for (const Cell& bc : cells)
                        if (m_.Inside(bc)) m_.terrain[I(bc)] = static_cast<uint8_t>(slot);
                }
        }
    };
    for (size_t i = 1; i < settles_.size(); ++i)
        road(settles_[0].at, settles_[i].at, kPath);
    road(settles_[1].at, settles_[2].at, kPath);
    for (const Settle& s : settles_) {
        const Cell c = CellAt(s.at);
        for (int dy = -10; dy <= 10; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                const Cell n = m_.Clamp(Cell{c.x + dx, c.y + dy});
                if (std::abs(dx) * 2 + std::abs(dy) / 2 >= 8 || s.player == 4) continue;
                m_.terrain[I(n)] = s.player == 3 ? kKameniT : (s.player == 2 ? kPath : kCobbles);
            }
    }
    // Keep terrain per block: take each block's top cell value.
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Cell top = BlockTop(Cell{x, y});
            if (m_.Inside(top)) m_.terrain[I(Cell{x, y})] = m_.terrain[I(top)];
        }
}

void Builder::Walls() {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Cell t = BlockTop(Cell{x, y});
            int kind = 0;
            for (const Wall& wl : walls_) {
                const int d = Dist(t, wl.centre) +
                              Wobble(t, wl.radius / 4, 50 + static_cast<uint32_t>(wl.kind));
                if (d >= wl.radius && wl.kind == 1) continue;
                if (Dist(t, wl.centre) >= wl.radius * 2) continue;
                const int nx = NX(t) - wl.centre.x, ny = NY(t) - wl.centre.y;
                switch (wl.kind) {
                    case 1: {  // the cave: a rock mass with a cavern and a passage from the
                               // south-west
                        const int dc = Dist(t, wl.centre);
                        const bool cavern = dc < wl.radius * 2 / 5;
                        const bool passage =
                            nx < 0 && ny > 0 && std::abs(nx + ny) < 14 && std::abs(nx - ny) > 20;
                        if (cavern || passage) break;
                        kind = nx < -30 ? (ny > 20 ? 2 : 1)
                                        : (ny > 30 ? 4 : (nx > 40 ? 10 : (ny < -40 ? 9 : 12)));
                        break;
                    }
                    case 3: {  // sandstone outcrops: a handful of small rocks
                        for (int k = 0; k < 7 && !kind; ++k) {
                            const Spot rock{
                                wl.centre.x + HashRange(kSeed, k, 61, 2 * wl.radius) - wl.radius,
                                wl.centre.y + HashRange(kSeed, k, 62, 2 * wl.radius) - wl.radius};
                            if (Dist(t, rock) + Wobble(t, 4, 63) < 9 + k % 3 * 3)
                                kind = k % 2 ? 3 : 11;
                        }
                        break;
                    }
                    case 5:
                    case 6:
                    case 8: {
                        // Built walls follow the diamond axes: straight runs along both.
                        const Cell centre = BlockTop(CellAt(wl.centre));
                        const int da = AxisA(t) - AxisA(centre), db = AxisB(t) - AxisB(centre);
                        if (wl.kind == 8) {  // a single straight wall with a gap in the middle
                            if (db == 0 && std::abs(da) <= 24 && std::abs(da) > 4)
                                kind = da < 0 ? 8 : 16;
                            break;
                        }
                        const int r = wl.kind == 5 ? 14 : 8;
                        const int ma = std::abs(da), mb = std::abs(db);
                        if (ma > r || mb > r) break;
                        const bool ring = ma >= r - 1 || mb >= r - 1;
                        const bool tower = wl.kind == 5 && ma >= r - 3 && mb >= r - 3;
                        if (!ring && !tower) break;
                        if (wl.kind == 5) {
                            if (da < 0 && mb < 3 && !tower) break;            // the gate
                            if (db < 0 && da > 0 && da < 8 && !tower) break;  // a breach
                            kind = (da < 0 || db < 0) ? 13 : 5;  // crenellated front walls
                        } else {
                            if ((ma < 2 && mb >= r - 1) || (mb < 2 && ma >= r - 1))
                                break;  // doorways
                            kind = da >= r - 1 ? (db >= 0 ? 6 : 15)
                                               : (db >= r - 1 ? 14 : (da < 0 ? 7 : 15));
                        }
                        break;
                    }
                    default:
                        break;
                }
                if (kind) break;
            }
            if (kind) {
                m_.wall[I(Cell{x, y})] = static_cast<uint8_t>(kind);
                taken_[I(Cell{x, y})] = 1;
                if (m_.terrain[I(Cell{x, y})] == kShallow || m_.terrain[I(Cell{x, y})] == kDeep)
                    m_.terrain[I(Cell{x, y})] = kSkala;
            }
        }
    // Cave floor.
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Cell c{x, y};
            if (Dist(BlockTop(c), cave_) < 58 && !m_.wall[I(c)]) m_.terrain[I(c)] = kKameniT;
            if (Dist(BlockTop(c), temple_) < 26) m_.terrain[I(c)] = kCobbles;
        }
}

int Builder::Building(int type, int settlement, Cell anchor, int progress, int tag) {
    const BuildingType* bt = nullptr;
    for (const BuildingType& b : BuildingTypes())
        if (b.id == type) bt = &b;
    if (bt == nullptr) return 0;
    // The picture for the progress, as the building editor chooses it.
    int object = bt->objectId;
    if (bt->kind == BuildingKind::BonePile) {
        object = 212 + progress * 14 / 100;
    } else {
        int id = object;
        if (progress < 33) id = bt->stageObjects[0];
        if ((progress >= 33 && progress <= 65) || id == 0) id = bt->stageObjects[1];
        if ((progress >= 66 && progress <= 98) || id == 0) id = bt->stageObjects[2];
        if (progress == 100 || id == 0) id = bt->objectId;
        object = id;
    }
    const ObjectDesign* o = FindObject(object);
    if (o == nullptr) return 0;
    const std::vector<Cell> cells = FootprintCells(anchor, o->sizeRT, o->sizeLT);
    if (!Free(cells, false)) return 0;
    for (const Cell& c : cells)
        for (int d = -1; d < 8; ++d)
            Reserve(d < 0 ? c : Step(c, d));
    BuildingDesign b;
    b.type = type;
    b.objectId = object;
    b.settlement = settlement;
    b.at = anchor;
    b.progress = progress;
    b.tag = tag;
    m_.buildings.push_back(b);
    return static_cast<int>(m_.buildings.size());
}

void Builder::Settlements() {
    int index = 0;
    for (const Settle& s : settles_) {
        ++index;
        SettlementDesign sd;
        sd.name = Utf8ToCp1250(s.name);
        sd.player = s.player;
        sd.centreType = s.centreType;
        m_.settlements.push_back(sd);
        // The centre stands on the top cell of a block, as the placing command snaps it.
        const Cell centre = BlockTop(CellAt(s.at));
        if (!Building(s.centreType, index, centre, 100, 0)) {
            const BuildingType* bt = nullptr;
            for (const BuildingType& b : BuildingTypes())
                if (b.id == s.centreType) bt = &b;
            const Cell spot = FindSpot(centre, bt->sizeRT, bt->sizeLT, 12, 70, false);
            Building(s.centreType, index, BlockTop(spot), 100, 0);
        }
        uint32_t salt = 100 + static_cast<uint32_t>(index) * 37;
        for (const auto& [type, progress] : s.buildings) {
            const BuildingType* bt = nullptr;
            for (const BuildingType& b : BuildingTypes())
                if (b.id == type) bt = &b;
            for (int attempt = 0; attempt < 4; ++attempt) {
                const Cell spot = FindSpot(centre, bt->sizeRT, bt->sizeLT, 30, salt++, true);
                if (spot.x < 0) continue;
                int tag = 0;
                for (int money : kMoneyBuildings)
                    if (money == type) tag = 200 + HashRange(kSeed, type, index, 8) * 100;
                if (Building(type, index, spot, progress, tag)) break;
            }
        }
    }
}

void Builder::Resources() {
    // Gold and iron deposits at the mountain's feet, near the dwarves.
    const Spot deposits[] = {{700, 300}, {730, 380}, {880, 460},
                             {640, 230}, {760, 450}, {860, 420}};
    for (int i = 0; i < 6; ++i) {
        const int id = i % 2 == 0 ? 232 : 233;
        for (int attempt = 0; attempt < 200; ++attempt) {
            const Cell c = CellAt(Spot{deposits[i].x + HashRange(kSeed, i, attempt, 41) - 20,
                                       deposits[i].y + HashRange(kSeed + 1, i, attempt, 41) - 20});
            if (!PlaceObject(id, c, false, 1)) continue;
            m_.objects.back().amount = 500 + HashRange(kSeed + 2, i, 0, 10) * 500;
            break;
        }
    }
    // Stones, crystals and bone piles.
    for (int y = 2; y < h_ - 2; ++y)
        for (int x = 2; x < w_ - 2; ++x) {
            const Cell c{x, y};
            const uint32_t hsh = H(c, 70);
            const int t = m_.terrain[I(c)];
            if ((t == kSkala || t == kKameniB || t == kKameniT) && hsh % 260u == 0)
                PlaceObject(129 + static_cast<int>(hsh % 3u), c);
            if (Dist(c, cave_) < 45 && hsh % 23u == 0)
                PlaceObject(132 + static_cast<int>((hsh >> 8) % 3u), c);
            if (t == kSnih && hsh % 900u == 1) PlaceObject(132, c);
        }
}

void Builder::Plants() {
    struct Wood {
        Spot at;
        int radius;
        std::vector<int> trees;
        int density;  // one tree per this many cells, roughly
    };
    const std::vector<Wood> woods = {
        {northForest_, 200, {1, 1, 2, 3, 2, 4, 9, 1, 21}, 5},
        {westForest_, 170, {4, 5, 6, 11, 15, 16, 28, 22, 9, 10}, 5},
        {{110, 930}, 60, {17, 17, 11, 17}, 4},
        {darkWood_, 80, {13, 14, 27, 13, 29}, 4},
        {swamp_, 115, {18, 20, 18, 20, 29, 10}, 6},
        {{330, 420}, 175, {19, 20, 19}, 16},
        {mountain_, 260, {23, 24, 3, 12, 25, 23}, 9},
        {oasis_, 70, {7, 8, 7, 9}, 4},
        {desert_, 240, {27, 29, 8}, 160},
        {{500, 300}, 140, {4, 5, 6, 11, 22, 9, 15}, 28},
        {{420, 640}, 120, {4, 6, 22, 10, 9}, 34},
    };
    for (int y = 1; y < h_ - 1; ++y)
        for (int x = 1; x < w_ - 1; ++x) {
            const Cell c{x, y};
            if (Dist(c, cave_) < 70 || Dist(c, volcano_) < 50) continue;
            const int ground = m_.terrain[I(c)];
            if (ground == kPath || ground == kCobbles) continue;
            for (size_t k = 0; k < woods.size(); ++k) {
                const Wood& wd = woods[k];
                const int d =
                    Dist(c, wd.at) + Wobble(c, wd.radius / 4, 90 + static_cast<uint32_t>(k));
                if (d >= wd.radius) continue;
                // Clearings: density follows a noise field.
                const int thick = Noise(c, 91 + static_cast<uint32_t>(k), 128);
                if (thick < 100) continue;
                const uint32_t hsh = H(c, 92 + static_cast<uint32_t>(k));
                if (static_cast<int>(hsh % static_cast<uint32_t>(wd.density * 4)) >= 4) continue;
                const int id = wd.trees[(hsh >> 8) % wd.trees.size()];
                if (id == 20 || id == 18) {  // reeds and willows at the water's edge
                    PlaceObject(id, c);
                    break;
                }
                PlaceObject(id, c, false, 0);
                break;
            }
        }
    // Two giant oaks in the western wood.
    for (int i = 0; i < 2; ++i) {
        const Cell c = FindSpot(CellAt(Spot{170 + i * 60, 760 + i * 40}), 2, 2, 20,
                                95 + static_cast<uint32_t>(i), false);
        if (c.x >= 0) PlaceObject(26, c);
    }
    // Water lilies on the lake and the oasis, flowers and mushrooms.
    for (int y = 1; y < h_ - 1; ++y)
        for (int x = 1; x < w_ - 1; ++x) {
            const Cell c{x, y};
            const uint32_t hsh = H(c, 120);
            const int t = m_.terrain[I(c)];
            if (t == kShallow && hsh % 40u == 0)
                PlaceObject(360 + static_cast<int>((hsh >> 8) % 4u), c, true);
            if ((t == kTrava || t == kTravaS) && hsh % 110u == 1 && Noise(c, 121, 96) > 150)
                PlaceObject(411 + static_cast<int>((hsh >> 8) % 9u), c);
            if (t == kLes && hsh % 140u == 2)
                PlaceObject(434 + static_cast<int>((hsh >> 8) % 4u), c);
        }
}

void Builder::Decorations() {
    auto near = [&](int id, Spot at, int radius, int count, uint32_t salt) {
        const ObjectDesign* o = FindObject(id);
        for (int i = 0; i < count; ++i) {
            const Cell c = FindSpot(CellAt(at), o->sizeRT, o->sizeLT, radius,
                                    salt + static_cast<uint32_t>(i) * 13, false);
            if (c.x >= 0) PlaceObject(id, c, false, 0);
        }
    };
    const Settle& town = settles_[0];
    near(105, town.at, 6, 1, 200);
    near(104, town.at, 14, 1, 201);
    near(104, settles_[1].at, 10, 1, 202);
    near(104, settles_[5].at, 10, 1, 203);
    near(108, town.at, 20, 3, 204);
    near(109, town.at, 20, 2, 205);
    near(108, settles_[3].at, 16, 2, 206);
    near(109, settles_[3].at, 16, 3, 207);
    near(110, Spot{town.at.x - 60, town.at.y + 40}, 10, 1, 208);
    near(113, Spot{town.at.x - 70, town.at.y + 50}, 12, 4, 209);
    near(443, Spot{town.at.x - 80, town.at.y + 30}, 10, 3, 210);
    near(442, Spot{town.at.x - 50, town.at.y + 60}, 10, 3, 211);
    near(270, Spot{settles_[1].at.x + 40, settles_[1].at.y}, 8, 3, 212);
    near(271, Spot{settles_[1].at.x - 40, settles_[1].at.y}, 8, 3, 213);
    near(111, settles_[2].at, 18, 3, 214);
    near(231, settles_[2].at, 10, 2, 215);
    near(112, Spot{westForest_.x + 40, westForest_.y - 60}, 16, 1, 216);
    near(106, temple_, 6, 1, 217);
    for (int k = 0; k < 4; ++k)
        near(249 + 2 * k, Spot{town.at.x + 50, town.at.y - 40}, 10, 2,
             218 + static_cast<uint32_t>(k));
    for (int k = 0; k < 4; ++k)
        near(250 + 2 * k, castle_, 40, 2, 222 + static_cast<uint32_t>(k));
    for (int k = 0; k < 4; ++k)
        near(239 + k, castle_, 36, 1, 226 + static_cast<uint32_t>(k));
    near(243, castle_, 20, 1, 230);
    near(107, Spot{(town.at.x + settles_[1].at.x) / 2, (town.at.y + settles_[1].at.y) / 2}, 10, 1,
         231);
    near(107, Spot{(town.at.x + settles_[3].at.x) / 2, (town.at.y + settles_[3].at.y) / 2}, 10, 1,
         232);
    for (int k = 0; k < 4; ++k)
        near(438 + k, Spot{560 + k * 14, 560 - k * 8}, 6, 1, 233 + static_cast<uint32_t>(k));
    for (int k = 0; k < 4; ++k)
        near(100 + k, Spot{560, 380}, 80, 6, 240 + static_cast<uint32_t>(k));
    for (int k = 0; k < 4; ++k)
        near(100 + k, desert_, 160, 4, 250 + static_cast<uint32_t>(k));
    near(244, Spot{500, 500}, 10, 1, 260);
    // Bone piles: buildings of type 89 that belong to the nearest settlement.
    const Spot piles[] = {castle_, {260, 230}, darkWood_};
    for (int i = 0; i < 3; ++i) {
        const Cell spot =
            FindSpot(CellAt(piles[i]), 2, 2, 30, 270 + static_cast<uint32_t>(i), false);
        if (spot.x < 0) continue;
        int best = 1, bestDist = 1 << 30;
        for (size_t s = 0; s < settles_.size(); ++s) {
            const Cell c = CellAt(settles_[s].at);
            const int d = (c.x - spot.x) * (c.x - spot.x) + (c.y - spot.y) * (c.y - spot.y);
            if (d < bestDist) {
                bestDist = d;
                best = static_cast<int>(s) + 1;
            }
        }
        Building(89, best, spot, 30 + 35 * i, 150 + 100 * i);
    }
    // Neutral money buildings: an abandoned mine, a caravan at the oasis, a chest in the cave.
    const std::pair<int, Spot> neutral[] = {{140, {700, 160}}, {141, {760, 740}}, {144, cave_}};
    for (const auto& [type, at] : neutral) {
        const BuildingType* bt = nullptr;
        for (const BuildingType& b : BuildingTypes())
            if (b.id == type) bt = &b;
        const Cell spot = FindSpot(CellAt(at), bt->sizeRT, bt->sizeLT, 40,
                                   280 + static_cast<uint32_t>(type), false);
        if (spot.x < 0) continue;
        int best = 1, bestDist = 1 << 30;
        for (size_t s = 0; s < settles_.size(); ++s) {
            const Cell c = CellAt(settles_[s].at);
            const int d = (c.x - spot.x) * (c.x - spot.x) + (c.y - spot.y) * (c.y - spot.y);
            if (d < bestDist) {
                bestDist = d;
                best = static_cast<int>(s) + 1;
            }
        }
        Building(type, best, spot, 100, 300);
    }
}

void Builder::Wildlife() {
    auto unit = [&](int person, int player, Spot at, int radius, int count, uint32_t salt) {
        const PersonType* pt = nullptr;
        for (const PersonType& p : PersonTypes())
            if (p.id == person) pt = &p;
        for (int i = 0; i < count; ++i) {
            const Cell c =
                FindSpot(CellAt(at), 1, 1, radius, salt + static_cast<uint32_t>(i) * 7, false);
            if (c.x < 0) continue;
            Reserve(c);
            UnitDesign u;
            u.person = person;
            u.player = player;
            u.facing = HashRange(kSeed + salt, i, 0, 8);
            u.objectId = pt->objectBase + u.facing;
            u.at = c;
            m_.units.push_back(u);
        }
    };
    // Each people's units around their settlements.
    const int peopleOf[6][4] = {{1, 2, 3, 5},     {1, 7, 6, 4},     {10, 11, 12, 13},
                                {20, 21, 22, 20}, {20, 21, 22, 20}, {30, 31, 32, 30}};
    for (size_t s = 0; s < settles_.size(); ++s)
        for (int k = 0; k < 4; ++k)
            unit(peopleOf[s][k], settles_[s].player, settles_[s].at, 26, k == 0 ? 4 : 2,
                 300 + static_cast<uint32_t>(s * 10 + k));
    // The wild: wolves in the north wood, bears in the mountains, skeletons in the ruins, a troll
    // at the cave's mouth, a wanderer on the road.
    unit(40, 5, northForest_, 60, 5, 400);
    unit(41, 5, Spot{720, 180}, 50, 2, 410);
    unit(42, 5, castle_, 30, 5, 420);
    unit(43, 5, Spot{cave_.x - 80, cave_.y + 80}, 20, 1, 430);
    unit(28, 5, Spot{520, 560}, 20, 1, 440);
}

MapDesign Builder::Build() {
    // Players: the human player and three computer peoples, plus the wild beasts.
    auto player = [&](const char* name, int race, bool computer, int attitude, int r, int g,
                      int b) {
        PlayerDesign p;
        p.name = Utf8ToCp1250(name);
        p.race = race;
        p.computer = computer;
        p.attitude = attitude;
        p.colour = r + g * 256 + b * 65536;
        p.money = 500;
        p.material = 200;
        m_.players.push_back(p);
    };
    player("Král Bořivoj", 1, false, 3, 0, 0, 255);
    player("Náčelník Grum", 2, true, 1, 255, 0, 0);
    player("Thorgil Kladivo", 3, true, 2, 255, 128, 0);
    player("Paní Lírien", 4, true, 3, 0, 200, 0);
    player("Divočina", 1, true, 1, 120, 120, 120);

    settles_ = {
        {"Bílý Hrad",
         1,
         12,
         {470, 720},
         3,
         {{13, 100},
          {13, 100},
          {13, 100},
          {14, 100},
          {15, 100},
          {16, 100},
          {17, 100},
          {18, 100},
          {19, 100},
          {43, 100},
          {139, 100},
          {13, 20},
          {15, 50},
          {17, 80}}},
        {"Lesní Ves", 1, 11, {560, 480}, 3, {{13, 100}, {13, 100}, {14, 60}, {19, 100}, {18, 100}}},
        {"Grumova osada",
         2,
         20,
         {230, 230},
         3,
         {{21, 100}, {21, 100}, {21, 40}, {22, 100}, {23, 100}, {24, 100}, {53, 100}, {24, 20}}},
        {"Kamenná Brána",
         3,
         31,
         {650, 330},
         4,
         {{32, 100},
          {32, 100},
          {33, 100},
          {34, 100},
          {35, 100},
          {36, 100},
          {90, 100},
          {92, 100},
          {32, 30},
          {35, 60}}},
        {"Hlubiny", 3, 30, {900, 560}, 3, {{32, 100}, {33, 100}, {36, 100}, {90, 50}}},
        {"Měsíční Háj",
         4,
         40,
         {180, 840},
         3,
         {{41, 100},
          {41, 100},
          {41, 100},
          {42, 100},
          {44, 100},
          {45, 100},
          {95, 100},
          {123, 100},
          {41, 70},
          {44, 10}}},
    };
    walls_ = {{1, cave_, 130},
              {3, sandRocks_, 50},
              {5, castle_, 80},
              {6, temple_, 40},
              {8, {600, 640}, 80}};

    Heights();
    Terrain();
    Walls();
    Settlements();
    Resources();
    Decorations();
    Plants();
    Wildlife();
    m_.viewCentre = BlockTop(CellAt(settles_[0].at));
    return std::move(m_);
}

}  // namespace

MapDesign DesignDemoMap(int width, int height) {
    Builder b(width, height);
    return b.Build();
}

}  // namespace tess::demo
