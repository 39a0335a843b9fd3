#include "shell/main/tabs/AnimationTab.h"

namespace tessaly::shell {

TAnimationTab::TAnimationTab(QWidget* parent) : QWidget(parent) {}

}  // namespace tessaly::shell
