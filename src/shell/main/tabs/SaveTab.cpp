#include "shell/main/tabs/SaveTab.h"

namespace tessaly::shell {

TSaveTab::TSaveTab(QWidget* parent) : QWidget(parent) {}

}  // namespace tessaly::shell
