// The editor's user-interface host: real Abort/Retry and message boxes, the caption, the beep.
#include "editor/forms/QtUiHost.h"

#include <QApplication>
#include <QMessageBox>

namespace tess {

ErrorChoice QtUiHost::ErrorBox(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, kBoxTitle, QString::fromStdString(text),
                    QMessageBox::Abort | QMessageBox::Retry, window_);
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Retry);
    return box.exec() == QMessageBox::Abort ? ErrorChoice::Abort : ErrorChoice::Retry;
}

Answer QtUiHost::MessageBox(const std::string& text, Buttons buttons) {
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    QMessageBox::Icon icon = QMessageBox::Information;
    if (buttons == Buttons::YesNo) {
        standard = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        icon = QMessageBox::Question;
    } else if (buttons == Buttons::YesNoCancel) {
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        icon = QMessageBox::Question;
    }
    QMessageBox box(icon, kBoxTitle, QString::fromStdString(text), standard, window_);
    box.setEscapeButton(escape);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

void QtUiHost::SetCaption(const std::string& text) {
    if (!window_) return;
    const QString caption = QString::fromStdString(text);
    if (window_->windowTitle() != caption) window_->setWindowTitle(caption);
}

void QtUiHost::Beep() {
    QApplication::beep();
}

}  // namespace tess
