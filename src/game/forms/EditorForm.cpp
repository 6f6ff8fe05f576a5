// What the game-data editors' forms share: filling lists and boxes from their rules, placing the
// window, reporting a field that Ok refused.
#include "game/forms/EditorForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
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

QHBoxLayout* SetAllLegends(const std::array<QCheckBox*, 3>& boxes,
                           const std::function<void(BoxState)>& setAll) {
    static constexpr BoxState kLooks[] = {BoxState::Empty, BoxState::Greyed, BoxState::Ticked};
    auto* legends = new QHBoxLayout;
    for (size_t i = 0; i < boxes.size(); ++i) {
        QCheckBox* box = boxes[i];
        const BoxState look = kLooks[i];
        box->setObjectName(QString("CheckBox%1").arg(i + 1));
        box->setTristate(true);
        box->setCheckState(CheckStateOf(look));
        legends->addWidget(box);
        QObject::connect(box, &QCheckBox::clicked, box, [box, look, setAll] {
            box->setCheckState(CheckStateOf(look));
            setAll(look);
        });
    }
    return legends;
}

}  // namespace tess
