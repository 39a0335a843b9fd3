#pragma once

#include <QWidget>

namespace tessaly::shell {

class TAnimationTab : public QWidget {
  Q_OBJECT

 public:
  explicit TAnimationTab(QWidget* parent = nullptr);
};

}  // namespace tessaly::shell
