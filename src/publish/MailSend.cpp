#include "publish/MailSend.h"

#include "publish/EmbedHtml.h"

namespace tessaly::publish {

std::string MailSubject(const std::string& moviePath) {
  return "Tessaly - " + BareFileName(moviePath);
}

std::vector<std::string> MailCommandLine(const std::filesystem::path& mailProgram,
                                         const std::string& moviePath) {
  return {mailProgram.string(), "--utf8",   "--subject", MailSubject(moviePath),
          "--attach",           std::filesystem::absolute(moviePath).string()};
}

std::optional<std::string> SendMovieByMail(const std::string& saveFileName,
                                           TProcessRunner& runner,
                                           std::string_view searchPath) {
  if (saveFileName.empty()) return std::string(MsgSaveBeforeMail);
  std::optional<std::filesystem::path> program = FindOnPath("xdg-email", searchPath);
  if (!program) return std::string(MsgNoMailProgram);
  runner.StartDetached(MailCommandLine(*program, saveFileName));
  return std::nullopt;
}

}  // namespace tessaly::publish
