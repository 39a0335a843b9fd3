#pragma once
// The home tab ("主页"): start (goes to the size tab), new, open, options,
// help, about and the web site.

#include <QWidget>

namespace tessaly::shell {

class THomeTab : public QWidget {
  Q_OBJECT

 public:
  explicit THomeTab(QWidget* parent = nullptr);

 signals:
  void StartClicked();
  void NewClicked();
  void OpenClicked();
  void OptionsClicked();
  void HelpClicked();
  void AboutClicked();
  void WebSiteClicked();
};

}  // namespace tessaly::shell
