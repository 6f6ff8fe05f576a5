// The editing engine's dialogs as real windows: "Těžba", "secret value", the input boxes and the
// clip file dialogs.
#include "editor/forms/EngineDialogs.h"

#include <QInputDialog>
#include <QLineEdit>

#include "editor/forms/FileDialogs.h"
#include "editor/forms/SecretValue.h"
#include "editor/forms/Tezba.h"

namespace tess {

std::optional<AmountReply> EngineDialogs::AskAmount(const AmountRequest& request) {
    TTezba dialog(request, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Reply();
}

std::optional<CellParamTexts> EngineDialogs::EditCellParams(const CellParamTexts& shown) {
    TSecretValue dialog(shown, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Texts();
}

std::optional<std::string> EngineDialogs::InputBox(const std::string& title,
                                                   const std::string& prompt,
                                                   const std::string& text) {
    QInputDialog dialog(parent_);
    dialog.setObjectName("InputBox");
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(text));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> EngineDialogs::ChooseClipToSave(const FileDialogSetup& setup) {
    return ChooseFile(parent_, "Uložit obsah schránky", "SaveDialog2", setup, true);
}

std::optional<std::string> EngineDialogs::ChooseClipToOpen(const FileDialogSetup& setup) {
    return ChooseFile(parent_, "Načíst obsah schránky", "OpenDialog2", setup, false);
}

}  // namespace tess
