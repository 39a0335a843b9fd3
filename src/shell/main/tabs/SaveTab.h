#pragma once

#include <QWidget>

namespace tessaly::shell {

class TSaveTab : public QWidget {
  Q_OBJECT

 public:
  explicit TSaveTab(QWidget* parent = nullptr);
};

}  // namespace tessaly::shell
