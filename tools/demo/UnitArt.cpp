// Units in eight facings with walking frames, and their bodies: small figures put together from
// parts placed in the figure's own frame (side, forward, up) and drawn back to front.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "ObjectArt.h"
#include "SpriteKit.h"

namespace tess::demo {

namespace {

// Facing vectors on the ground (east, south), in sixteenths, for directions 0..7 clockwise from
// up-right.
constexpr int kFacing[8][2] = {{11, -11}, {16, 0},  {11, 11},   {0, 16},
                               {-11, 11}, {-16, 0}, {-11, -11}, {0, -16}};

struct Pose {
    int fx, fz;        // facing
    int rx, rz;        // the figure's right hand side
    int tiltS, tiltC;  // lying over: sine and cosine of the tilt, sixteenths
    int ax, ay;        // anchor in the frame
};

struct Pt {
    int s, f, u;  // side (right +), forward, up: pixels
};

struct Projected {
    int x, y, depth;
};

Projected Project(const Pose& p, Pt q) {
    const int gx = (q.s * p.rx + q.f * p.fx) / 16 + q.u * p.tiltS * p.fx / 256;
    const int gz = (q.s * p.rz + q.f * p.fz) / 16 + q.u * p.tiltS * p.fz / 256;
    const int z = q.u * p.tiltC / 16;
    return Projected{p.ax + gx, p.ay + gz / 2 - z, gz * 4 + z / 4};
}

struct Item {
    int depth;
    int order;
    std::function<void(Canvas&)> draw;
};

struct Look {
    Rgba skin, hair, tunic, legs, boots, metal, accent;
    int headgear =
        0;  // 0 none, 1 helmet, 2 hood, 3 hat, 4 horned helmet, 5 pointed hat, 6 crown-like band
    int weapon = 0;  // 0 none, 1 sword, 2 axe, 3 bow, 4 staff, 5 spear, 6 pick, 7 crossbow, 8 club,
                     // 9 twin axes, 10 hammer
    bool shield = false, beard = false, cape = false, ears = false, robe = false, bony = false;
    int scale = 16;  // sixteenths: trolls and dwarves differ
};

Look LookOf(Figure f, Race race) {
    Look l;
    l.skin = Opaque(232, 184, 146);
    l.hair = Opaque(90, 60, 30);
    l.tunic = Opaque(130, 100, 60);
    l.legs = Opaque(80, 70, 60);
    l.boots = Opaque(60, 40, 24);
    l.metal = Opaque(190, 196, 206);
    l.accent = Opaque(200, 40, 40);
    switch (race) {
        case Race::Barbarian:
            l.skin = Opaque(214, 160, 120);
            l.hair = Opaque(170, 70, 30);
            l.tunic = Opaque(120, 84, 50);
            break;
        case Race::Dwarf:
            l.hair = Opaque(190, 100, 40);
            l.beard = true;
            l.scale = 13;
            l.tunic = Opaque(90, 70, 110);
            break;
        case Race::Elf:
            l.skin = Opaque(244, 220, 196);
            l.hair = Opaque(236, 214, 130);
            l.tunic = Opaque(60, 120, 70);
            l.ears = true;
            break;
        default:
            break;
    }
    switch (f) {
        case Figure::Worker:
            l.headgear = 3;
            l.weapon = 10;
            l.tunic = Opaque(150, 110, 60);
            break;
        case Figure::Swordsman:
            l.headgear = 1;
            l.weapon = 1;
            l.shield = true;
            l.tunic = Opaque(150, 40, 40);
            break;
        case Figure::Archer:
            l.headgear = 2;
            l.weapon = 3;
            l.tunic = Opaque(60, 110, 50);
            break;
        case Figure::Knight:
            l.headgear = 1;
            l.weapon = 5;
            l.shield = true;
            l.cape = true;
            l.tunic = Opaque(170, 176, 190);
            l.accent = Opaque(40, 70, 180);
            break;
        case Figure::Mage:
            l.headgear = 5;
            l.weapon = 4;
            l.robe = true;
            l.tunic = Opaque(50, 60, 160);
            l.accent = Opaque(120, 220, 255);
            break;
        case Figure::Spy:
            l.headgear = 2;
            l.weapon = 1;
            l.cape = true;
            l.tunic = Opaque(50, 50, 60);
            break;
        case Figure::Scout:
            l.weapon = 5;
            l.tunic = Opaque(170, 150, 90);
            break;
        case Figure::Axeman:
            l.headgear = 4;
            l.weapon = 2;
            l.shield = true;
            break;
        case Figure::Berserker:
            l.weapon = 9;
            l.tunic = l.skin;
            l.accent = Opaque(130, 30, 20);
            break;
        case Figure::Shaman:
            l.headgear = 6;
            l.weapon = 4;
            l.robe = true;
            l.tunic = Opaque(100, 80, 60);
            l.accent = Opaque(240, 230, 200);
            break;
        case Figure::Miner:
            l.headgear = 1;
            l.weapon = 6;
            l.tunic = Opaque(110, 90, 70);
            break;
        case Figure::DwarfWarrior:
            l.headgear = 1;
            l.weapon = 2;
            l.shield = true;
            l.tunic = Opaque(120, 40, 40);
            break;
        case Figure::Crossbowman:
            l.headgear = 1;
            l.weapon = 7;
            l.tunic = Opaque(70, 90, 120);
            break;
        case Figure::Gatherer:
            l.weapon = 0;
            l.tunic = Opaque(120, 160, 90);
            break;
        case Figure::ElfArcher:
            l.headgear = 2;
            l.weapon = 3;
            l.tunic = Opaque(40, 100, 60);
            break;
        case Figure::Druid:
            l.weapon = 4;
            l.robe = true;
            l.tunic = Opaque(230, 232, 220);
            l.accent = Opaque(80, 200, 90);
            break;
        case Figure::Skeleton:
            l.bony = true;
            l.weapon = 1;
            l.shield = true;
            l.skin = Opaque(226, 220, 196);
            l.tunic = l.skin;
            l.legs = l.skin;
            l.boots = l.skin;
            break;
        case Figure::Troll:
            l.skin = Opaque(110, 150, 90);
            l.weapon = 8;
            l.scale = 22;
            l.tunic = Opaque(90, 70, 50);
            l.hair = Opaque(50, 60, 40);
            break;
        case Figure::Wanderer:
            l.headgear = 3;
            l.weapon = 4;
            l.cape = true;
            l.tunic = Opaque(110, 100, 90);
            break;
        default:
            break;
    }
    return l;
}

int Sc(const Look& l, int v) {
    return v * l.scale / 16;
}

// Body parts of a standing or walking figure.
void Humanoid(std::vector<Item>& items, const Pose& p, const Look& l, int swing) {
    const auto add = [&](Pt at, int order, std::function<void(Canvas&)> fn) {
        items.push_back(Item{Project(p, at).depth, order, std::move(fn)});
    };
    const Ramp tunic = MakeRamp(l.tunic), skin = MakeRamp(l.skin), metal = MakeRamp(l.metal);
    const int hip = Sc(l, 8), shoulder = Sc(l, 16), headZ = Sc(l, 20);
    // Legs (a robe hides them).
    for (int side = -1; side <= 1; side += 2) {
        const Pt foot{side * 2, side * swing, 0}, top{side * 2, 0, hip};
        add(foot, 0, [=](Canvas& c) {
            const Projected a = Project(p, foot), b = Project(p, top);
            if (!l.robe) {
                c.Line(a.x, a.y, b.x, b.y, MakeRamp(l.legs)[side < 0 ? 3 : 1]);
                c.Line(a.x + 1, a.y, b.x + 1, b.y, MakeRamp(l.legs)[1]);
            }
            c.Set(a.x, a.y, l.boots);
            c.Set(a.x + 1, a.y, l.boots);
        });
    }
    // Cape behind the body.
    if (l.cape)
        add(Pt{0, -3, Sc(l, 10)}, 1, [=](Canvas& c) {
            for (int u = 2; u <= shoulder; ++u)
                for (int s = -4; s <= 4; ++s) {
                    const Projected q = Project(p, Pt{s, -3, u});
                    c.Set(q.x, q.y, MakeRamp(l.accent)[s < 0 ? 2 : 1]);
                }
        });
    // Torso.
    add(Pt{0, 0, Sc(l, 12)}, 2, [=](Canvas& c) {
        const int bottom = l.robe ? 0 : hip;
        for (int u = bottom; u <= shoulder; ++u) {
            const int half = l.robe ? 3 + (shoulder - u) / 5
                                    : (l.scale > 18 ? 5 : 3) + (u > shoulder - 4 ? 1 : 0);
            for (int s = -half; s <= half; ++s) {
                const Projected q = Project(p, Pt{s, 0, u});
                int idx =
                    s * p.rx + 0 < 0 ? 3 : 1;  // the side turned to the light (screen left) is lit
                if (p.rx == 0) idx = s < 0 ? 3 : 1;
                if (l.bony) {
                    if ((u % 3 == 0 && std::abs(s) < half) || s == 0)
                        c.Set(q.x, q.y, skin[2 + (s < 0 ? 1 : 0)]);
                    continue;
                }
                Rgba col = tunic[idx];
                if (u == hip + 1 && !l.robe) col = Opaque(60, 40, 20);  // belt
                c.Set(q.x, q.y, col);
            }
        }
    });
    // Arms: the right arm holds the weapon, the left the shield or bow.
    for (int side = -1; side <= 1; side += 2) {
        const Pt sh{side * Sc(l, 4), 0, shoulder - 1},
            hand{side * Sc(l, 5), -side * swing + (side > 0 ? 2 : 1), Sc(l, 10)};
        add(hand, 3, [=](Canvas& c) {
            const Projected a = Project(p, sh), b = Project(p, hand);
            c.Line(a.x, a.y, b.x, b.y, l.bony ? skin[3] : tunic[side < 0 ? 3 : 1]);
            c.Set(b.x, b.y, skin[2]);
        });
    }
    const Pt hand{Sc(l, 5), 2, Sc(l, 10)}, offHand{-Sc(l, 5), 1, Sc(l, 10)};
    // Weapon.
    if (l.weapon != 0)
        add(Pt{hand.s, hand.f + 1, hand.u}, 4, [=](Canvas& c) {
            const Projected h = Project(p, hand);
            auto to = [&](Pt q) { return Project(p, q); };
            switch (l.weapon) {
                case 1: {  // sword raised forward
                    const Projected t = to(Pt{hand.s, hand.f + 4, hand.u + 9});
                    c.Line(h.x, h.y, t.x, t.y, metal[4]);
                    c.Set(h.x - 1, h.y - 1, Opaque(120, 90, 30));
                    c.Set(h.x + 1, h.y - 1, Opaque(120, 90, 30));
                    break;
                }
                case 2:
                case 10: {  // axe or hammer
                    const Projected t = to(Pt{hand.s, hand.f + 2, hand.u + 9});
                    c.Line(h.x, h.y, t.x, t.y, Opaque(110, 76, 40));
                    c.FillRect(t.x - 1, t.y - 1, l.weapon == 2 ? 4 : 3, l.weapon == 2 ? 4 : 3,
                               metal[3]);
                    c.Set(t.x + 2, t.y + 2, metal[1]);
                    break;
                }
                case 9: {  // two axes
                    for (int side = -1; side <= 1; side += 2) {
                        const Projected hh = to(Pt{side * Sc(l, 5), 2, Sc(l, 10)});
                        const Projected t = to(Pt{side * Sc(l, 6), 4, Sc(l, 18)});
                        c.Line(hh.x, hh.y, t.x, t.y, Opaque(110, 76, 40));
                        c.FillRect(t.x - 1, t.y - 1, 3, 3, metal[3]);
                    }
                    break;
                }
                case 3: {  // bow in the off hand
                    const Projected o = to(offHand);
                    for (int k = -6; k <= 6; ++k) {
                        const Projected q =
                            to(Pt{offHand.s, offHand.f + 2 - (k * k) / 12, offHand.u + k});
                        c.Set(q.x, q.y, Opaque(140, 90, 40));
                    }
                    c.Line(o.x, o.y - 6, o.x, o.y + 6, Opaque(230, 230, 220));
                    break;
                }
                case 4: {  // staff with a glowing top
                    const Projected t = to(Pt{hand.s, hand.f + 1, hand.u + 13});
                    const Projected b = to(Pt{hand.s, hand.f, 0});
                    c.Line(b.x, b.y, t.x, t.y, Opaque(120, 84, 44));
                    c.FillEllipse(Fix(t.x, t.y - 1), 24, 24, l.accent);
                    c.Set(t.x - 1, t.y - 2, Opaque(255, 255, 255));
                    break;
                }
                case 5: {  // spear
                    const Projected t = to(Pt{hand.s, hand.f + 3, hand.u + 15});
                    const Projected b = to(Pt{hand.s, hand.f - 1, 0});
                    c.Line(b.x, b.y, t.x, t.y, Opaque(120, 84, 44));
                    c.Set(t.x, t.y - 1, metal[4]);
                    c.Set(t.x, t.y - 2, metal[3]);
                    break;
                }
                case 6: {  // pick
                    const Projected t = to(Pt{hand.s, hand.f + 2, hand.u + 8});
                    c.Line(h.x, h.y, t.x, t.y, Opaque(110, 76, 40));
                    c.Line(t.x - 3, t.y + 1, t.x + 3, t.y - 1, metal[3]);
                    break;
                }
                case 7: {  // crossbow held forward
                    const Projected t = to(Pt{hand.s - 2, hand.f + 6, hand.u + 1});
                    c.Line(h.x, h.y, t.x, t.y, Opaque(100, 70, 40));
                    const Projected l1 = to(Pt{hand.s - 5, hand.f + 5, hand.u + 1}),
                                    r1 = to(Pt{hand.s + 1, hand.f + 5, hand.u + 1});
                    c.Line(l1.x, l1.y, r1.x, r1.y, metal[2]);
                    break;
                }
                case 8: {  // club
                    const Projected t = to(Pt{hand.s, hand.f + 3, hand.u + 10});
                    c.Line(h.x, h.y, t.x, t.y, Opaque(90, 60, 30));
                    c.FillEllipse(Fix(t.x, t.y), 40, 40, Opaque(110, 76, 40));
                    break;
                }
                default:
                    break;
            }
        });
    // Shield on the left arm, facing forward.
    if (l.shield)
        add(Pt{offHand.s, offHand.f + 2, offHand.u}, 5, [=](Canvas& c) {
            const Pt centre{-Sc(l, 6), 2, Sc(l, 11)};
            for (int du = -4; du <= 4; ++du)
                for (int ds = -3; ds <= 3; ++ds) {
                    if (du * du + ds * ds * 2 > 18) continue;
                    const Projected q = Project(p, Pt{centre.s + ds, centre.f, centre.u + du});
                    const bool rim = du * du + ds * ds * 2 > 11;
                    c.Set(q.x, q.y, rim ? metal[2] : MakeRamp(l.accent)[du < 0 ? 3 : 2]);
                }
        });
    // Head.
    add(Pt{0, 0, headZ}, 6, [=](Canvas& c) {
        const Projected h = Project(p, Pt{0, 0, headZ});
        const int r = l.scale > 18 ? 4 : 3;
        LitBlob(c, h.x, h.y, r, r, skin, 5, 0, 0);
        const bool front = p.fz >= 0;                       // turned towards the viewer
        if (!l.bony && l.headgear != 1 && l.headgear != 4)  // hair on top and at the back
            for (int x = h.x - r; x <= h.x + r; ++x) {
                c.Set(x, h.y - r, l.hair);
                if (!front) c.Set(x, h.y - r + 1, l.hair);
            }
        if (front) {
            const Projected e1 = Project(p, Pt{-1, 3, headZ}), e2 = Project(p, Pt{1, 3, headZ});
            c.Set(e1.x, e1.y, Opaque(30, 24, 20));
            c.Set(e2.x, e2.y, Opaque(30, 24, 20));
        }
        if (l.ears) {
            c.Set(h.x - r - 1, h.y - 1, l.skin);
            c.Set(h.x + r + 1, h.y - 1, l.skin);
        }
        if (l.beard && front)
            for (int y = h.y + 1; y <= h.y + 5; ++y)
                for (int x = h.x - 2 + (y - h.y) / 3; x <= h.x + 2 - (y - h.y) / 3; ++x)
                    c.Set(x, y, l.hair);
        switch (l.headgear) {
            case 1:
            case 4:
                for (int x = h.x - r; x <= h.x + r; ++x)
                    for (int y = h.y - r - 1; y <= h.y - 1; ++y)
                        c.Set(x, y, metal[x < h.x ? 4 : 2]);
                if (l.headgear == 4) {
                    c.Set(h.x - r - 1, h.y - r, Opaque(240, 230, 200));
                    c.Set(h.x - r - 1, h.y - r - 1, Opaque(240, 230, 200));
                    c.Set(h.x + r + 1, h.y - r, Opaque(240, 230, 200));
                    c.Set(h.x + r + 1, h.y - r - 1, Opaque(240, 230, 200));
                }
                break;
            case 2:
                for (int x = h.x - r - 1; x <= h.x + r + 1; ++x)
                    for (int y = h.y - r - 1; y <= h.y + (front ? -1 : r); ++y)
                        c.Set(x, y, MakeRamp(l.tunic)[x < h.x ? 2 : 1]);
                break;
            case 3:
                c.FillRect(h.x - r - 2, h.y - r, 2 * r + 5, 1, Opaque(150, 120, 60));
                c.FillRect(h.x - r + 1, h.y - r - 2, 2 * r - 1, 2, Opaque(170, 140, 70));
                break;
            case 5: {
                const FixPoint hat[] = {Fix(h.x - r - 2, h.y - r + 1), Fix(h.x + 1, h.y - r - 8),
                                        Fix(h.x + r + 3, h.y - r + 1)};
                c.FillPolygon(hat, MakeRamp(l.tunic)[2]);
                break;
            }
            case 6:
                for (int x = h.x - r; x <= h.x + r; x += 2)
                    c.Set(x, h.y - r - 2, l.accent);
                break;
            default:
                break;
        }
    });
}

// Four-legged animals: a body of discs along the facing, a head in front, legs and tail.
void Quadruped(std::vector<Item>& items, const Pose& p, Figure f, int swing) {
    const bool bear = f == Figure::Bear;
    const Ramp fur = bear ? MakeRamp(Opaque(50, 30, 20), Opaque(170, 120, 80))
                          : MakeRamp(Opaque(60, 60, 66), Opaque(200, 200, 206));
    const int len = bear ? 7 : 6, r = bear ? 5 : 3, height = bear ? 9 : 7;
    const auto add = [&](Pt at, int order, std::function<void(Canvas&)> fn) {
        items.push_back(Item{Project(p, at).depth, order, std::move(fn)});
    };
    for (int side = -1; side <= 1; side += 2)
        for (int end = -1; end <= 1; end += 2) {
            const Pt foot{side * (r - 1), end * (len - 2) + (side * end) * swing, 0};
            add(foot, 0, [=](Canvas& c) {
                const Projected a = Project(p, foot), b = Project(p, Pt{foot.s, foot.f, height});
                c.Line(a.x, a.y, b.x, b.y, fur[side < 0 ? 2 : 1]);
            });
        }
    for (int k = -len; k <= len; k += 2)
        add(Pt{0, k, height}, 1, [=](Canvas& c) {
            const Projected q = Project(p, Pt{0, k, height});
            LitBlob(c, q.x, q.y, r, r - 1, fur, 3, 1, 30);
        });
    add(Pt{0, -len - 2, height + 1}, 1, [=](Canvas& c) {
        const Projected a = Project(p, Pt{0, -len, height}),
                        b = Project(p, Pt{0, -len - (bear ? 2 : 6), height + (bear ? 1 : 3)});
        c.Line(a.x, a.y, b.x, b.y, fur[2]);
    });
    add(Pt{0, len + 3, height + 2}, 2, [=](Canvas& c) {
        const Projected q = Project(p, Pt{0, len + 3, height + 2});
        LitBlob(c, q.x, q.y, r - 1, r - 1, fur, 4, 0, 20);
        const Projected snout = Project(p, Pt{0, len + 3 + r, height + 1});
        c.Set(snout.x, snout.y, Opaque(20, 16, 16));
        if (p.fz >= 0) {
            const Projected e = Project(p, Pt{0, len + 4, height + 3});
            c.Set(e.x - 1, e.y, Opaque(250, 220, 60));
            c.Set(e.x + 1, e.y, Opaque(250, 220, 60));
        }
        const Projected ear = Project(p, Pt{0, len + 2, height + 2 + r});
        c.Set(ear.x - 1, ear.y, fur[1]);
        c.Set(ear.x + 1, ear.y, fur[1]);
    });
}

Pose MakePose(int facing, int tiltS, int tiltC, int ax, int ay) {
    const int fx = kFacing[facing & 7][0], fz = kFacing[facing & 7][1];
    return Pose{fx, fz, -fz, fx, tiltS, tiltC, ax, ay};
}

Canvas Render(Figure figure, Race race, const Pose& p, int w, int h, int swing, bool blood) {
    Canvas c(w, h);
    if (blood)
        DitherEllipse(c, Fix(p.ax + p.fx / 3, p.ay + p.fz / 6), 7 * 16, 3 * 16,
                      Opaque(110, 16, 12));
    else
        DitherEllipse(c, Fix(p.ax + 1, p.ay + 1), 6 * 16, 2 * 16 + 8, kGroundShadow);
    std::vector<Item> items;
    if (figure == Figure::Wolf || figure == Figure::Bear)
        Quadruped(items, p, figure, swing);
    else
        Humanoid(items, p, LookOf(figure, race), swing);
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.depth != b.depth ? a.depth < b.depth : a.order < b.order;
    });
    for (const Item& it : items)
        it.draw(c);
    AddOutline(c, 70);
    return c;
}

}  // namespace

Canvas UnitPicture(Figure figure, Race race, int facing, int w, int h, int frames, uint32_t) {
    static constexpr int kSwing[4] = {0, 3, 0, -3};
    std::vector<Canvas> all;
    for (int f = 0; f < frames; ++f)
        all.push_back(Render(figure, race, MakePose(facing, 0, 16, w / 2, h - 6), w, h,
                             kSwing[f % 4], false));
    return StackFrames(all);
}

Canvas BodyPicture(Figure figure, Race race, int facing, int w, int h, int frames, uint32_t) {
    // Falling backwards, away from the facing: the last frame lies flat.
    static constexpr int kTilt[4][2] = {{8, 14}, {12, 11}, {15, 6}, {16, 0}};
    std::vector<Canvas> all;
    for (int f = 0; f < frames; ++f) {
        const int t = f * 3 / std::max(1, frames - 1);
        Pose p = MakePose((facing + 4) & 7, kTilt[t][0], kTilt[t][1], w / 2, h - 8);
        all.push_back(Render(figure, race, p, w, h, 0, f == frames - 1));
    }
    return StackFrames(all);
}

}  // namespace tess::demo
