#include "player/shell/about_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

QLabel* Text(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

QString Q(const std::string& text) {
  return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace

AboutDialog::AboutDialog(const AppState& app, FileAssociation* association, QWidget* parent)
    : QDialog(parent), app_(app) {
  setObjectName("frmAbout");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);
  setMinimumWidth(380);
  if (association != nullptr) model_ = std::make_unique<AboutBoxModel>(app, *association);
  auto* rows = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  auto* picture = new QLabel(this);
  picture->setObjectName("Image1");
  picture->setPixmap(NoteIconPicture(QSize(48, 48)));
  head->addWidget(picture, 0, Qt::AlignTop);
  lblTitle = Text("lblTitle", this);
  head->addWidget(lblTitle, 1);
  rows->addLayout(head);
  lblDescription = Text("lblDescription", this);
  rows->addWidget(lblDescription);
  Label2 = Text("Label2", this);
  rows->addWidget(Label2);
  for (int i = 0; i < 2; ++i) {
    QLabel* link = Text(i == 0 ? "Label1_0" : "Label1_1", this);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);  // opened by the desktop's browser
    Label1[static_cast<std::size_t>(i)] = link;
    rows->addWidget(link);
  }
  Check1 = new QCheckBox(this);
  Check1->setObjectName("Check1");
  rows->addWidget(Check1);
  lblDisclaimer = Text("lblDisclaimer", this);
  rows->addWidget(lblDisclaimer);
  Label3 = Text("Label3", this);
  rows->addWidget(Label3);
  cmdOK = new QPushButton(this);
  cmdOK->setObjectName("cmdOK");
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  rows->addWidget(cmdOK, 0, Qt::AlignRight);
  SetFontsAndCaptions();
  // The box shows the registration as it is; only a click afterwards changes it.
  Check1->setEnabled(false);
  if (model_) {
    ShowBox(model_->Initial());
    Check1->setEnabled(true);
  } else {
    Check1->hide();
  }
  connect(Check1, &QCheckBox::clicked, this, &AboutDialog::Check1_Click);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::SetFontsAndCaptions() {
  const AboutTexts texts = LoadAboutTexts(app_);
  const std::string control_font = LangText(app_, kLangControlFont);
  SetControlFont(this, LangSize(app_, kLangFormFontSize), LangText(app_, kLangFormFont));
  SetControlFont(Check1, LangSize(app_, kLangFormFontSize), control_font);
  SetControlFont(cmdOK, LangSize(app_, kLangLabelFontSize), control_font);
  SetControlFont(lblTitle, LangSize(app_, kLangLabelFontSize), control_font);
  QFont title = lblTitle->font();
  title.setBold(true);
  lblTitle->setFont(title);
  for (QLabel* label : {Label1[0], Label1[1], Label2, Label3, lblDescription, lblDisclaimer}) {
    SetControlFont(label, LangSize(app_, kLangListFontSize), control_font);
  }
  setWindowTitle(Q(texts.caption));
  lblTitle->setText(Q(texts.title));
  lblDescription->setText(Q(texts.description));
  Label2->setText(Q(texts.links_label));
  for (std::size_t i = 0; i < 2; ++i) {
    const QString address = Q(texts.links[i]).toHtmlEscaped();
    Label1[i]->setText(QString("<a href=\"%1\">%1</a>").arg(address));
  }
  lblDisclaimer->setText(Q(texts.disclaimer));
  Label3->setText(Q(texts.help_hint));
  cmdOK->setText(Q(texts.ok));
}

void AboutDialog::ShowBox(const AssociationBox& box) {
  Check1->setChecked(box.checked);
  Check1->setText(Q(box.caption));
}

void AboutDialog::Check1_Click(bool checked) {
  if (!model_ || !Check1->isEnabled()) return;
  Check1->setEnabled(false);
  const AssociationBox box = model_->Changed(checked);
  ShowBox(box);
  if (box.error_text) QMessageBox::information(this, Q(box.error_title), Q(*box.error_text));
  Check1->setEnabled(box.enabled);
}

}  // namespace kirivane
