#include "editor/clavimap_form_qt.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <vector>

#include "common/keyboard/keyboard_layout.h"
#include "common/keyboard/keyboard_widget.h"
#include "editor/clavimap_art_widget.h"

namespace kirivane {

namespace {

constexpr int kWindowMargin = 14;
constexpr int kKeyboardMargin = 10;  // room for the frame drawn around the keyboard
constexpr int kBoxWidth = 96;
constexpr int kLogHeight = 104;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QLineEdit* MakeBox(QWidget* parent, const QString& name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(kBoxWidth);
  box->setAlignment(Qt::AlignCenter);
  return box;
}

QLabel* MakeLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

// Sets a box's text only when it differs, so the caret stays where the user left it.
void ShowText(QLineEdit* box, const std::string& text) {
  const QString shown = Text(text);
  if (box->text() != shown) box->setText(shown);
}

}  // namespace

ClavimapForm::ClavimapForm(const EditorTexts& texts, const KeyLayout& key_layout,
                           QImageSurface& keyboard_surface, std::string program_folder,
                           QWidget* parent)
    : QMainWindow(parent), key_layout_(key_layout), program_folder_(std::move(program_folder)) {
  setObjectName(QStringLiteral("Form1"));
  CreateControls(keyboard_surface);
  paint_ = std::make_unique<KBPaint>(Keyboard_->KeyboardSurface());
  Keyboard_->SetMouseHandler(this);
  editor_ = std::make_unique<KeyMapEditor>(texts, static_cast<EditorView&>(*this));
  CreateMenu();
  SetTexts();
  ConnectBoxes();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Form_Load: key 1 selected with its empty boxes, the caption in the log.
  ShowEditor();
  LogChanged(0);
  TxtKey[0]->setFocus();
}

ClavimapForm::~ClavimapForm() = default;

void ClavimapForm::CreateControls(QImageSurface& keyboard_surface) {
  background_ = new ClavimapBackground(this);
  setCentralWidget(background_);
  auto* outer = new QVBoxLayout(background_);
  outer->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
  outer->setSpacing(12);
  outer->addWidget(CreateKeyFrame(keyboard_surface));

  Frame1 = new QGroupBox(background_);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* grid = new QGridLayout(Frame1);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(6);
  Label1 = MakeLabel(Frame1, QStringLiteral("Label1"));
  Combo1 = new QComboBox(Frame1);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->setFixedWidth(kBoxWidth);
  for (int key = 1; key <= kEditorKeyCount; ++key) Combo1->addItem(QString::number(key));
  Combo1->setMaxVisibleItems(12);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Combo1, 0, 1);
  Label4 = MakeLabel(Frame1, QStringLiteral("Label4"));
  Label5 = MakeLabel(Frame1, QStringLiteral("Label5"));
  Label4->setAlignment(Qt::AlignCenter);
  Label5->setAlignment(Qt::AlignCenter);
  grid->addWidget(Label4, 1, 1);
  grid->addWidget(Label5, 1, 2);
  for (int s = 0; s < kEditorSlotCount; ++s) {
    Label3[s] = MakeLabel(Frame1, QStringLiteral("Label3_%1").arg(s));
    TxtKey[s] = MakeBox(Frame1, QStringLiteral("TxtKey_%1").arg(s));
    TxtKeyCode[s] = MakeBox(Frame1, QStringLiteral("TxtKeyCode_%1").arg(s));
    grid->addWidget(Label3[s], 2 + s, 0);
    grid->addWidget(TxtKey[s], 2 + s, 1);
    grid->addWidget(TxtKeyCode[s], 2 + s, 2);
  }
  Label2 = MakeLabel(Frame1, QStringLiteral("Label2"));
  TxtCaption = MakeBox(Frame1, QStringLiteral("TxtCaption"));
  CmdClear = new QPushButton(Frame1);
  CmdClear->setObjectName(QStringLiteral("CmdClear"));
  grid->addWidget(Label2, 6, 0);
  grid->addWidget(TxtCaption, 6, 1);
  grid->addWidget(CmdClear, 6, 3, Qt::AlignRight);
  Label6 = MakeLabel(Frame1, QStringLiteral("Label6"));
  Label6->setStyleSheet(QStringLiteral("color: #4a5a78;"));
  grid->addWidget(Label6, 7, 0, 1, 4);
  grid->setColumnStretch(3, 1);
  outer->addWidget(Frame1);

  auto* bottom = new QHBoxLayout();
  bottom->setSpacing(10);
  TxtErrLog = new QPlainTextEdit(background_);
  TxtErrLog->setObjectName(QStringLiteral("TxtErrLog"));
  TxtErrLog->setReadOnly(true);
  TxtErrLog->setFixedHeight(kLogHeight);
  TxtErrLog->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Image2 = new ThanksPicture(background_);
  bottom->addWidget(TxtErrLog, 1);
  bottom->addWidget(Image2, 0, Qt::AlignBottom);
  outer->addLayout(bottom);

