#include "shell/core/UpdateChecker.h"

#include <utility>

#include "shell/core/PublishJobs.h"
#include "shell/core/UserMessages.h"

namespace tessaly::shell {

TUpdateChecker::TUpdateChecker(std::string currentVersion, std::string url,
                               TUserMessages& messages, QObject* parent)
    : QObject(parent),
      currentVersion_(std::move(currentVersion)),
      url_(std::move(url)),
      messages_(messages) {
  connect(&job_, &TBackgroundJob::Finished, this,
          [this](TJobOutcome outcome, const QString& message) {
            if (outcome != TJobOutcome::Cancelled) messages_.Inform(message.toStdString());
            emit Checked(outcome);
          });
}

bool TUpdateChecker::Check() { return job_.Start(UpdateCheckWork(currentVersion_, url_)); }

}  // namespace tessaly::shell
