#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>
#include <string>

#include "common/basic/locale_language.h"
#include "common/keymap/vk_table.h"
#include "editor/clavimap_form_qt.h"
#include "editor/editor_texts.h"
#include "platform/x11_keyboard.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

// Clavimap, the key map editor: one window, Japanese texts on a Japanese desktop and English
// ones elsewhere, key codes read from the physical key in the layout in use, as the player
// reads them.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const bool japanese = kirivane::LocaleLanguage(Environment("LC_ALL"), Environment("LC_MESSAGES"),
                                                 Environment("LANG")) == 0;
  kirivane::KeyLayout layout{};
  kirivane::X11Keyboard keyboard(layout);
  kirivane::QImageSurface keyboard_surface;
  kirivane::ClavimapForm form(kirivane::EditorTextsFor(japanese), layout, keyboard_surface,
                              QCoreApplication::applicationDirPath().toStdString());
  form.show();
  return QApplication::exec();
}
