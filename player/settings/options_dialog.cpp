// The options dialog's controls, their places and captions.
#include "player/settings/options_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "player/midi/midi_in_panel.h"
#include "player/performance/transport.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

QString IndexedName(const char* name, int index) {
  return index < 0 ? QString(name) : QString("%1_%2").arg(name).arg(index);
}

QGroupBox* Frame(const char* name, QWidget* parent) {
  auto* frame = new QGroupBox(parent);
  frame->setObjectName(name);
  return frame;
}

QLineEdit* TextField(const QString& name, QWidget* parent, int width = 0) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  if (width > 0) field->setFixedWidth(width);
  return field;
}

QComboBox* ChannelList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (int channel = 1; channel <= 16; ++channel) list->addItem(QString::number(channel));
  return list;
}

}  // namespace

OptionsDialog::OptionsDialog(Player& player, SettingsSaver* settings, ChordPicker pick_chord,
                             QWidget* form)
    : QDialog(form),
      player_(player),
      settings_(settings),
      pick_chord_(std::move(pick_chord)),
      form_(form) {
  setObjectName("frmOption");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(CreatePerformanceFrame());
  left->addWidget(CreateChordFrame());
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(CreateChannelFrame());
  right->addWidget(CreateNumberFrames());
  right->addWidget(CreateImportFrame());
  right->addStretch(1);
  columns->addLayout(left);
  columns->addLayout(right);
  auto* rows = new QVBoxLayout(this);
  rows->addLayout(columns);
  rows->addWidget(CreateFolderFrame());
  rows->addWidget(CreateButtons());
  SetFontsAndCaptions();
  FillPortList();
  const OptionsFields fields = LoadOptionsFields(player_.state);
  ShowFields(fields);
  if (fields.ChkNoKBPaintVisible) player_.devices.sounds.Play(kSoundError);  // as if revealed
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

OptionsDialog::~OptionsDialog() = default;

QLabel* OptionsDialog::Caption(const char* name, int index, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(IndexedName(name, index));
  return label;
}

QLineEdit* OptionsDialog::MakeNumberField(const char* name, QWidget* parent) {
  QLineEdit* field = TextField(name, parent, 56);
  connect(field, &QLineEdit::textEdited, this, [this, field] { NumberChanged(field); });
  return field;
}

QWidget* OptionsDialog::CreatePerformanceFrame() {
  QGroupBox* frame = Frame("Frame5", this);
  auto* grid = new QGridLayout(frame);
  Text1 = TextField("Text1", frame);
  Text2 = TextField("Text2", frame);
  grid->addWidget(Caption("Label2", -1, frame), 0, 0);
  grid->addWidget(Text1, 0, 1);
  grid->addWidget(Caption("Label3", -1, frame), 1, 0);
  grid->addWidget(Text2, 1, 1);
  return frame;
}

QWidget* OptionsDialog::CreateChordFrame() {
  QGroupBox* frame = Frame("Frame3", this);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(Caption("LblCS", -1, frame), 0, 1);
  grid->addWidget(Caption("Label1", -1, frame), 0, 2);
  for (int i = 0; i < kUserChordSlots; ++i) {
    LblChords[At(i)] = Caption("LblChords", i, frame);
    TxtCSource[At(i)] = TextField(IndexedName("TxtCSource", i), frame, 120);
    TxtCTitle[At(i)] = TextField(IndexedName("TxtCTitle", i), frame, 130);
    CmdSetChord[At(i)] = new QPushButton("...", frame);
    CmdSetChord[At(i)]->setObjectName(IndexedName("CmdSetChord", i));
    CmdSetChord[At(i)]->setFixedWidth(32);
    connect(CmdSetChord[At(i)], &QPushButton::clicked, this, [this, i] { pick_chord_(i, *this); });
    grid->addWidget(LblChords[At(i)], i + 1, 0);
    grid->addWidget(TxtCSource[At(i)], i + 1, 1);
    grid->addWidget(TxtCTitle[At(i)], i + 1, 2);
    grid->addWidget(CmdSetChord[At(i)], i + 1, 3);
  }
  QLabel* comment = Caption("LblOptComment", 2, frame);
  comment->setWordWrap(true);
  grid->addWidget(comment, kUserChordSlots + 1, 0, 1, 4);
  return frame;
}

QWidget* OptionsDialog::CreateChannelFrame() {
  QGroupBox* frame = Frame("Frame1", this);
  auto* grid = new QGridLayout(frame);
  CmbMidiCh = ChannelList("CmbMidiCh", frame);
  CmbPlayCh = ChannelList("CmbPlayCh", frame);
  connect(CmbMidiCh, &QComboBox::activated, this,
          [this](int index) { ChannelChosen(CmbMidiCh, index); });
  connect(CmbPlayCh, &QComboBox::activated, this,
          [this](int index) { ChannelChosen(CmbPlayCh, index); });
  grid->addWidget(Caption("LblOption", 0, frame), 0, 0);
  grid->addWidget(CmbMidiCh, 0, 1);
  grid->addWidget(Caption("LblOptComment", 3, frame), 0, 2);
  grid->addWidget(Caption("LblOption", 1, frame), 1, 0);
  grid->addWidget(CmbPlayCh, 1, 1);
  grid->addWidget(Caption("LblOptComment", 4, frame), 1, 2);
  grid->addWidget(Caption("LblOptComment", 0, frame), 2, 0, 1, 3);
  CmbMidiIn = new QComboBox(frame);
  CmbMidiIn->setObjectName("CmbMidiIn");
  CmbMidiIn->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  grid->addWidget(Caption("LblMidiIn", -1, frame), 3, 0);
  grid->addWidget(CmbMidiIn, 3, 1, 1, 2);
  return frame;
}

QWidget* OptionsDialog::CreateNumberFrames() {
  auto* box = new QWidget(this);
  auto* rows = new QVBoxLayout(box);
  rows->setContentsMargins(0, 0, 0, 0);
  QGroupBox* velocity = Frame("Frame2", box);
  auto* grid = new QGridLayout(velocity);
  txtDefVol = MakeNumberField("txtDefVol", velocity);
  txtMouseVel = MakeNumberField("txtMouseVel", velocity);
  grid->addWidget(Caption("LblOption", 2, velocity), 0, 0);
  grid->addWidget(txtDefVol, 0, 1);
  grid->addWidget(Caption("LblOptComment", 5, velocity), 0, 2);
  grid->addWidget(Caption("LblOptComment", 1, velocity), 1, 0, 1, 3);
  grid->addWidget(Caption("LblOption", 3, velocity), 2, 0);
  grid->addWidget(txtMouseVel, 2, 1);
  grid->addWidget(Caption("LblOptComment", 8, velocity), 2, 2);
  grid->addWidget(Caption("LblOptComment", 6, velocity), 3, 0, 1, 3);
  rows->addWidget(velocity);

  QGroupBox* controls = Frame("Frame4", box);
  auto* grid4 = new QGridLayout(controls);
  txtWheelBand = MakeNumberField("txtWheelBand", controls);
  ChkEffect = new QCheckBox(controls);
  ChkEffect->setObjectName("ChkEffect");
  ChkNoKBPaint = new QCheckBox(controls);
  ChkNoKBPaint->setObjectName("ChkNoKBPaint");
  grid4->addWidget(Caption("LblOption", 4, controls), 0, 0);
  grid4->addWidget(txtWheelBand, 0, 1);
  grid4->addWidget(Caption("LblOptComment", 7, controls), 0, 2);
  grid4->addWidget(Caption("LblOptCom", -1, controls), 1, 0, 1, 3);
  grid4->addWidget(ChkEffect, 2, 0, 1, 3);
  grid4->addWidget(ChkNoKBPaint, 3, 0, 1, 3);
  rows->addWidget(controls);

  QGroupBox* export_frame = Frame("Frame7", box);
  auto* grid7 = new QGridLayout(export_frame);
  txtMEndTime = MakeNumberField("txtMEndTime", export_frame);
  grid7->addWidget(Caption("LblOption", 5, export_frame), 0, 0);
  grid7->addWidget(txtMEndTime, 0, 1);
  grid7->addWidget(Caption("LblOptComment", 9, export_frame), 0, 2);
  grid7->addWidget(Caption("Label4", -1, export_frame), 1, 0, 1, 3);
  rows->addWidget(export_frame);
  return box;
}

QWidget* OptionsDialog::CreateImportFrame() {
  QGroupBox* frame = Frame("Frame6", this);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(Caption("LblOption", 6, frame), 0, 0, 1, 8);
  grid->addWidget(Caption("Label5", -1, frame), 1, 0, 1, 8);
  for (int i = 0; i < 16; ++i) {
    auto* box = new QCheckBox(QString::number(i + 1), frame);
    box->setObjectName(IndexedName("chkMidiRC", i));
    chkMidiRC[At(i)] = box;
    grid->addWidget(box, 2 + i / 8, i % 8);
  }
  grid->addWidget(Caption("LblOptComment", 10, frame), 4, 0, 1, 8);
  return frame;
}

QWidget* OptionsDialog::CreateFolderFrame() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  LblIconPath = Caption("LblIconPath", -1, box);
  LblIconPath->setCursor(Qt::PointingHandCursor);
  TxtIconPath = TextField("TxtIconPath", box);
  CmdSelectFolder = new QPushButton("...", box);
  CmdSelectFolder->setObjectName("CmdSelectFolder");
  CmdSelectFolder->setFixedWidth(32);
  connect(CmdSelectFolder, &QPushButton::clicked, this, &OptionsDialog::CmdSelectFolder_Click);
  row->addWidget(LblIconPath);
  row->addWidget(TxtIconPath, 1);
  row->addWidget(CmdSelectFolder);
  return box;
}

