#include "shell/main/tabs/BackgroundTab.h"

namespace tessaly::shell {

TBackgroundTab::TBackgroundTab(QWidget* parent) : QWidget(parent) {}

}  // namespace tessaly::shell
