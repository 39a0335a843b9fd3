#pragma once
// How commands below the widgets talk to the user: the program's message
// box and its yes/no question. The window implements it with message boxes;
// tests record what would have been shown and answer for the user.

#include <string>

namespace tessaly::shell {

class TUserMessages {
 public:
  virtual ~TUserMessages() = default;
  // A message in the program's message box (titled with the program's name).
  virtual void Inform(const std::string& text) = 0;
  // A question answered with Yes (true) or No.
  virtual bool Confirm(const std::string& question) = 0;
};

}  // namespace tessaly::shell
