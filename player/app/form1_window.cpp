#include "player/app/form1_window.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "player/app/dialogs_panel.h"
#include "player/app/file_drop_qt.h"
#include "player/chords/chord_panel.h"
#include "player/display/keyboard_panel.h"
#include "player/input/hook_panel.h"
#include "player/input/key_map_panel.h"
#include "player/input/percussion_panel.h"
#include "player/layout/decoration_panel.h"
#include "player/layout/lantern_panel.h"
#include "player/layout/score_panel.h"
#include "player/layout/side_panels_panel.h"
#include "player/midi/midi_in_panel.h"
#include "player/midi/midi_panel.h"
#include "player/performance/playback_timer_qt.h"
#include "player/performance/transport_panel.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

// EndShape: laid over the whole window while it closes, it keeps the clicks from the controls.
class EndShapeCover : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
  void wheelEvent(QWheelEvent* event) override { event->accept(); }
};

}  // namespace

Form1::Form1(Player& player, QImageSurface& keyboard_surface, std::string settings_path)
    : player_(player), state_(player.state), settings_path_(std::move(settings_path)) {
  setObjectName("Form1");
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  // The panels in the order their controls lie on each other.
  panels_.hook = new HookPanel(player_, this);
  panels_.keyboard = new KeyboardPanel(player_, keyboard_surface, this);
  panels_.midi = new MidiPanel(player_, this);
  panels_.chord = new ChordPanel(player_, this);
  panels_.percussion = new PercussionPanel(player_, this);
  panels_.decoration = new DecorationPanel(player_, this);
  panels_.score = new ScorePanel(player_, this);
  panels_.side_panels =
      new SidePanelsPanel(player_, *this, *panels_.score, *panels_.decoration, this);
  panels_.lantern = new LanternPanel(player_, this);
  panels_.key_map = new KeyMapPanel(player_, *this, this);
  panels_.midi_in = new MidiInPanel(player_, *this, this);
  panels_.dialogs = new DialogsPanel(player_, *this, settings_path_, this);
  panels_.side_panels->SetCommand10Action(
      0, [this] { panels_.dialogs->ChordSelectItem()->trigger(); });
  panels_.side_panels->SetCommand10Action(1, [this] { panels_.dialogs->ShowOptions(); });
  new FileDropTarget(player_, *this, this);
  panels_.transport = new TransportPanel(player_, this);
  ImgKao01 = MakeFormLabel(this, "ImgKao01");
  ImgKao01->setPixmap(FacePicture());
  ImgKao01->hide();
  EndShape = new EndShapeCover(this);
  EndShape->setObjectName("EndShape");
  EndShape->hide();
  CreateMenu();
  player_.SetWindow(this, this);
  player_.engine.SetScheduler(new PlaybackTimer(player_.engine, this));
  connect(&WaitTimer, &QTimer::timeout, this, &Form1::WaitTimer_Timer);
  drag_settle_.setSingleShot(true);
  drag_settle_.setInterval(350);
  connect(&drag_settle_, &QTimer::timeout, this, &Form1::FinishDrag);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

Form1::~Form1() {
  player_.SetWindow(nullptr, nullptr);
  player_.engine.SetScheduler(nullptr);
}

void Form1::SetFontsAndCaptions() {
  const AppState& app = state_.app;
  SetControlFont(this, LangSize(app, kLangFormFontSize), LangText(app, kLangFormFont));
  panels_.hook->SetCaptions();
  panels_.keyboard->SetCaptions();
  panels_.midi->SetCaptions();
  panels_.chord->SetCaptions();
  panels_.percussion->SetCaptions();
  panels_.decoration->SetCaptions();
  panels_.score->SetCaptions();
  panels_.side_panels->SetCaptions();
  panels_.lantern->SetCaptions();
  panels_.key_map->SetCaptions();
  panels_.midi_in->SetCaptions();
  panels_.dialogs->SetCaptions();
  panels_.transport->SetCaptions();
}

WindowPosition Form1::PositionTwips() const {
  const ScreenMetrics& s = state_.layout.Screen;
  return {pos().x() * s.TwipsX, pos().y() * s.TwipsY};
}

// --- what core asks of the window ------------------------------------------------------------

void Form1::RebuildCaption() {
  setWindowTitle(QString::fromStdString(WindowCaption(state_.app)));
}

void Form1::ShowError(const std::string& text, bool critical, const std::string& title) {
  ImgKao01->show();
  ImgKao01->raise();
  QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Information,
                  QString::fromStdString(title.empty() ? state_.app.AppTitle : title),
                  QString::fromStdString(text), QMessageBox::Ok, this);
  box.exec();
  ImgKao01->hide();
}

void Form1::ShowInformation(const std::string& text, const std::string& title) {
  QMessageBox::information(this, QString::fromStdString(title), QString::fromStdString(text));
}

void Form1::RestoreIfMinimized() {
  if (isMinimized()) showNormal();
}

void Form1::OpenHelp() {
  QDesktopServices::openUrl(QUrl::fromLocalFile(
      QString::fromStdString(HelpFilePath(state_.app.ProgramFolder, state_.app.EnglishUI))));
}

void Form1::ShowAbout() {
  panels_.dialogs->ShowAbout();
}

void Form1::SetKeyPreview(bool on) {
  key_preview_ = on;
}

void Form1::ReturnFocus() {
  setFocus(Qt::OtherFocusReason);
}

void Form1::CloseProgram() {
  clearMask();  // the window region goes before the window
  close();
}

void Form1::DoEvents() {
  QApplication::processEvents();
}

void Form1::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool seasonal = state_.app.XmasSpecial == -1;
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, seasonal ? ColorOf(kSeasonalFormTop) : ColorOf(kFormTop));
  gradient.setColorAt(1, seasonal ? ColorOf(kSeasonalFormBottom) : ColorOf(kFormBottom));
  p.fillRect(rect(), gradient);
}

}  // namespace kirivane
