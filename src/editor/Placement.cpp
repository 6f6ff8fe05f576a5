// Putting one placement entry on a cell with the game-data records it needs, deleting what
// stands on a cell, and the amount dialog of deposits and bone piles.
#include "editor/Placement.h"

#include <algorithm>

#include "editor/MapSizeRules.h"
#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"

namespace tess {

namespace {

constexpr int kCentredJitter = 136;  // no shift
constexpr int32_t kBonesScrollMax = 100;

// Interchangeable pictures of one object: a placed key becomes a random member of its family.
int32_t PictureOfFamily(int32_t key, Random& random) {
    const auto inRange = [key](int32_t first, int32_t last) { return key >= first && key <= last; };
    if (inRange(100, 103)) return 100 + random.Next(4);
    if (inRange(239, 242)) return 239 + random.Next(4);
    if (inRange(249, 255) && key % 2 == 1) return 249 + 2 * random.Next(4);
    if (inRange(250, 256) && key % 2 == 0) return 250 + 2 * random.Next(4);
    if (inRange(434, 437)) return 434 + random.Next(4);
    if (inRange(438, 441)) return 438 + random.Next(4);
    return key;
}

void Anchor(tMapa& map, int32_t x, int32_t y, int32_t key, int kind) {
    map.SetOccupancy(x, y, 2);
    map.SetId(x, y, key);
    map.SetLinkKind(x, y, kind);
}

}  // namespace

int32_t Placement::AskAmount(const std::string& caption, int32_t value) {
    ToolState& state = ctx_.State();
    const int32_t kept = std::clamp(value, kMinAmount, kMaxAmount);
    AmountDialogPort* dialog = ctx_.Ports.Amount;
    if (!dialog) return kept;
    AmountRequest request{kAmountTitle, caption, std::to_string(value), state.LastScrollState};
    const bool scrollShown = request.ScrollPosition != -1;
    for (;;) {
        const std::optional<AmountReply> reply = dialog->AskAmount(request);
        if (!reply) return kept;
        const int32_t scroll = std::clamp(reply->ScrollPosition, 1, kBonesScrollMax);
        if (const auto amount = WholeNumberIn(reply->Text, kMinAmount, kMaxAmount)) {
            if (scrollShown) state.LastScrollState = scroll;
            return *amount;
        }
        request.Title = kAmountRefused;
        request.Text = reply->Text;
        if (scrollShown) request.ScrollPosition = scroll;
    }
}

bool Placement::AskDepositAmount(TPoint anchor, int32_t type) {
    tMapa& map = ctx_.Map;
    // The amount lives in the cell W of the anchor: it must be a cell of its own and hold
    // nothing, or the amount would overwrite what stands there.
    const TPoint west = map.Neighbour(anchor.X, anchor.Y, kDirLeft);
    if (west == anchor || map.GetOccupancy(west.X, west.Y) != 0) return false;
    ctx_.State().LastScrollState = -1;
    const char* caption = type == kIronType ? "Železo" : "Zlato";
    map.SetId(west.X, west.Y, AskAmount(caption, map.GetId(west.X, west.Y)));
    return true;
}

void Placement::AskBones(int32_t building) {
    if (building < 1 || building > kMaxBuildings) return;
    tBuildingRec& b = ctx_.Store.Buildings[static_cast<size_t>(building)];
    ToolState& state = ctx_.State();
    state.LastScrollState = b.ProcVystavby;
    b.Tag = AskAmount("Kostí", b.Tag);
    const int32_t progress = std::clamp(state.LastScrollState, 1, kBonesScrollMax);
    b.ProcVystavby = static_cast<uint8_t>(progress);
    b.IdObject = progress * 14 / 100 + kBonesPicture;
}

bool Placement::DeleteObject(int32_t x, int32_t y) {
    return tess::DeleteObject(ctx_.Map, ctx_.Host.Objects(), ctx_.Store, x, y);
}

bool Placement::PlaceEntry(int32_t x, int32_t y, tAddPack& entry) {
    tMapa& map = ctx_.Map;
    tKalistor& store = ctx_.Store;
    const tObjects& objects = ctx_.Host.Objects();
    // A building or unit without a picture would leave a record that no cell links to.
    if (entry.IdObject < 1 && entry.OwnerClass != kOwnerObject) return false;
    const bool centre =
        entry.OwnerClass == kOwnerBuilding && (entry.Tag & kSettlementCentreTag) != 0;
    if (centre) {
        // A settlement's centre stands on the top cell of its block; it is tested there.
        const TPoint top = tMapa::BlockTop(x, y);
        x = top.X;
        y = top.Y;
        ctx_.CursorCell = top;
    }
    if (entry.IdObject >= 1 && !CanPlaceObject(map, objects, x, y, entry.IdObject)) return false;
    map.SetJitter(x, y, entry.RandomShade ? ctx_.Rng.Next(256) : kCentredJitter);
    if (entry.IdObject < 1) return true;  // nothing goes onto the map

    switch (entry.OwnerClass) {
        case kOwnerUnit: {
            const int32_t unit = store.AddUnit(entry.Extra, entry.IdObject, x, y);
            if (unit == 0) {
                // Cancelled: the object tool has nothing to place until another entry is chosen.
                ctx_.State().CurrentPack.IdObject = 0;
                entry.IdObject = 0;
                ctx_.Tools.Changed();
                return false;
            }
            tUnitRec& u = store.Units[static_cast<size_t>(unit)];
            u.X = x;
            u.Y = y;
            PlaceObject(map, objects, store, x, y, unit, kOwnerUnit, entry.IdObject);
            Anchor(map, x, y, unit, kOwnerUnit);
            return true;
        }
        case kOwnerBuilding: {
            const int32_t settlement =
                centre ? store.AddSettlement(entry.Id) : store.NearestSettlement(x, y);
            if (centre && settlement == 0) return false;
            const int32_t building = store.AddBuilding(entry.Id, entry.IdObject, settlement);
            tBuildingRec* b = building ? &store.Buildings[static_cast<size_t>(building)] : nullptr;
            if (b && entry.Id == kBonesBuilding) {
                b->ProcVystavby = 1;
                b->IdObject = kBonesPicture;
                AskBones(building);
            }
            // The picture the bones chose may not fit where the entry's did.
            if (!b || !CanPlaceObject(map, objects, x, y, b->IdObject)) {
                if (b) b->Used = 0;
                if (centre) store.Settlements[static_cast<size_t>(settlement)].Used = 0;
                return false;
            }
            if (centre) store.Settlements[static_cast<size_t>(settlement)].HlavniBudova = building;
            b->X = x;
            b->Y = y;
            PlaceObject(map, objects, store, x, y, building, kOwnerBuilding, entry.IdObject);
            Anchor(map, x, y, building, kOwnerBuilding);
            ctx_.Host.PrepocitejHrace();
            return true;
        }
        default:
            break;
    }

    const int32_t key = PictureOfFamily(entry.Id, ctx_.Rng);
    if (entry.OwnerClass != kOwnerObject) {
        // Not a class the cells know: reported by the footprint writer, nothing placed.
        PlaceObject(map, objects, store, x, y, key, entry.OwnerClass, entry.IdObject);
        return false;
    }
    if (!CanPlaceObject(map, objects, x, y, key)) return false;
    if ((key == kGoldType || key == kIronType) && !AskDepositAmount({x, y}, key)) return false;
    PlaceObject(map, objects, store, x, y, key, kOwnerObject, entry.IdObject);
    Anchor(map, x, y, key, kOwnerObject);
    return true;
}

}  // namespace tess
