// The editing engine's rooms as the editor session owns and wires them (the session's own
// header keeps them out of sight).
#pragma once

#include "editor/Brushes.h"
#include "editor/EditContext.h"
#include "editor/EditorSession.h"
#include "editor/MapWideCommands.h"
#include "editor/MouseTools.h"
#include "editor/Placement.h"
#include "editor/ToolBox.h"
#include "editor/UndoAndClipboard.h"
#include "editor/UndoHistory.h"
#include "game/Clipboard.h"

namespace tess {

class EditorSession::Engine final : public ToolHost, public EditHost {
  public:
    explicit Engine(EditorSession& session)
        : session_(session),
          tools(*this),
          history(*session.map_, *session.store_, session.clipboard_->Undo),
          context{*session.map_,
                  *session.store_,
                  *session.clipboard_,
                  tools,
                  session.random_,
                  session.Options,
                  session.TreeTypes,
                  session.SelectedTypes,
                  session.CursorCell,
                  session.Modified,
                  preview,
                  ports,
                  history,
                  session.port_,
                  *this},
          placement(context),
          brushes(context, placement),
          clipboard(context),
          commands(context, brushes, placement, clipboard),
          mouse(context, brushes, placement, clipboard, commands) {
        clipboard.SetGameDirectory(session.gameDirectory_);
    }

    // ToolHost and EditHost
    const tObjects& Objects() const override { return session_.Objects(); }
    void SetCursorExtent(int32_t width, int32_t height) override;
    void SetLayers(uint8_t mask) override;
    void EndClipboardModes() override { clipboard.EndModes(); }
    void MeView() override { session_.MeView(); }
    ViewPosition& View() override { return session_.View(); }
    std::optional<TPoint> CellAt(int32_t x, int32_t y) override;
    MiniMapPort* MiniMap() override { return session_.miniMap_; }
    void PrepocitejHrace() override { session_.PrepocitejHrace(); }
    void ReloadTerrainPictures() override;
    void BlankFrame() override;
    void RestoreCurrentDirectory() override { session_.RestoreCurrentDirectory(); }

  private:
    EditorSession& session_;

  public:
    ToolBox tools;
    PreviewGrid preview;
    EnginePorts ports;
    UndoHistory history;
    EditContext context;
    Placement placement;
    Brushes brushes;
    UndoAndClipboard clipboard;
    MapWideCommands commands;
    MouseTools mouse;
};

}  // namespace tess