QWidget* OptionsDialog::CreateButtons() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  Image2 = new QLabel(box);
  Image2->setObjectName("Image2");
  Image2->setPixmap(NoteIconPicture(QSize(24, 24)));
  CmdDef = new QPushButton(box);
  CmdDef->setObjectName("CmdDef");
  connect(CmdDef, &QPushButton::clicked, this, &OptionsDialog::CmdDef_Click);
  cmdOK = new QPushButton(box);
  cmdOK->setObjectName("cmdOK");
  connect(cmdOK, &QPushButton::clicked, this, &OptionsDialog::accept);
  cmdCancel = new QPushButton(box);
  cmdCancel->setObjectName("cmdCancel");
  connect(cmdCancel, &QPushButton::clicked, this, &OptionsDialog::reject);
  row->addWidget(Image2);
  row->addWidget(CmdDef);
  row->addStretch(1);
  row->addWidget(cmdOK);
  row->addWidget(cmdCancel);
  // Enter moves between the fields: no button takes it.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  return box;
}

void OptionsDialog::SetFontsAndCaptions() {
  const AppState& app = player_.state.app;
  const std::string name = LangText(app, kLangControlFont);
  SetControlFont(this, LangSize(app, kLangFormFontSize), LangText(app, kLangFormFont));
  for (QWidget* control : findChildren<QWidget*>()) SetControlFont(control, 0, name);
  for (const ControlCaption& caption : OptionsCaptions()) {
    const QString text = LangQ(app, caption.entry).replace("\r\n", "\n");
    const QString control = IndexedName(caption.control, caption.index);
    if (control == objectName()) {
      setWindowTitle(text);
    } else if (auto* frame = findChild<QGroupBox*>(control)) {
      frame->setTitle(text);
    } else if (auto* label = findChild<QLabel*>(control)) {
      label->setText(text);
    } else if (auto* button = findChild<QAbstractButton*>(control)) {
      button->setText(text);
    }
  }
  findChild<QLabel*>("LblMidiIn")->setText(LangQ(app, kLangMidiInCaption));
  Image2->setToolTip(LangQ(app, kLangOptionsHelpTip));
}

void OptionsDialog::FillPortList() {
  CmbMidiIn->addItem(LangQ(player_.state.app, kLangMidiInNone), QString());
  const std::string open = player_.state.midi_in.MidiInPort;
  bool open_listed = open.empty();
  for (const std::string& port : player_.midi_thru.PortNames()) {
    CmbMidiIn->addItem(QString::fromStdString(port), QString::fromStdString(port));
    open_listed = open_listed || port == open;
  }
  if (!open_listed) {
    CmbMidiIn->addItem(QString::fromStdString(open), QString::fromStdString(open));
  }
  CmbMidiIn->setCurrentIndex(std::max(0, CmbMidiIn->findData(QString::fromStdString(open))));
}

}  // namespace kirivane
