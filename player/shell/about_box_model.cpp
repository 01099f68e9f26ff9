#include "player/shell/about_box_model.h"

#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {}  // namespace

AboutTexts LoadAboutTexts(const AppState& app) {
  AboutTexts texts;
  texts.caption = LangText(app, kLangAboutCaption);
  texts.title = app.AppTitle + app.VersionText;
  texts.description =
      LangText(app, kLangAboutSummary) + "  " + LangText(app, kLangAboutDescription);
  texts.links_label = LangText(app, kLangAboutLinksLabel);
  texts.links = {LangText(app, kLangAboutFirstLink), LangText(app, kLangAboutSecondLink)};
  texts.disclaimer = LangText(app, kLangAboutDisclaimer);
  texts.help_hint = LangText(app, kLangAboutHelpHint);
  texts.ok = LangText(app, kLangOk);
  return texts;
}

AssociationBox AboutBoxModel::Box(bool checked) const {
  AssociationBox box;
  box.checked = checked;
  box.caption = LangText(app_, checked ? kLangAssociationOn : kLangAssociationOff);
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
  box.error_text = LangText(app_, kLangAssociationFailText);
  box.error_title = LangText(app_, kLangAssociationFailTitle);
  return box;
}

}  // namespace kirivane
