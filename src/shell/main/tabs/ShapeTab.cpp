#include "shell/main/tabs/ShapeTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/widgets/ColorButton.h"
#include "shell/widgets/NumberField.h"

namespace tessaly::shell {
namespace {

constexpr TItemField TypeFields[] = {TItemField::ShapeHeight, TItemField::ShapeWidth, TItemField::Radius,
                                     TItemField::InnerRadius, TItemField::OuterRadius, TItemField::NumberOfPoints,
                                     TItemField::StartAngle,  TItemField::EndAngle};

}  // namespace

QStringList GradientStyleNames() {
  return {QObject::tr("左下角"), QObject::tr("右下角"),     QObject::tr("椭圆"),
          QObject::tr("水平"),   QObject::tr("左上角"),     QObject::tr("左上对角线"),
          QObject::tr("右上"),   QObject::tr("右上对角线"), QObject::tr("垂直")};
}

TShapeTab::TShapeTab(QWidget* parent)
    : TItemTabPage(parent),
      types_(new QButtonGroup(this)),
      fills_(new QButtonGroup(this)),
      shapeColor_(new TColorButton(tr("外形颜色"), this)),
      borderColor_(new TColorButton(tr("边缘颜色"), this)),
      gradientStart_(new TColorButton(tr("起始色:"), this)),
      gradientEnd_(new TColorButton(tr("终止色:"), this)),
      gradientStyle_(new QComboBox(this)),
      fillFile_(new QLabel(this)),
      apply_(new QPushButton(tr("应用外形"), this)) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(CreateTypeBox());
  layout->addWidget(CreateSizeBox());
  layout->addWidget(CreateFillBox());
  layout->addStretch();

  connect(shapeColor_, &TColorButton::ColorChosen, this, &TShapeTab::ShapeColorChosen);
  connect(borderColor_, &TColorButton::ColorChosen, this, &TShapeTab::BorderColorChosen);
  connect(gradientStart_, &TColorButton::ColorChosen, this, &TShapeTab::GradientStartChosen);
  connect(gradientEnd_, &TColorButton::ColorChosen, this, &TShapeTab::GradientEndChosen);
  connect(gradientStyle_, &QComboBox::activated, this, &TShapeTab::GradientStyleChosen);
  connect(apply_, &QPushButton::clicked, this, &TShapeTab::ApplyShapeClicked);
  connect(types_, &QButtonGroup::idClicked, this, [this](int type) {
    EnableFieldsOf(type);
    emit ShapeTypeChosen(type);
  });
  connect(fills_, &QButtonGroup::idClicked, this, &TShapeTab::FillTypeChosen);
  ShowValues(TShapeTabValues{});
}

QWidget* TShapeTab::CreateTypeBox() {
  auto* box = new QGroupBox(tr("外形"), this);
  auto* column = new QVBoxLayout(box);
  const QStringList names = {tr("矩形"), tr("圆形"), tr("椭圆形"), tr("菱形"), tr("星形"), tr("半圆"), tr("环形")};
  for (int type = 0; type < names.size(); ++type) {
    auto* button = new QRadioButton(names[type], box);
    types_->addButton(button, type);
    column->addWidget(button);
  }
  column->addWidget(shapeColor_);
  column->addWidget(apply_);
  column->addStretch();
  return box;
}

