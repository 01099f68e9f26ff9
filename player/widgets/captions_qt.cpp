#include "player/widgets/captions_qt.h"

#include <QLabel>

#include "common/basic/text_rules.h"
#include "player/state/language_table.h"

namespace kirivane {

QString LangQ(const AppState& app, int entry) {
  return QString::fromStdString(LangText(app, entry));
}

int LangSize(const AppState& app, int entry) {
  return static_cast<int>(LeadingInteger(LangText(app, entry)));
}

void SetControlFont(QWidget* control, int size, const std::string& name) {
  QFont font = control->font();
  if (size > 0) font.setPointSize(size);
  if (!name.empty()) font.setFamily(QString::fromStdString(name));
  control->setFont(font);
}

QLabel* MakeFormLabel(QWidget* form, const char* name) {
  auto* label = new QLabel(form);
  label->setObjectName(name);
  return label;
}

}  // namespace kirivane
