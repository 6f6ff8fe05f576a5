// Widgets the sound dialogs share: a surface shown as it is, a sound field that opens the file
// dialog on a double click, and that file dialog.
#include "game/forms/SoundWidgets.h"

#include <QColor>
#include <QFileDialog>
#include <QPainter>
#include <filesystem>

#include "editor/forms/SurfacePainter.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

SurfaceArea::SurfaceArea(const tSurface& surface, int width, int height, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setFixedSize(width, height);
}

void SurfaceArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintSurface(painter, surface_, rect());
}

void SoundEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

std::optional<std::string> ChooseSoundName(QWidget* parent) {
    // Every data path is relative to the game directory, which is the current one.
    const std::string gameDirectory = std::filesystem::current_path().string();
    QFileDialog dialog(parent, "Zvuk");
    dialog.setObjectName("OpenDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter("wav (*.wav *.WAV)");
    dialog.setDefaultSuffix("wav");
    dialog.setDirectory(QString::fromStdString(ResolveDiskPath("sound")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const std::string chosen = dialog.selectedFiles().first().toStdString();
    std::optional<std::string> name = SoundNameFromPath(chosen, gameDirectory);
    if (!name) Ui().MessageBox(kSoundOutsideText, Buttons::Ok);
    return name;
}

void ConnectSoundChoice(SoundEdit* field, std::string& name) {
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [&name](const QString& text) { name = text.toStdString(); });
    QObject::connect(field, &SoundEdit::doubleClicked, field, [field, &name] {
        if (const std::optional<std::string> chosen = ChooseSoundName(field->window())) {
            name = *chosen;
            field->setText(QString::fromStdString(*chosen));
        }
    });
}

bool ReportSave(const SaveResult& result, const std::string& what) {
    if (result.Saved()) return true;
    Ui().MessageBox(what + " se nepodařilo uložit: " + result.Error, Buttons::Ok);
    return false;
}

uint16_t Rgb565Of(const QColor& colour) {
    return Rgb565(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                  static_cast<uint8_t>(colour.blue()));
}

}  // namespace tess
