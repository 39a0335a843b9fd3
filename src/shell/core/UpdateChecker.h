#pragma once
// "检查更新": asks the program's web site for the newest version off the
// window thread and shows one message with the result. A check asked for
// while one runs is not started again, so the user never gets a storm of
// messages.

#include <QObject>

#include <string>

#include "shell/core/BackgroundJob.h"

namespace tessaly::shell {

class TUserMessages;

class TUpdateChecker : public QObject {
  Q_OBJECT

 public:
  // `url` is the version file's address (publish::UpdateCheckURL()).
  TUpdateChecker(std::string currentVersion, std::string url, TUserMessages& messages,
                 QObject* parent = nullptr);

  // Starts a check; false when one is still running.
  bool Check();
  bool Running() const { return job_.Running(); }

 signals:
  // The result was shown.
  void Checked(tessaly::shell::TJobOutcome outcome);

 private:
  std::string currentVersion_;
  std::string url_;
  TUserMessages& messages_;
  TBackgroundJob job_;
};

}  // namespace tessaly::shell
