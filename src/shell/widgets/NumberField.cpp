#include "shell/widgets/NumberField.h"

#include <QLineEdit>

#include <algorithm>

namespace tessaly::shell {

TNumberField::TNumberField(QWidget* parent) : QAbstractSpinBox(parent) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  connect(this, &QAbstractSpinBox::editingFinished, this, &TNumberField::ReportLeaving);
  lineEdit()->setText(QStringLiteral("0"));
  // Room for four digits and a sign beside the arrows.
  setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 28);
}

void TNumberField::SetArrowRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

void TNumberField::SetValue(int value) {
  value_ = value;
  const QString text = QString::number(value);
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

int TNumberField::Value() const {
  bool ok = false;
  const int typed = text().trimmed().toInt(&ok);
  return ok ? typed : value_;
}

void TNumberField::stepBy(int steps) {
  const int value = std::clamp(Value() + steps, minimum_, maximum_);
  SetValue(value);
  emit Stepped(value);
}

QValidator::State TNumberField::validate(QString&, int&) const { return QValidator::Acceptable; }

QAbstractSpinBox::StepEnabled TNumberField::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (Value() < maximum_) enabled |= StepUpEnabled;
  if (Value() > minimum_) enabled |= StepDownEnabled;
  return enabled;
}

void TNumberField::ReportLeaving() {
  // A message shown about the text takes the focus away once more; that is
  // not a second leaving.
  if (reporting_) return;
  reporting_ = true;
  emit Left(text());
  reporting_ = false;
}

}  // namespace tessaly::shell
