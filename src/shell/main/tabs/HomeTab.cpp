#include "shell/main/tabs/HomeTab.h"

#include <QGridLayout>
#include <QPushButton>

#include "shell/core/UiText.h"

namespace tessaly::shell {

THomeTab::THomeTab(QWidget* parent) : QWidget(parent) {
  auto* layout = new QGridLayout(this);
  const std::pair<const char*, void (THomeTab::*)()> buttons[] = {
      {text::HomeStart, &THomeTab::StartClicked}, {text::HomeNew, &THomeTab::NewClicked},
      {text::HomeOpen, &THomeTab::OpenClicked},   {text::HomeOptions, &THomeTab::OptionsClicked},
      {text::HomeHelp, &THomeTab::HelpClicked},   {text::HomeAbout, &THomeTab::AboutClicked},
      {text::HomeWebSite, &THomeTab::WebSiteClicked},
  };
  int column = 0;
  for (const auto& [caption, signal] : buttons) {
    auto* button = new QPushButton(Ui(caption), this);
    button->setAccessibleName(button->text());
    button->setMinimumWidth(80);
    connect(button, &QPushButton::clicked, this, signal);
    layout->addWidget(button, 0, column++);
  }
  layout->setColumnStretch(column, 1);
  layout->setRowStretch(1, 1);
}

}  // namespace tessaly::shell
