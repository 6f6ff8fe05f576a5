// Open and save dialogs as the editor's commands describe them (FileDialogSetup).
#include "editor/forms/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace tess {

namespace {

// "description|pattern|description|pattern" becomes Qt's "description (pattern);;...".
QString QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + parts[i + 1] + ")";
    return filters.join(";;");
}

}  // namespace

std::optional<std::string> ChooseFile(QWidget* parent, const char* title, const char* objectName,
                                      const FileDialogSetup& setup, bool save) {
    QFileDialog dialog(parent, title);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QtFilter(setup.Filter));
    if (!setup.Directory.empty()) dialog.setDirectory(QString::fromStdString(setup.Directory));
    if (!setup.FileName.empty()) dialog.selectFile(QString::fromStdString(setup.FileName));
    if (!setup.DefaultExt.empty())
        dialog.setDefaultSuffix(QString::fromStdString(setup.DefaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace tess
