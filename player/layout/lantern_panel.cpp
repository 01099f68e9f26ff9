#include "player/layout/lantern_panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "common/keyboard/keyboard_mouse.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

// Places in the full window: the lantern hangs from its cap at the right of the title.
constexpr int kCapLeft = 418, kCapTop = 93, kCapWidth = 23, kCapHeight = 8;
constexpr int kBodyLeft = 403, kBodyTop = 99, kBodyWidth = 52;
constexpr int kEndLeft = 420, kEndWidth = 21, kEndHeight = 9;
constexpr int kStringLeft = 423, kStringTop = 99, kStringWidth = 13, kStringHeight = 160;
constexpr int kRestTimerMs = 185;

constexpr std::array<const char*, 3> kBodies{":/lantern/lantern_volume.png",
                                             ":/lantern/lantern_bend.png",
                                             ":/lantern/lantern_modulation.png"};

// The controller switch: the three lantern colours around a turning arrow.
QPixmap SwitchPicture() {
  QPixmap picture(18, 18);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor colours[3] = {QColor(200, 60, 40), QColor(50, 80, 170), QColor(40, 140, 80)};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QPen(colours[i], 3, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(2.5, 2.5, 13, 13), (90 + 120 * i) * 16, 100 * 16);
  }
  return picture;
}

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kMouseLeft;
    case Qt::RightButton:
      return kMouseRight;
    case Qt::MiddleButton:
      return kMouseMiddle;
    default:
      return 0;
  }
}

int ButtonsOf(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? kMouseLeft : 0) |
         (buttons & Qt::RightButton ? kMouseRight : 0) |
         (buttons & Qt::MiddleButton ? kMouseMiddle : 0);
}

}  // namespace

LanternPanel::LanternPanel(Player& player, QWidget* form)
    : QObject(form), player_(player), lantern_(player.lantern), form_(form) {
  setObjectName("LanternPanel");
  UsePictureResources();
  ImgHimo = MakePicture(form, "ImgHimo", ":/lantern/lantern_string.png");
  for (std::size_t mode = 0; mode < ImgCC.size(); ++mode) {
    ImgCC[mode] = MakePicture(form, "ImgCC", kBodies[mode]);
    ImgCC[mode]->setObjectName(QString("ImgCC_%1").arg(mode));
    ImgCC[mode]->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // the top value + 1 rows show
  }
  ImgCCTop = MakePicture(form, "ImgCCTop", ":/lantern/lantern_cap.png");
  ImgCCEnd = MakePicture(form, "ImgCCEnd", ":/lantern/lantern_end.png");
  ImgHimo->setCursor(Qt::OpenHandCursor);
  Label9 = MakeFormLabel(form, "Label9");
  Label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label9->setGeometry(228, 93, 150, 16);
  Label9->hide();
  Image11 = MakeFormLabel(form, "Image11");
  Image11->setPixmap(SwitchPicture());
  Image11->setGeometry(382, 93, 18, 18);
  Image11->setCursor(Qt::PointingHandCursor);
  Image11->installEventFilter(this);
  Timer3.setInterval(kRestTimerMs);
  connect(&Timer3, &QTimer::timeout, this, [this] { lantern_.PitchReturnTick(); });
  form->installEventFilter(this);
  lantern_.SetView(this);
}

LanternPanel::~LanternPanel() {
  lantern_.SetView(nullptr);
}

QLabel* LanternPanel::MakePicture(QWidget* form, const char* name, const QString& resource) {
  QLabel* picture = MakeFormLabel(form, name);
  picture->setPixmap(QPixmap(resource));
  picture->installEventFilter(this);
  picture->hide();
  return picture;
}

void LanternPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  SetControlFont(Label9, 0, LangText(app, kLangLabelFontSize));
  Label9->setText(LangQ(app, kLangBendLabel) + " " + LangQ(app, kLangLabelColon));
  ImgHimo->setToolTip(LangQ(app, kLangSwitchControllerItem));
  Image11->setToolTip(
      LangQ(app, app.XmasSpecial == -1 ? kLangXmasControllerSwitchTip : kLangControllerSwitchTip));
}