QWidget* TShapeTab::CreateSizeBox() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  AddField(grid, 0, 0, TItemField::ShapeHeight, tr("高度:"));
  AddField(grid, 1, 0, TItemField::ShapeWidth, tr("宽度:"));
  AddField(grid, 2, 0, TItemField::ShapeTransparency, tr("透明度"));
  AddField(grid, 0, 2, TItemField::Radius, tr("半径"));
  AddField(grid, 1, 2, TItemField::InnerRadius, tr("内径"));
  AddField(grid, 2, 2, TItemField::OuterRadius, tr("外径"));
  AddField(grid, 3, 2, TItemField::NumberOfPoints, tr("结点"));

  auto* edge = new QGroupBox(tr("边缘"), box);
  auto* edgeGrid = new QGridLayout(edge);
  AddField(edgeGrid, 0, 0, TItemField::BorderWidth, tr("宽度:"));
  edgeGrid->addWidget(borderColor_, 1, 0, 1, 2);
  grid->addWidget(edge, 3, 0, 2, 2);

  auto* angle = new QGroupBox(tr("角度"), box);
  auto* angleGrid = new QGridLayout(angle);
  AddField(angleGrid, 0, 0, TItemField::StartAngle, tr("起始"));
  AddField(angleGrid, 1, 0, TItemField::EndAngle, tr("终止"));
  grid->addWidget(angle, 4, 2, 1, 2);
  grid->setRowStretch(5, 1);
  return box;
}

QWidget* TShapeTab::CreateFillBox() {
  auto* box = new QGroupBox(tr("填充"), this);
  auto* grid = new QGridLayout(box);
  const QStringList names = {tr("颜色"), tr("渐变"), tr("图像文件")};
  for (int fill = 0; fill < names.size(); ++fill) {
    auto* check = new QCheckBox(names[fill], box);
    fills_->addButton(check, fill);
    grid->addWidget(check, fill, 0);
  }
  fills_->setExclusive(true);
  auto* file = new QPushButton(tr("文件名(&N):"), box);
  connect(file, &QPushButton::clicked, this, &TShapeTab::FillPictureRequested);
  grid->addWidget(file, 2, 1);
  grid->addWidget(fillFile_, 3, 0, 1, 2);
  grid->addWidget(gradientStart_, 1, 1);
  grid->addWidget(gradientEnd_, 1, 2);
  auto* style = new QLabel(tr("式样"), box);
  style->setBuddy(gradientStyle_);
  gradientStyle_->addItems(GradientStyleNames());
  gradientStyle_->setAccessibleName(style->text());
  grid->addWidget(style, 4, 0);
  grid->addWidget(gradientStyle_, 4, 1, 1, 2);
  grid->setRowStretch(5, 1);
  return box;
}

void TShapeTab::EnableFieldsOf(int shapeType) {
  for (TItemField field : TypeFields) {
    const bool enabled = ShapeFieldEnabled(shapeType, field);
    Field(field)->setEnabled(enabled);
    LabelOf(field)->setEnabled(enabled);
  }
}

void TShapeTab::ShowValues(const TShapeTabValues& values) {
  ShowField(TItemField::ShapeHeight, values.Height);
  ShowField(TItemField::ShapeWidth, values.Width);
  ShowField(TItemField::ShapeTransparency, values.Transparency);
  ShowField(TItemField::BorderWidth, values.BorderWidth);
  ShowField(TItemField::Radius, values.Radius);
  ShowField(TItemField::InnerRadius, values.InnerRadius);
  ShowField(TItemField::OuterRadius, values.OuterRadius);
  ShowField(TItemField::NumberOfPoints, values.NumberOfPoints);
  ShowField(TItemField::StartAngle, values.StartAngle);
  ShowField(TItemField::EndAngle, values.EndAngle);
  if (QAbstractButton* type = types_->button(values.ShapeType)) type->setChecked(true);
  EnableFieldsOf(values.ShapeType);
  shapeColor_->SetColor(values.Color);
  borderColor_->SetColor(values.BorderColor);
  gradientStart_->SetColor(values.GradientStartColor);
  gradientEnd_->SetColor(values.GradientEndColor);
  gradientStyle_->setCurrentIndex(values.GradientStyle);
  if (QAbstractButton* fill = fills_->button(values.FillType)) fill->setChecked(true);
  const QString file = QString::fromStdString(values.FillImage);
  fillFile_->setText(QFileInfo(file).fileName());
  fillFile_->setToolTip(file);
}

}  // namespace tessaly::shell
