#pragma once

#include <QWidget>

namespace tessaly::shell {

class TSizeTab : public QWidget {
  Q_OBJECT

 public:
  explicit TSizeTab(QWidget* parent = nullptr);
};

}  // namespace tessaly::shell