void LanternPanel::Place(int mode) {
  ImgCCTop->setGeometry(kCapLeft, kCapTop, kCapWidth, kCapHeight);
  ImgHimo->setGeometry(kStringLeft, kStringTop, kStringWidth, kStringHeight);
  Image11->setVisible(mode == 0);
  if (mode != 0) {
    HideLantern();
    HideString();
    Label9->hide();
    StopReturnTimer();
  }
  lantern_.ShowControllerPanel();
}

// --- what the lantern controller shows ------------------------------------------------------

bool LanternPanel::LanternOnScreen() const {
  return ImgCCTop->window()->isVisible();
}

void LanternPanel::HideLantern() {
  ImgCCTop->hide();
  for (QLabel* body : ImgCC) body->hide();
  ImgCCEnd->hide();
  Label9->hide();
}

void LanternPanel::ShowLantern(int mode) {
  if (mode < 0 || mode > 2) return;
  ImgHimo->show();
  ImgCC[static_cast<std::size_t>(mode)]->show();
  ImgCCTop->show();
  ImgCCEnd->show();
  Label9->setVisible(mode == kCcBend);
  // The string hangs behind the lantern; the end ring covers the body's last row.
  ImgHimo->raise();
  ImgCC[static_cast<std::size_t>(mode)]->raise();
  ImgCCTop->raise();
  ImgCCEnd->raise();
}

void LanternPanel::HideString() {
  ImgHimo->hide();
}

void LanternPanel::DrawLanternLength(int mode, int value) {
  if (mode < 0 || mode > 2) return;
  ImgCC[static_cast<std::size_t>(mode)]->setGeometry(kBodyLeft, kBodyTop, kBodyWidth, value + 1);
  ImgCCEnd->setGeometry(kEndLeft, value + 100, kEndWidth, kEndHeight);
}

void LanternPanel::SetLanternToolTip(int mode, const std::string& text) {
  if (mode >= 0 && mode <= 2) {
    ImgCC[static_cast<std::size_t>(mode)]->setToolTip(QString::fromStdString(text));
  }
}

void LanternPanel::SetBendLabel(const std::string& caption, int colour) {
  Label9->setText(QString::fromStdString(caption));
  Label9->setStyleSheet(colour == kButtonTextColour
                            ? QString()
                            : QString("color: %1;").arg(ColorOfRgb(colour).name()));
}

void LanternPanel::SetStringCursor(int cursor_resource) {
  ImgHimo->setCursor(cursor_resource == kCursorStringHeld ? Qt::ClosedHandCursor
                                                          : Qt::OpenHandCursor);
}

void LanternPanel::StartReturnTimer(int interval_ms) {
  Timer3.start(interval_ms);
}

void LanternPanel::StopReturnTimer() {
  Timer3.stop();
  Timer3.setInterval(kRestTimerMs);
}

// --- mouse on the lantern, wheel and middle button on the window ----------------------------

bool LanternPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_) return FormEvent(event);
  if (watched == ImgHimo) return LanternMouseEvent(true, event);
  if (watched == Image11 && event->type() == QEvent::MouseButtonPress) {
    const bool right = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    if (player_.state.layout.DisplayMode == 0) lantern_.SwitchCcMode(right ? 0 : -1);
    return true;
  }
  if (watched == ImgCCTop || watched == ImgCCEnd || watched == ImgCC[0] || watched == ImgCC[1] ||
      watched == ImgCC[2]) {
    return LanternMouseEvent(false, event);
  }
  return false;
}

bool LanternPanel::LanternMouseEvent(bool string, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const int y = qRound(mouse->globalPosition().y());
      string ? lantern_.String_MouseDown(ButtonOf(mouse->button()), y)
             : lantern_.Lantern_MouseDown(ButtonOf(mouse->button()), y);
      return true;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      lantern_.Lantern_MouseMove(ButtonsOf(mouse->buttons()), qRound(mouse->globalPosition().y()));
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const int button = ButtonOf(static_cast<QMouseEvent*>(event)->button());
      string ? lantern_.String_MouseUp(button) : lantern_.Lantern_MouseUp(button);
      return true;
    }
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        string ? lantern_.String_DblClick() : lantern_.Lantern_DblClick();
      }
      return true;
    default:
      return false;
  }
}

bool LanternPanel::FormEvent(QEvent* event) {
  if (player_.state.app.Ending == -1) return false;
  if (event->type() == QEvent::Wheel) {
    lantern_.MouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
    return true;
  }
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
    lantern_.MiddleButtonDown();
  }
  return false;
}

}  // namespace kirivane
