// The sound assignment dialogs as the map view's clicks and the object palette open them.
#pragma once

#include <cstdint>

namespace tess {

// Implemented by the forms; null where a program has no sound dialogs (the command-line tool).
class SoundEditorPort {
  public:
    virtual ~SoundEditorPort() = default;
    // Modal; true when the dialog was closed with its OK button, the only way it stores.
    virtual bool EditObjectSounds(int32_t objectType) = 0;
    // Not blocking: an open dialog of the same kind is saved as by its OK button and replaced.
    virtual void EditBuildingSounds(int32_t buildingId) = 0;
    virtual void EditPersonSounds(int32_t personId) = 0;
    virtual void EditEffectSounds(int32_t effectId) = 0;
};

}  // namespace tess
