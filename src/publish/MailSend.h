#pragma once
// The e-mail command: hands the saved movie to the desktop's mail program
// (xdg-email) as the attachment of a new message.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "publish/DesktopServices.h"

namespace tessaly::publish {

inline constexpr std::string_view MsgSaveBeforeMail = "请在使用电子邮件发送之前先保存文件.";
inline constexpr std::string_view MsgNoMailProgram =
    "无法启动系统默认电子邮件客户端程序.要想发送你制作的横幅给别人,"
    "必须先打开邮件客户端程序写好邮件后将横幅文件(.swf)作为附件发送.";

// "Tessaly - " + the movie's bare file name.
std::string MailSubject(const std::string& moviePath);

// The mail program's arguments: the program, then "--utf8", the subject and
// the movie (made absolute) as the only attachment, each one argument; no
// recipient, so the mail program shows its compose window.
std::vector<std::string> MailCommandLine(const std::filesystem::path& mailProgram,
                                         const std::string& moviePath);

// The e-mail command. `saveFileName` is the save dialog's file name;
// `searchPath` is where xdg-email is looked for ($PATH). Returns the message
// to show when nothing was saved or no mail program is installed; the
// outcome of the hand-off is not reported.
std::optional<std::string> SendMovieByMail(const std::string& saveFileName,
                                           TProcessRunner& runner,
                                           std::string_view searchPath);

}  // namespace tessaly::publish
