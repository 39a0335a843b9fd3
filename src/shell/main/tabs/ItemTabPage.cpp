#include "shell/main/tabs/ItemTabPage.h"

#include <QGridLayout>
#include <QLabel>

#include "shell/widgets/NumberField.h"

namespace tessaly::shell {

TItemTabPage::TItemTabPage(QWidget* parent) : QWidget(parent) {}

void TItemTabPage::AddField(QGridLayout* grid, int row, int column, TItemField field, const QString& caption) {
  auto* edit = new TNumberField(this);
  const TFieldRule rule = FieldRule(field);
  edit->SetArrowRange(rule.ArrowMin, rule.ArrowMax);
  edit->setAccessibleName(caption);
  auto* label = new QLabel(caption, this);
  label->setBuddy(edit);
  connect(edit, &TNumberField::Stepped, this, [this, field](int value) { emit FieldStepped(field, value); });
  connect(edit, &TNumberField::Left, this, [this, field](const QString& text) { emit FieldLeft(field, text); });
  fields_[field] = edit;
  labels_[field] = label;
  grid->addWidget(label, row, column);
  grid->addWidget(edit, row, column + 1);
}

void TItemTabPage::ShowField(TItemField field, int value) {
  TNumberField* edit = fields_.at(field);
  // A field the user is typing in keeps the text, unless it holds a number
  // that differs from the value.
  if (edit->hasFocus() && edit->Value() == value) return;
  edit->SetValue(value);
}

}  // namespace tessaly::shell
