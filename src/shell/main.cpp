// tessaly [PROJECT.bwf]: the banner designer's main window. With a project
// it opens that project as the Open command does; without one it starts a
// new banner.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <exception>

#include "publish/Network.h"
#include "shell/Settings.h"
#include "shell/core/UiText.h"
#include "shell/dialogs/AboutBox.h"
#include "shell/main/MainWindow.h"

int main(int argc, char** argv) {
  using namespace tessaly::shell;
  // libcurl starts before any thread does. Should it fail, the upload and
  // the update check try again and report the reason when used.
  try {
    tessaly::publish::InitialiseNetwork();
  } catch (const std::exception&) {
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(Ui(text::ProgramName));
  QApplication::setApplicationVersion(ProgramVersion());
  // The installed menu entry and icon (tessaly.desktop, the theme's
  // "tessaly"), so the desktop shows the window under them.
  QApplication::setDesktopFileName(QStringLiteral("tessaly"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessaly")));

  QCommandLineParser parser;
  parser.setApplicationDescription(Ui(text::CommandLineDescription));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption dumpOption(QStringLiteral("dump-document"), Ui(text::CommandLineDump),
                                      QStringLiteral("FILE"));
  parser.addOption(dumpOption);
  parser.addPositionalArgument(QStringLiteral("PROJECT.bwf"), Ui(text::CommandLineProject), QStringLiteral("[PROJECT.bwf]"));
  parser.process(app);
  if (parser.positionalArguments().size() > 1) {
    parser.showHelp(2);
  }

  const TSettingsFolders folders = DefaultFolders();
  std::unique_ptr<QSettings> store = OpenSettings();
  TPreferences preferences = LoadSettings(*store, folders);
  TMainWindow window(folders, std::move(preferences));
  window.show();
  if (parser.isSet(dumpOption)) window.App().History().SetDumpPath(parser.value(dumpOption).toStdString());
  window.App().OfferRecovery();
  if (!parser.positionalArguments().isEmpty()) window.App().Open(parser.positionalArguments().front());
  return QApplication::exec();
}
