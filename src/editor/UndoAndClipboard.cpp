// "Zpět" and the map clipboard's commands: the copy and paste modes, their previews, and the
// clip files.
#include "editor/UndoAndClipboard.h"

#include "map/Clipboard.h"
#include "map/MapDat.h"

namespace tess {

void UndoAndClipboard::EndModes() {
    tClipBoard& clip = ctx_.Clipboard;
    // A preview is no paste: the map goes back to what it was before the mode began.
    if (clip.State == kClipPasting) ctx_.Preview.RestoreInto(ctx_.Map);
    clip.State = kClipIdle;
    previewAt_.reset();
}

}  // namespace tess
