#pragma once
// What the shape, picture and text tabs share: their numeric fields, each
// with a caption label, arrows in the field's range, and two signals for
// what the user did with it.

#include <QWidget>

#include <map>

#include "shell/core/ItemFields.h"

class QGridLayout;
class QLabel;

namespace tessaly::shell {

class TNumberField;

class TItemTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit TItemTabPage(QWidget* parent = nullptr);

  TNumberField* Field(TItemField field) const { return fields_.at(field); }

 signals:
  // An arrow moved the field to value.
  void FieldStepped(TItemField field, int value);
  // The user left the field showing text.
  void FieldLeft(TItemField field, const QString& text);

 protected:
  // A field with its caption label (the field's buddy and accessible name),
  // the label at row and column of grid and the field beside it.
  void AddField(QGridLayout* grid, int row, int column, TItemField field, const QString& caption);
  QLabel* LabelOf(TItemField field) const { return labels_.at(field); }
  void ShowField(TItemField field, int value);

 private:
  std::map<TItemField, TNumberField*> fields_;
  std::map<TItemField, QLabel*> labels_;
};

}  // namespace tessaly::shell
