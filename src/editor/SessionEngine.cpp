// The editing engine's rooms as the editor session owns and wires them, and the hooks through
// which they reach the session.
#include "editor/SessionEngine.h"

#include "view/ViewDat.h"

namespace tess {

ToolBox& EditorSession::Tools() {
    return engine_->tools;
}
Placement& EditorSession::Placing() {
    return engine_->placement;
}
Brushes& EditorSession::BrushOps() {
    return engine_->brushes;
}
MouseTools& EditorSession::Mouse() {
    return engine_->mouse;
}
UndoAndClipboard& EditorSession::ClipCommands() {
    return engine_->clipboard;
}
MapWideCommands& EditorSession::MapCommands() {
    return engine_->commands;
}
UndoHistory& EditorSession::History() {
    return engine_->history;
}
EnginePorts& EditorSession::Ports() {
    return engine_->ports;
}
SoundEditorPort* EditorSession::SoundEditors() const {
    return engine_->ports.Sounds;
}

void EditorSession::Engine::SetCursorExtent(int32_t width, int32_t height) {
    if (!session_.mapView_) return;
    session_.mapView_->CursorWidth = width;
    session_.mapView_->CursorHeight = height;
}

void EditorSession::Engine::SetLayers(uint8_t mask) {
    if (session_.mapView_) session_.mapView_->Layers = mask;
    session_.MeView();
}

std::optional<TPoint> EditorSession::Engine::CellAt(int32_t x, int32_t y) {
    if (!session_.view_) return std::nullopt;
    return session_.view_->CellAt(x, y);
}

void EditorSession::Engine::BlankFrame() {
    session_.surface_.Fill(0);
    session_.port_.ShowSurface(session_.ObjectMenus());
}

void EditorSession::Engine::ReloadTerrainPictures() {
    tView* view = session_.mapView_.get();
    if (view && view->Zoom)
        view->Zoom->Terens.LoadPictures(std::string(kZoomDirectory) + "TERENY-/");
    tools.TerrainListChanged();
}

}  // namespace tess
