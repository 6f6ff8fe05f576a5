// The recovery directory: the autosaved pairs of running and of crashed editor sessions, each in a
// slot of its own that a running session holds locked, and the pairs a new session may offer.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/RecoveryManifest.h"
#include "resources/Utils.h"

namespace tess {

class tMapa;
class tKalistor;

// A pair left by a session that did not end cleanly.
struct RecoveryOffer {
    std::string Slot;     // "session-3"
    std::string MapPath;  // the pair's files, full paths
    std::string SavPath;
    RecoveryManifest Manifest;
};

// Every file lives in the directory the window names (the per-user data location, never the game
// directory). A slot "session-N" has its lock "session-N.lock", which the session using it holds
// for its whole run (the system lets go of it when the process dies, however it dies), its
// manifest "session-N.json", and two generations of the pair, "session-N-a.map/.sav" and
// "session-N-b.map/.sav": a save writes the generation the manifest does not name, then the
// manifest, so a save cut short leaves the last complete pair named.
class RecoveryStore {
  public:
    // `gameDirectory`: where no recovery file may ever go.
    explicit RecoveryStore(std::string gameDirectory);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // The directory; "" turns recovery off. A directory in the game directory is refused:
    // Problem() says why and nothing is written or offered.
    void SetDirectory(const std::string& directory);
    const std::string& Directory() const { return directory_; }
    const std::string& Problem() const { return problem_; }
    bool Usable() const { return !directory_.empty() && problem_.empty(); }

    // The pairs of sessions that are no longer running and whose designer was not asked yet,
    // newest first. Their slots stay locked until Adopt, Discard, MarkOffered or Release.
    std::vector<RecoveryOffer> Orphans();
    // "Obnovit": the slot becomes this session's; its pair stays until this session saves over
    // it or ends cleanly, marked as asked about.
    void Adopt(const RecoveryOffer& offer);
    // "Zahodit": the pair and its manifest are deleted.
    void Discard(const RecoveryOffer& offer);
    // Asked and left: the pair stays, marked so that it is not offered again.
    void MarkOffered(const RecoveryOffer& offer);
    void Release(const RecoveryOffer& offer);
    // Lets go of every offer not decided (they are offered again next time).
    void ReleaseOffers();

    // Saves the pair into this session's slot (taken on first use), without the map check and
    // without changing the store (its file is made from a copy). Raises IoError; a failed save
    // leaves the last complete pair as it was.
    void Save(const tMapa& map, const tKalistor& store, TPoint viewCentre,
              const std::string& mapName, int64_t savedAt);
    // Removes this session's pair (a clean exit, a save of the map itself).
    void RemoveOwn();
    // This session's slot ("" before its first save).
    const std::string& OwnSlot() const { return ownSlot_; }

  private:
    std::string PathOf(const std::string& name) const;
    // Locks a slot's lock file; -1 when another process holds it or it cannot be opened.
    int LockSlot(const std::string& slot) const;
    void ClaimSlot();
    void RemovePair(const RecoveryManifest& manifest, const std::string& slot);

    std::string gameDirectory_;
    std::string directory_;
    std::string problem_;
    std::string ownSlot_;
    int ownLock_ = -1;
    char nextGeneration_ = 'a';
    std::map<std::string, int> offeredLocks_;  // slot -> lock of the orphans offered now
    std::unique_ptr<tKalistor> scratch_;       // the store's copy that its file is made from
};

}  // namespace tess
