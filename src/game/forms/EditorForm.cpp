// What the game-data editors' forms share: filling lists and boxes from their rules, placing the
// window, reporting a field that Ok refused.
#include "game/forms/EditorForm.h"

#include <QComboBox>
#include <QScreen>
#include <QWidget>

#include "resources/UiHost.h"

namespace tess {

void FillCombo(QComboBox* box, const ChoiceList& list) {
    box->clear();
    for (const std::string& item : list.Items)
        box->addItem(ToQt(item));
    box->setCurrentIndex(list.HasSelection() ? list.Selected : -1);
}

void ReadCombo(const QComboBox* box, ChoiceList& list) {
    list.Selected = box->currentIndex();
}

Qt::CheckState CheckStateOf(BoxState state) {
    switch (state) {
        case BoxState::Ticked:
            return Qt::Checked;
        case BoxState::Greyed:
            return Qt::PartiallyChecked;
        case BoxState::Empty:
            break;
    }
    return Qt::Unchecked;
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void ShowFieldError(const FieldError& error, const std::map<std::string, QWidget*>& controls) {
    Ui().MessageBox(error.Message, Buttons::Ok);
    if (const auto control = controls.find(error.Field); control != controls.end())
        control->second->setFocus();
}

}  // namespace tess
