// What the game-data editors' forms share: filling lists and boxes from their rules, placing the
// window, reporting a field that Ok refused.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "game/DialogFields.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QListWidget;
class QWidget;

namespace tess {

inline QString ToQt(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The combo's items and chosen item (none: an empty box).
void FillCombo(QComboBox* box, const ChoiceList& list);
// The combo's chosen item into the list's choice.
void ReadCombo(const QComboBox* box, ChoiceList& list);

Qt::CheckState CheckStateOf(BoxState state);

// The three set-all legends (empty, greyed, ticked) of the relation and permission editors, in
// a row: each keeps its own look, and a click on it sets every item to that look.
QHBoxLayout* SetAllLegends(const std::array<QCheckBox*, 3>& boxes,
                           const std::function<void(BoxState)>& setAll);

// Puts the window in the middle of its screen.
void CentreOnScreen(QWidget* window);

// Ok refused a control: the message box says why, and the control named gets the focus.
void ShowFieldError(const FieldError& error, const std::map<std::string, QWidget*>& controls);

}  // namespace tess
