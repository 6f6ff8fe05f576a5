// Widgets the sound dialogs share: a surface shown as it is, a sound field that opens the file
// dialog on a double click, and that file dialog.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <optional>
#include <string>

#include "game/SoundTables.h"
#include "resources/Surface.h"

namespace tess {

// Shows a surface at its top-left corner (the display areas of the sound dialogs). The surface
// belongs to the dialog's rules and must outlive the widget.
class SurfaceArea final : public QWidget {
  public:
    SurfaceArea(const tSurface& surface, int width, int height, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const tSurface& surface_;
};

// The sound field: a double click chooses a sound file.
class SoundEdit final : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The open-file dialog of the sound fields (".wav" files, starting in the game's "sound"
// directory). The name the tables store for the chosen file, or nothing when the dialog was
// cancelled; a file outside the "sound" directory is refused with a message, and nothing.
std::optional<std::string> ChooseSoundName(QWidget* parent);

// Double clicks on the field choose a sound (ChooseSoundName) and put its name into the field
// and into `name` (the rules' copy of the field).
void ConnectSoundChoice(SoundEdit* field, std::string& name);

// Tells the user why a save failed ("<what> se nepodařilo uložit: ..."); true when it succeeded.
bool ReportSave(const SaveResult& result, const std::string& what);

// The 16-bit pixel of a widget colour.
uint16_t Rgb565Of(const QColor& colour);

}  // namespace tess
