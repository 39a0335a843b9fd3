#pragma once
// A text field with up/down arrows for a whole number. The arrows step by 1
// within their range and report the new value at once; the text itself may
// hold anything the user types, and is reported when the user leaves the
// field, for the caller to judge.

#include <QAbstractSpinBox>

namespace tessaly::shell {

class TNumberField : public QAbstractSpinBox {
  Q_OBJECT
  // What accessibility tools read as the field's value.
  Q_PROPERTY(int value READ Value)

 public:
  explicit TNumberField(QWidget* parent = nullptr);

  void SetArrowRange(int minimum, int maximum);
  // Shows value (without reporting it).
  void SetValue(int value);
  // The number the text holds, or the last value shown when it holds none.
  int Value() const;

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  void Stepped(int value);
  void Left(const QString& text);

 protected:
  StepEnabled stepEnabled() const override;

 private:
  void ReportLeaving();

  int minimum_ = 0;
  int maximum_ = 100;
  int value_ = 0;
  bool reporting_ = false;
};

}  // namespace tessaly::shell
