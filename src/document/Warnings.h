#pragma once
// Where the document's operations report what they had to change on the
// way: a project value outside its range taken as its default, a string cut
// at a NUL byte before it reaches a movie. The window shows them;
// tessaly-build prints them as "warning: ..." lines.

#include <string>

namespace tessaly::document {

class TWarningSink {
 public:
  virtual ~TWarningSink() = default;
  virtual void Warn(const std::string& message) = 0;
};

}  // namespace tessaly::document
