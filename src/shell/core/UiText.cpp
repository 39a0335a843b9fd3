#include "shell/core/UiText.h"

#include <string>

namespace tessaly::shell {

QString Ui(const char* text) { return QCoreApplication::translate("Tessaly", text); }

QString Ui(std::string_view text) { return Ui(std::string(text).c_str()); }

}  // namespace tessaly::shell
