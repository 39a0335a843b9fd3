#pragma once

#include <QWidget>

namespace tessaly::shell {

class TBackgroundTab : public QWidget {
  Q_OBJECT

 public:
  explicit TBackgroundTab(QWidget* parent = nullptr);
};

}  // namespace tessaly::shell
