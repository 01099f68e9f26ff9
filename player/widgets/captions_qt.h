#pragma once

#include <QString>
#include <string>

#include "player/state/app_state.h"

class QLabel;
class QWidget;

namespace kirivane {

// Entry n of the language table for a widget (LangText as a QString).
QString LangQ(const AppState& app, int entry);
// The font size a language entry gives: its leading number.
int LangSize(const AppState& app, int entry);
// Applies a language font: a size of 0 or less and an empty name leave the font as it is.
void SetControlFont(QWidget* control, int size, const std::string& name);
// A caption label of the form: its mouse presses go on to the form (drag, popup menu).
QLabel* MakeFormLabel(QWidget* form, const char* name);

}  // namespace kirivane
