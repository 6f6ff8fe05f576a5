// Buildings of the four races, finished and in their construction stages.
#include <algorithm>
#include <cstdlib>

#include "ObjectArt.h"
#include "SpriteKit.h"

namespace tess::demo {

namespace {

const Rgba kShadow = kGroundShadow;

struct RaceStyle {
    Ramp wall, trim, base, roof, accent;
    RoofKind roofKind;
    int roofPattern;
};

RaceStyle StyleOf(Race race) {
    switch (race) {
        case Race::Human:
            return {MakeRamp(Opaque(120, 110, 92), Opaque(250, 242, 222)),
                    MakeRamp(Opaque(40, 24, 14), Opaque(130, 84, 50)),
                    MakeRamp(Opaque(70, 70, 72), Opaque(190, 186, 176)),
                    MakeRamp(Opaque(90, 26, 18), Opaque(230, 110, 70)),
                    MakeRamp(Opaque(20, 40, 110), Opaque(90, 150, 240)),
                    RoofKind::Gable,
                    0};
        case Race::Barbarian:
            return {MakeRamp(Opaque(60, 36, 18), Opaque(180, 124, 72)),
                    MakeRamp(Opaque(30, 20, 12), Opaque(110, 76, 44)),
                    MakeRamp(Opaque(60, 54, 46), Opaque(160, 150, 130)),
                    MakeRamp(Opaque(90, 70, 30), Opaque(230, 200, 110)),
                    MakeRamp(Opaque(110, 20, 14), Opaque(230, 80, 50)),
                    RoofKind::Thatch,
                    1};
        case Race::Dwarf:
            return {MakeRamp(Opaque(60, 50, 44), Opaque(196, 176, 150)),
                    MakeRamp(Opaque(40, 36, 34), Opaque(130, 120, 110)),
                    MakeRamp(Opaque(40, 40, 44), Opaque(140, 136, 130)),
                    MakeRamp(Opaque(30, 38, 52), Opaque(120, 140, 170)),
                    MakeRamp(Opaque(140, 60, 10), Opaque(255, 190, 60)),
                    RoofKind::Hip,
                    4};
        case Race::Elf:
        default:
            return {MakeRamp(Opaque(120, 130, 120), Opaque(246, 250, 240)),
                    MakeRamp(Opaque(30, 80, 50), Opaque(120, 200, 130)),
                    MakeRamp(Opaque(90, 96, 90), Opaque(210, 214, 200)),
                    MakeRamp(Opaque(20, 70, 40), Opaque(140, 210, 100)),
                    MakeRamp(Opaque(120, 100, 20), Opaque(250, 230, 120)),
                    RoofKind::Cone,
                    3};
    }
}

// A wall face pattern by race: returns a colour for (u, v) on a face of the given length and
// height; `lit` is +1 for the south-west face, -1 for the south-east one.
Rgba WallTexel(Race race, const RaceStyle& st, int u, int v, int len, int height, int lit,
               bool door, bool windows, uint32_t seed) {
    const int shade = lit > 0 ? 3 : 1;
    // Door in the middle of the lit face.
    if (door && lit > 0) {
        const int mid = len / 2;
        if (std::abs(u - mid) <= 2 && v < std::min(10, height - 3)) {
            if (std::abs(u - mid) == 2 || v == std::min(10, height - 3) - 1) return st.trim[2];
            return race == Race::Elf ? Opaque(40, 60, 40) : st.trim[0];
        }
    }
    // Windows in pairs on both faces.
    if (windows && height >= 14) {
        const int wy0 = height / 2, wy1 = height / 2 + 4;
        for (int k = 1; k <= 3; k += 2) {
            const int wx = len * k / 4;
            if (door && lit > 0 && std::abs(wx - len / 2) < 5) continue;
            if (std::abs(u - wx) <= 1 && v >= wy0 && v <= wy1) {
                if (race == Race::Elf && v == wy1) return st.trim[3];
                return v == wy1 ? st.trim[shade] : Opaque(30, 40, 60);
            }
        }
    }
    switch (race) {
        case Race::Human: {
            if (v < 3) return st.base[shade - ((u + v) % 5 == 0 ? 1 : 0)];
            if (v == 3 || v == height - 1 || u % 8 == 0 || u == len - 1) return st.trim[shade - 1];
            if ((u % 8) == (v - 3) % 8 && (u / 8) % 2 == 0) return st.trim[shade - 1];  // braces
            return st.wall[shade + ((Hash(seed, u, v) & 15u) == 0 ? -1 : 0)];
        }
        case Race::Barbarian: {
            const int row = v / 3;
            if (v % 3 == 0) return st.wall[shade - 2];
            if (u == 0 || u == len - 1) return st.wall[4];  // log ends
            return st.wall[shade - (row % 2) + ((Hash(seed, u / 3, row) & 7u) == 0 ? -1 : 0)];
        }
        case Race::Dwarf: {
            const int row = v / 4;
            const int pos = u + (row % 2) * 3;
            if (v % 4 == 0 || pos % 6 == 0) return st.wall[shade - 2];
            if (v == height - 1) return st.trim[shade];
            return st.wall[shade - ((Hash(seed, pos / 6, row) % 3u) == 0 ? 1 : 0)];
        }
        case Race::Elf:
        default: {
            if (u % 10 == 0 || u == len - 1) return st.trim[shade];
            if (v == height - 1 || v == 0) return st.trim[shade - 1];
            return st.wall[shade + (v % 6 == 0 ? -1 : 0)];
        }
    }
}

struct Box {
    Footprint f;
    int height;
};

void DrawWalls(Canvas& c, Race race, const RaceStyle& st, const Box& b, int drawHeight, bool door,
               bool windows, uint32_t seed) {
    BoxFaces faces;
    faces.left = [&](int u, int v, int len) {
        return WallTexel(race, st, u, v, len, b.height, 1, door, windows, seed);
    };
    faces.right = [&](int u, int v, int len) {
        return WallTexel(race, st, u, v, len, b.height, -1, false, windows, seed + 1);
    };
    faces.top = [&](int, int) { return st.trim[2]; };
    IsoBox(c, b.f, drawHeight, faces);
}

// A round tower standing on (cx, baseY).
void Tower(Canvas& c, Race race, const RaceStyle& st, int cx, int baseY, int r, int height,
           const RoofStyle& roof, uint32_t seed) {
    const int ry = r / 2;
    for (int x = cx - r; x <= cx + r; ++x) {
        const int dx = x - cx;
        const int bottom = baseY + ry * ISqrt(std::max(0, r * r - dx * dx)) / std::max(1, r);
        const int idx = dx * 3 < -r ? 3 : (dx * 3 < r ? 2 : 1);
        for (int y = bottom - height; y <= bottom; ++y) {
            int k = idx;
            const int v = bottom - y;
            if (race == Race::Dwarf || race == Race::Human) {
                if (v % 4 == 0 || (x + (v / 4) * 3) % 5 == 0) k -= 1;
            } else if (race == Race::Barbarian) {
                if (v % 3 == 0) k -= 1;
            } else if (v % 7 == 0) {
                k += 1;
            }
            c.Set(x, y, (race == Race::Human ? st.base : st.wall)[k]);
        }
    }
    // A window slit.
    for (int k = 0; k < 4; ++k)
        c.Set(cx - 1, baseY - height / 2 - k, Opaque(30, 30, 40));
    const Footprint top{Fix(cx, baseY - height + ry), Fix(cx + r, baseY - height),
                        Fix(cx, baseY - height - ry), Fix(cx - r, baseY - height)};
    RoofStyle cone = roof;
    cone.kind = race == Race::Elf ? RoofKind::Cone
                                  : (race == Race::Dwarf ? RoofKind::Flat : RoofKind::Cone);
    cone.rise = race == Race::Elf ? r * 3 : r * 2;
    Roof(c, top, 0, cone, seed);
}

void Chimney(Canvas& c, const RaceStyle& st, int x, int y, int h, bool smoke, uint32_t seed) {
    for (int yy = y - h; yy <= y; ++yy) {
        c.Set(x, yy, st.base[3]);
        c.Set(x + 1, yy, st.base[2]);
        c.Set(x + 2, yy, st.base[1]);
    }
    if (smoke)
        for (int k = 0; k < 4; ++k)
            LitBlob(c, x + 1 + k, y - h - 3 - k * 4, 2 + k / 2, 2,
                    MakeRamp(Opaque(110, 110, 120), Opaque(220, 220, 226)),
                    seed + static_cast<uint32_t>(k), 1, 20);
}

void Flag(Canvas& c, int x, int y, Rgba colour) {
    c.Line(x, y, x, y - 14, Opaque(60, 50, 40));
    const FixPoint cloth[] = {Fix(x + 1, y - 14), Fix(x + 9, y - 12), Fix(x + 1, y - 9)};
    c.FillPolygon(cloth, colour);
}

// Scaffolding poles around a footprint.
void Scaffold(Canvas& c, const Footprint& f, int height) {
    const Rgba pole = Opaque(150, 110, 60), dark = Opaque(90, 60, 30);
    for (const FixPoint& p : {f.left, f.bottom, f.right}) {
        const int x = p.x / 16, y = p.y / 16;
        c.Line(x, y, x, y - height - 4, pole);
        c.Line(x + 1, y, x + 1, y - height - 4, dark);
    }
    for (int k = 1; k <= 2; ++k) {
        const int dy = height * k / 3;
        c.Line(f.left.x / 16, f.left.y / 16 - dy, f.bottom.x / 16, f.bottom.y / 16 - dy, pole);
        c.Line(f.bottom.x / 16, f.bottom.y / 16 - dy, f.right.x / 16, f.right.y / 16 - dy, dark);
    }
}

}  // namespace

Canvas BuildingPicture(Race race, BuildingKind kind, int w, int h, int rt, int lt, int stage,
                       uint32_t seed) {
    Canvas c(w, h);
    const RaceStyle st = StyleOf(race);
    const AnchorPoint a = AnchorOf(w, h, rt, lt);
    const int ax = a.x, ay = a.y;
    const int span = std::max(rt, lt);
    const Footprint ground = FootprintAt(ax, ay, rt, lt, 0);

    // Ground under the building: trodden earth, and the shadow to the lower right.
    const FixPoint patch[] = {ground.bottom, ground.right, ground.top, ground.left};
    const Ramp earth = MakeRamp(Opaque(70, 56, 40), Opaque(160, 134, 100));
    c.FillPolygonWith(patch, [&](int x, int y) {
        if ((Hash(seed, x, y) % 3u) != 0)
            c.Set(x, y, earth[1 + static_cast<int>(Hash(seed + 1, x, y) % 3u)]);
    });

    int inset = 3 + span;
    int height = 14 + span * 4;
    bool towers = false, chimney = false, flag = false, door = true, windows = true;
    RoofStyle roof{st.roofKind, st.roof, 14 + span * 5, st.roofPattern};
    switch (kind) {
        case BuildingKind::Centre:
            height += 4;
            flag = true;
            break;
        case BuildingKind::CentreVillage:
            height += 6;
            flag = true;
            chimney = true;
            break;
        case BuildingKind::CentreTown:
            height += 10;
            towers = true;
            flag = true;
            break;
        case BuildingKind::Farm:
            height -= 4;
            roof.rise -= 4;
            break;
        case BuildingKind::Barracks:
            flag = true;
            break;
        case BuildingKind::Smithy:
        case BuildingKind::Brewery:
            chimney = true;
            break;
        case BuildingKind::Temple:
            height += 8;
            roof.kind = RoofKind::Dome;
            roof.ramp = race == Race::Elf ? st.accent
                                          : MakeRamp(Opaque(60, 80, 110), Opaque(180, 210, 240));
            roof.rise = 10 + span * 6;
            break;
        case BuildingKind::Tower:
        case BuildingKind::Totem:
            inset += 2;
            height += 20;
            roof.kind = race == Race::Dwarf ? RoofKind::Flat : RoofKind::Hip;
            roof.rise = 18;
            windows = false;
            break;
        case BuildingKind::Treasury:
        case BuildingKind::Vault:
            if (race == Race::Barbarian) break;
            roof.kind = race == Race::Dwarf ? RoofKind::Flat : RoofKind::Dome;
            roof.ramp = st.accent;
            roof.rise = 14;
            break;
        case BuildingKind::Market:
        case BuildingKind::Caravan:
            height = 10;
            roof.kind = RoofKind::Gable;
            roof.ramp = MakeRamp(Opaque(110, 30, 30), Opaque(250, 210, 170));
            roof.pattern = 2;
            roof.rise = 10;
            windows = false;
            break;
        case BuildingKind::Mine:
            height = 12;
            roof.kind = RoofKind::Flat;
            windows = false;
            break;
        case BuildingKind::Hall:
            height += 6;
            chimney = true;
            break;
        case BuildingKind::Garden:
            height = 4;
            door = false;
            windows = false;
            break;
        case BuildingKind::Chest:
            height = 8;
            inset = 8;
            roof.kind = RoofKind::Dome;
            roof.ramp = MakeRamp(Opaque(80, 40, 10), Opaque(210, 150, 60));
            roof.rise = 6;
            door = false;
            windows = false;
            break;
        default:
            break;
    }
    if (race == Race::Elf && roof.kind == RoofKind::Hip) roof.kind = RoofKind::Cone;
    const Box box{FootprintAt(ax, ay, rt, lt, inset), height};
    const int cx = (box.f.left.x + box.f.right.x) / 32;

    DitherEllipse(c, Fix(cx + 6, ay - 2), (w / 2 - 4) * 16, (h / 10) * 16, kShadow);

    if (stage == 0) {
        // Foundation: a low course of stones on the outline and a pile of timber.
        DrawWalls(c, race, st, Box{box.f, 3}, 3, false, false, seed);
        Scaffold(c, box.f, height / 2);
        for (int k = 0; k < 4; ++k)
            c.Line(ax - 10 + k, ay + 1 - k, ax + 6 + k, ay - 7 - k,
                   Opaque(160 - k * 10, 120 - k * 8, 70));
        AddOutline(c, 110);
        return c;
    }
    if (stage == 1) {
        DrawWalls(c, race, st, box, height / 2, false, false, seed);
        Scaffold(c, box.f, height);
        AddOutline(c, 110);
        return c;
    }
    DrawWalls(c, race, st, box, height, door, windows, seed);
    if (kind == BuildingKind::Garden) {
        // Flower beds and a young tree on a low wall.
        for (int i = 0; i < 20; ++i) {
            const int x = cx - 20 + HashRange(seed, i, 3, 40),
                      y = ay - 8 - HashRange(seed, i, 5, 16);
            c.Set(x, y - height, i % 2 ? Opaque(250, 120, 180) : Opaque(250, 240, 140));
        }
        LitBlob(c, cx, ay - height - 24, 12, 10, st.roof, seed, 3, 50);
        c.Line(cx, ay - height - 4, cx, ay - height - 16, Opaque(110, 80, 50));
        AddOutline(c, 110);
        return c;
    }
    if (stage == 2) {
        // Rafters over the finished walls.
        const Footprint top{FixPoint{box.f.bottom.x, box.f.bottom.y - height * 16},
                            FixPoint{box.f.right.x, box.f.right.y - height * 16},
                            FixPoint{box.f.top.x, box.f.top.y - height * 16},
                            FixPoint{box.f.left.x, box.f.left.y - height * 16}};
        const int rx = (top.left.x + top.right.x) / 32,
                  ry = (top.top.y + top.bottom.y) / 32 - roof.rise;
        for (const FixPoint& p : {top.left, top.bottom, top.right, top.top})
            c.Line(p.x / 16, p.y / 16, rx, ry, Opaque(150, 110, 60));
        c.Line(top.left.x / 16, top.left.y / 16, top.bottom.x / 16, top.bottom.y / 16,
               Opaque(120, 86, 50));
        c.Line(top.bottom.x / 16, top.bottom.y / 16, top.right.x / 16, top.right.y / 16,
               Opaque(100, 70, 40));
        AddOutline(c, 110);
        return c;
    }
    Roof(c, box.f, height, roof, seed);
    if (chimney)
        Chimney(c, st, cx + 6, (box.f.top.y / 16) - height + 2, 10,
                kind == BuildingKind::Smithy || kind == BuildingKind::Hall, seed);
    if (kind == BuildingKind::Smithy)  // the glow of the forge at the door
        c.FillEllipse(
            Fix((box.f.left.x + box.f.bottom.x) / 32, (box.f.left.y + box.f.bottom.y) / 32 - 4), 40,
            40, Opaque(255, 160, 40));
    if (towers) {
        const RoofStyle towerRoof{RoofKind::Cone, st.roof, 20, st.roofPattern};
        Tower(c, race, st, box.f.left.x / 16 + 2, box.f.left.y / 16, 6, height + 14, towerRoof,
              seed);
        Tower(c, race, st, box.f.right.x / 16 - 2, box.f.right.y / 16, 6, height + 14, towerRoof,
              seed + 1);
        Tower(c, race, st, box.f.bottom.x / 16, box.f.bottom.y / 16 - 1, 7, height + 8, towerRoof,
              seed + 2);
    }
    if (kind == BuildingKind::Tower && race == Race::Elf)
        Tower(c, race, st, cx, ay - 4, 8, height + 10, roof, seed);
    if (kind == BuildingKind::Totem) {
        for (int y = ay - height - 30; y < ay - 4; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x)
                c.Set(x, y, st.wall[x < cx ? 3 : 1]);
        for (int k = 0; k < 3; ++k) {
            const int y = ay - height - 26 + k * 10;
            c.FillRect(cx - 3, y, 7, 2, st.accent[2]);
            c.Set(cx - 1, y + 3, Opaque(250, 240, 200));
            c.Set(cx + 1, y + 3, Opaque(250, 240, 200));
        }
    }
    if (flag) Flag(c, cx, (box.f.top.y / 16) - height - roof.rise + 2, st.accent[3]);
    AddOutline(c, 110);
    return c;
}

}  // namespace tess::demo
