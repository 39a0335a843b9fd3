#include "shell/main/tabs/SizeTab.h"

namespace tessaly::shell {

TSizeTab::TSizeTab(QWidget* parent) : QWidget(parent) {}

}  // namespace tessaly::shell
