#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/held_keys.h"
#include "player/app/command_line.h"
#include "player/app/language_table.h"
#include "player/app/player_state.h"

namespace {

std::vector<std::string> ProgramArguments() {
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  std::vector<std::string> result;
  for (const QString& argument : arguments) result.push_back(argument.toStdString());
  return result;
}

// Without its language file the player has no texts at all, so it cannot go on.
bool LoadLanguageOrReport(const std::string& folder, int language, kirivane::AppState& app) {
  if (kirivane::LoadLanguage(folder, language, app)) return true;
  const QString path = QString::fromStdString(kirivane::LanguageFilePath(folder, language));
  QMessageBox::critical(nullptr, QStringLiteral("Kirivane"),
                        QString::fromUtf8("言語ファイルを読み込めません。\n"
                                          "The language file could not be read:\n%1\n\n"
                                          "The player cannot start without it.")
                            .arg(path));
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  const kirivane::HeldKeys held = kirivane::ReadHeldKeys();
  QApplication application(argc, argv);
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();
  const std::string command_line = kirivane::JoinCommandLine(ProgramArguments());

  const bool another_instance_running = false;
  const kirivane::StartupPlan plan =
      kirivane::PlanStartup(command_line, held.ctrl, held.shift, another_instance_running, folder);

  kirivane::PlayerState state;
  if (!LoadLanguageOrReport(folder, plan.FirstLanguage, state.app)) return 1;
  if (plan.ReloadEnglish && !LoadLanguageOrReport(folder, 1, state.app)) return 1;
  kirivane::ApplyStartupPlan(plan, state);

  QWidget window;
  const kirivane::AppState& app = state.app;
  window.setWindowTitle(QString::fromStdString(app.AppTitle + app.ModeTitle + app.TitleSuffix));
  window.resize(640, 240);
  window.show();
  return QApplication::exec();
}
