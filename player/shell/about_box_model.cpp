#include "player/shell/about_box_model.h"

#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kNotRegisteredEntry = 192;
constexpr int kRegisteredEntry = 193;
constexpr int kFailureTitleEntry = 327;
constexpr int kFailureTextEntry = 328;

}  // namespace

AboutTexts LoadAboutTexts(const AppState& app) {
  AboutTexts texts;
  texts.caption = LangText(app, 190);
  texts.title = app.AppTitle + app.VersionText;
  texts.description = LangText(app, 2) + "  " + LangText(app, 3);
  texts.links_label = LangText(app, 191);
  texts.links = {LangText(app, 4), LangText(app, 5)};
  texts.disclaimer = LangText(app, 194);
  texts.help_hint = LangText(app, 195);
  texts.ok = LangText(app, 6);
  return texts;
}

AssociationBox AboutBoxModel::Box(bool checked) const {
  AssociationBox box;
  box.checked = checked;
  box.caption = LangText(app_, checked ? kRegisteredEntry : kNotRegisteredEntry);
  return box;
}

AssociationBox AboutBoxModel::Initial() {
  return Box(association_.IsAssociated());
}

AssociationBox AboutBoxModel::Changed(bool checked) {
  const bool written =
      checked ? association_.CreateAssociation() : association_.RemoveAssociation();
  if (written && association_.IsAssociated() == checked) return Box(checked);
  AssociationBox box = Box(!checked);
  box.error_text = LangText(app_, kFailureTextEntry);
  box.error_title = LangText(app_, kFailureTitleEntry);
  return box;
}

}  // namespace kirivane
