// The recovery directory: the autosaved pairs of running and of crashed editor sessions, each in a
// slot of its own that a running session holds locked, and the pairs a new session may offer.
#include "editor/RecoveryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/DiskFile.h"
#include "resources/SafeFile.h"

namespace tess {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSlotPrefix = "session-";
constexpr int kMaxSlots = 999;

// Whether `inner` is `outer` or lies below it (both as they are on the disk, links resolved).
bool Inside(const fs::path& inner, const fs::path& outer) {
    std::error_code error;
    const fs::path a = fs::weakly_canonical(inner, error);
    const fs::path b = fs::weakly_canonical(outer, error);
    if (b.empty()) return false;
    auto i = a.begin();
    for (auto o = b.begin(); o != b.end(); ++o, ++i) {
        if (o->empty() && std::next(o) == b.end()) break;  // a trailing separator
        if (i == a.end() || *i != *o) return false;
    }
    return true;
}

// "session-N" for a manifest's file name "session-N.json"; "" for any other name.
std::string SlotOfManifest(const std::string& name) {
    const std::string ending = ".json";
    if (name.size() <= ending.size() + std::strlen(kSlotPrefix)) return {};
    if (name.compare(0, std::strlen(kSlotPrefix), kSlotPrefix) != 0) return {};
    if (name.compare(name.size() - ending.size(), ending.size(), ending) != 0) return {};
    const std::string number = name.substr(std::strlen(kSlotPrefix),
                                           name.size() - ending.size() - std::strlen(kSlotPrefix));
    if (number.empty() || number.size() > 4 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return name.substr(0, name.size() - ending.size());
}

std::optional<RecoveryManifest> ReadManifestFile(const std::string& path) {
    // Through the shared guard: a pipe or a device put there is refused, not waited on.
    try {
        return ReadRecoveryManifest(ReadDiskFile(path, kMaxRecoveryManifest));
    } catch (const IoError&) {
        return std::nullopt;
    }
}

void WriteText(const std::string& path, const std::string& text) {
    WriteFileAtomically(
        path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void Unlock(int fd) {
    if (fd < 0) return;
    ::flock(fd, LOCK_UN);
    ::close(fd);
}

}  // namespace

RecoveryStore::RecoveryStore(std::string gameDirectory)
    : gameDirectory_(std::move(gameDirectory)) {}

RecoveryStore::~RecoveryStore() {
    Unlock(ownLock_);
    for (const auto& [slot, fd] : offeredLocks_)
        Unlock(fd);
}

void RecoveryStore::SetDirectory(const std::string& directory) {
    directory_ = directory;
    problem_.clear();
    if (directory_.empty()) return;
    // The game reads its directory; files of ours there could end up in it, or over the
    // designer's own.
    if (!gameDirectory_.empty() && Inside(directory_, gameDirectory_))
        problem_ = "místo pro obnovu \"" + directory_ + "\" leží v adresáři hry";
}

std::string RecoveryStore::PathOf(const std::string& name) const {
    return (fs::path(directory_) / name).string();
}

int RecoveryStore::LockSlot(const std::string& slot) const {
    const std::string path = PathOf(slot + ".lock");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::vector<RecoveryOffer> RecoveryStore::Orphans() {
    std::vector<RecoveryOffer> offers;
    if (!Usable()) return offers;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory_, error)) {
        const std::string slot = SlotOfManifest(entry.path().filename().string());
        if (slot.empty() || slot == ownSlot_ || offeredLocks_.count(slot)) continue;
        const int lock = LockSlot(slot);
        if (lock < 0) continue;  // its session runs
        const std::optional<RecoveryManifest> manifest = ReadManifestFile(entry.path().string());
        RecoveryOffer offer{slot, manifest ? PathOf(manifest->MapFile) : "",
                            manifest ? PathOf(manifest->SavFile) : "",
                            manifest.value_or(RecoveryManifest{})};
        // A damaged manifest or a pair without its map is left as it is, for a person to look at.
        if (!manifest || manifest->Offered || !fs::exists(offer.MapPath, error)) {
            Unlock(lock);
            continue;
        }
        offeredLocks_[slot] = lock;
        offers.push_back(std::move(offer));
    }
    std::sort(offers.begin(), offers.end(), [](const RecoveryOffer& a, const RecoveryOffer& b) {
        return a.Manifest.SavedAt > b.Manifest.SavedAt;
    });
    return offers;
}

void RecoveryStore::Adopt(const RecoveryOffer& offer) {
    const auto held = offeredLocks_.find(offer.Slot);
    if (held == offeredLocks_.end()) return;
    Unlock(ownLock_);
    if (!ownSlot_.empty()) RemovePair(RecoveryManifest{}, ownSlot_);
    ownLock_ = held->second;
    offeredLocks_.erase(held);
    ownSlot_ = offer.Slot;
    nextGeneration_ = offer.Manifest.MapFile == ownSlot_ + "-a.map" ? 'b' : 'a';
    // Asked about once: should this session die before it saves anything new, the pair stays
    // but is not offered again.
    RecoveryManifest manifest = offer.Manifest;
    manifest.Offered = true;
    try {
        WriteText(PathOf(ownSlot_ + ".json"), RecoveryManifestText(manifest));
    } catch (const IoError&) {
        // Unmarked, it is only offered again.
    }
}

void RecoveryStore::Discard(const RecoveryOffer& offer) {
    const auto held = offeredLocks_.find(offer.Slot);
    if (held == offeredLocks_.end()) return;
    RemovePair(offer.Manifest, offer.Slot);
    Unlock(held->second);
    offeredLocks_.erase(held);
}

void RecoveryStore::MarkOffered(const RecoveryOffer& offer) {
    const auto held = offeredLocks_.find(offer.Slot);
    if (held == offeredLocks_.end()) return;
    RecoveryManifest manifest = offer.Manifest;
    manifest.Offered = true;
    try {
        WriteText(PathOf(offer.Slot + ".json"), RecoveryManifestText(manifest));
    } catch (const IoError&) {
        // Not marked: the question comes again, which loses nothing.
    }
    Release(offer);
}

void RecoveryStore::Release(const RecoveryOffer& offer) {
    const auto held = offeredLocks_.find(offer.Slot);
    if (held == offeredLocks_.end()) return;
    Unlock(held->second);
    offeredLocks_.erase(held);
}

void RecoveryStore::ReleaseOffers() {
    for (const auto& [slot, fd] : offeredLocks_)
        Unlock(fd);
    offeredLocks_.clear();
}

void RecoveryStore::ClaimSlot() {
    std::error_code error;
    fs::create_directories(directory_, error);
    // Recovery files hold the designer's work: nobody else needs to read them.
    fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::replace, error);
    for (int n = 1; n <= kMaxSlots; ++n) {
        const std::string slot = kSlotPrefix + std::to_string(n);
        const int lock = LockSlot(slot);
        if (lock < 0) continue;
        // A manifest without a running session is a pair still to be offered, or one kept.
        if (fs::exists(PathOf(slot + ".json"), error)) {
            Unlock(lock);
            continue;
        }
        ownSlot_ = slot;
        ownLock_ = lock;
        nextGeneration_ = 'a';
        return;
    }
    throw IoError("v \"" + directory_ + "\" nelze založit soubory pro obnovu");
}

void RecoveryStore::Save(const tMapa& map, const tKalistor& store, TPoint viewCentre,
                         const std::string& mapName, int64_t savedAt) {
    if (!problem_.empty()) throw IoError(problem_);
    if (directory_.empty()) throw IoError("není kam ukládat soubory pro obnovu");
    if (ownSlot_.empty()) ClaimSlot();

    const std::string generation = ownSlot_ + "-" + nextGeneration_;
    RecoveryManifest manifest;
    manifest.MapName = mapName;
    manifest.SavedAt = savedAt;
    manifest.Pid = ::getpid();
    manifest.MapFile = generation + ".map";
    manifest.SavFile = generation + ".sav";
    const std::optional<RecoveryManifest> previous = ReadManifestFile(PathOf(ownSlot_ + ".json"));

    // The file of a copy: its recalculations and trimming must not touch the designer's store.
    if (!scratch_) scratch_ = std::make_unique<tKalistor>();
    tKalistor& copy = *scratch_;
    copy.Players = store.Players;
    copy.PlayerCount = store.PlayerCount;
    copy.Settlements = store.Settlements;
    copy.SettlementCount = store.SettlementCount;
    copy.Buildings = store.Buildings;
    copy.BuildingCount = store.BuildingCount;
    copy.Units = store.Units;
    copy.UnitCount = store.UnitCount;
    const std::vector<uint8_t> sav = copy.SaveToBytes();

    map.SaveToFileAtCentre(PathOf(manifest.MapFile), viewCentre, nullptr);
    WriteFileAtomically(PathOf(manifest.SavFile), sav);
    WriteText(PathOf(ownSlot_ + ".json"), RecoveryManifestText(manifest));
    nextGeneration_ = nextGeneration_ == 'a' ? 'b' : 'a';
    // The generation before is no longer needed.
    if (previous && previous->MapFile != manifest.MapFile) {
        ::unlink(PathOf(previous->MapFile).c_str());
        ::unlink(PathOf(previous->SavFile).c_str());
    }
}

void RecoveryStore::RemoveOwn() {
    if (ownSlot_.empty()) return;
    RemovePair(ReadManifestFile(PathOf(ownSlot_ + ".json")).value_or(RecoveryManifest{}), ownSlot_);
}

void RecoveryStore::RemovePair(const RecoveryManifest& manifest, const std::string& slot) {
    // The manifest first: a pair without it is never offered.
    ::unlink(PathOf(slot + ".json").c_str());
    if (!manifest.MapFile.empty()) ::unlink(PathOf(manifest.MapFile).c_str());
    if (!manifest.SavFile.empty()) ::unlink(PathOf(manifest.SavFile).c_str());
    for (const char generation : {'a', 'b'}) {
        ::unlink(PathOf(slot + "-" + generation + ".map").c_str());
        ::unlink(PathOf(slot + "-" + generation + ".sav").c_str());
    }
}

}  // namespace tess