  setTabOrder(Combo1, TxtKey[0]);
  for (int s = 1; s < kEditorSlotCount; ++s) setTabOrder(TxtKey[s - 1], TxtKey[s]);
  setTabOrder(TxtKey[kEditorSlotCount - 1], TxtCaption);
  setTabOrder(TxtCaption, TxtKeyCode[0]);
  for (int s = 1; s < kEditorSlotCount; ++s) setTabOrder(TxtKeyCode[s - 1], TxtKeyCode[s]);
  setTabOrder(TxtKeyCode[kEditorSlotCount - 1], CmdClear);
}

// The keyboard picture box in its frame, at a fixed place from the window's left edge.
QWidget* ClavimapForm::CreateKeyFrame(QImageSurface& keyboard_surface) {
  auto* holder = new QWidget(background_);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(kKeyboardMargin, kKeyboardMargin, kKeyboardMargin, kKeyboardMargin);
  Keyboard_ = new Keyboard(keyboard_surface, holder);
  Keyboard_->setFixedSize(kLargeSurfaceWidth, kLargeWhiteHeight);
  Keyboard_->setCursor(Qt::PointingHandCursor);
  row->addWidget(Keyboard_, 0, Qt::AlignLeft);
  row->addStretch(1);
  background_->SetFramed(holder);
  return holder;
}

void ClavimapForm::SetTexts() {
  const EditorTexts& t = editor_->Texts();
  setWindowTitle(Text(t.window_title));
  Frame1->setTitle(Text(t.frame));
  Label1->setText(Text(t.key_number_label));
  for (int s = 0; s < kEditorSlotCount; ++s) Label3[s]->setText(Text(t.slot_labels[s]));
  Label4->setText(Text(t.name_heading));
  Label5->setText(Text(t.code_heading));
  Label2->setText(Text(t.caption_label));
  Label6->setText(Text(t.caption_note));
  CmdClear->setText(Text(t.clear_button));
  Image2->setToolTip(Text(t.picture_tooltip));
}

void ClavimapForm::ShowEditor() {
  const QSignalBlocker quiet(Combo1);  // showing the selection is not selecting
  Combo1->setCurrentIndex(editor_->CurrentKey());
  ShowFields();
  DrawKeyboard();
}

void ClavimapForm::ShowFields() {
  const EditorFields& fields = editor_->Fields();
  for (int s = 0; s < kEditorSlotCount; ++s) {
    ShowText(TxtKey[s], fields.names[s]);
    if (TxtKeyCode[s]->text() != Text(fields.codes[s])) {
      TxtKeyCode[s]->setText(Text(fields.codes[s]));
      TxtKeyCode[s]->end(false);
    }
  }
  ShowText(TxtCaption, fields.caption);
}

// The whole keyboard with every key's label, and the selected key pressed in the playback
// colours with its caption printed.
void ClavimapForm::DrawKeyboard() {
  std::vector<std::string> labels;
  for (const EditorKey& key : editor_->Map().keys) labels.push_back(key.label);
  paint_->SetLabels(labels);
  const KeyboardMode mode;
  paint_->RedrawKeyboard(mode);
  const int key = editor_->CurrentKey();
  paint_->DrawKeyDown(key, kKeySourcePlayback, mode);
  paint_->PrintKeyLabel(key);
  paint_->Refresh();
}

void ClavimapForm::Combo1_Click(int index) {
  editor_->SelectKey(index);
  ShowEditor();
}

void ClavimapForm::CmdClear_Click() {
  editor_->ClearFields();
  ShowEditor();
}

void ClavimapForm::Beep() {
  QApplication::beep();
}

void ClavimapForm::FocusFirstName() {
  TxtKey[0]->setFocus();
}

// The log box shows the whole log with the caret on the first new line, and as much of the
// new lines as it can.
void ClavimapForm::LogChanged(std::size_t first_new) {
  const std::string& log = editor_->Log();
  TxtErrLog->setPlainText(Text(log));
  TxtErrLog->show();
  QTextCursor cursor = TxtErrLog->textCursor();
  cursor.movePosition(QTextCursor::End);
  TxtErrLog->setTextCursor(cursor);
  TxtErrLog->ensureCursorVisible();
  const auto before = QString::fromUtf8(log.data(), static_cast<qsizetype>(first_new));
  cursor.setPosition(static_cast<int>(before.size()));
  TxtErrLog->setTextCursor(cursor);
  TxtErrLog->ensureCursorVisible();
}

void ClavimapForm::Keyboard_MouseDown(int button, int, float x, float y) {
  if (button != kMouseLeft) return;
  const int key = HitTestKey37(static_cast<int>(x), static_cast<int>(y));
  if (key >= 0) Combo1->setCurrentIndex(key);  // runs Combo1_Click when the key is another
}

}  // namespace kirivane
