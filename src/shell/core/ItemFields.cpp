#include "shell/core/ItemFields.h"

#include <QCoreApplication>

#include <charconv>
#include <string>
#include <limits>

namespace tessaly::shell {
namespace {

using document::ItemKind;

constexpr std::int32_t Unbounded = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t UnboundedBelow = std::numeric_limits<std::int32_t>::min();

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

QString ItemText(std::string_view text) {
  return QCoreApplication::translate(ItemTextsContext, std::string(text).c_str());
}

TFieldRule FieldRule(TItemField field) {
  switch (field) {
    case TItemField::ShapeHeight:
      return {ItemKind::ikShape, 0, 1000, 0, Unbounded, 1, ShapeHeightMessage};
    case TItemField::ShapeWidth:
      return {ItemKind::ikShape, 0, 1000, 0, Unbounded, 1, ShapeWidthMessage};
    case TItemField::ShapeTransparency:
      return {ItemKind::ikShape, 0, 100, 0, 100, 0, TransparencyMessage};
    case TItemField::BorderWidth:
      return {ItemKind::ikShape, 0, 100, 0, Unbounded, 0, BorderWidthMessage};
    case TItemField::Radius:
      return {ItemKind::ikShape, 0, 1000, 0, Unbounded, 0, RadiusMessage};
    case TItemField::InnerRadius:
      return {ItemKind::ikShape, 0, 1000, 0, Unbounded, 0, InnerRadiusMessage};
    case TItemField::OuterRadius:
      return {ItemKind::ikShape, 0, 1000, 0, Unbounded, 0, OuterRadiusMessage};
    case TItemField::NumberOfPoints:
      return {ItemKind::ikShape, 0, 100, 0, Unbounded, 0, PointsMessage};
    case TItemField::StartAngle:
      return {ItemKind::ikShape, 0, 359, 0, 359, 0, StartAngleMessage};
    case TItemField::EndAngle:
      return {ItemKind::ikShape, 0, 359, 0, 359, 0, EndAngleMessage};
    case TItemField::PictureHeight:
      return {ItemKind::ikImage, 0, 1000, UnboundedBelow, Unbounded, UnboundedBelow, {}};
    case TItemField::PictureWidth:
      return {ItemKind::ikImage, 0, 1000, UnboundedBelow, Unbounded, UnboundedBelow, {}};
    case TItemField::PictureTransparency:
      return {ItemKind::ikImage, 0, 100, 0, 100, 0, TransparencyMessage};
    case TItemField::FontSize:
      return {ItemKind::ikText, 6, 120, 6, 120, 6, FontSizeMessage};
    case TItemField::ShadowAltitude:
      return {ItemKind::ikText, 0, 10, 0, 10, 0, ShadowAltitudeMessage};
    case TItemField::CharSpacing:
      // Set with the arrows; a typed value outside their range is dropped.
      return {ItemKind::ikText, -25, 60, -25, 60, -25, {}};
    case TItemField::TextTransparency:
      return {ItemKind::ikText, 0, 100, 0, 100, 0, TransparencyMessage};
  }
  return {};
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

TLeaveVerdict JudgeLeaving(const TFieldRule& rule, std::optional<std::int32_t> value) {
  if (!value) return TLeaveVerdict::lvIgnore;
  if (*value < rule.AcceptMin || *value > rule.AcceptMax)
    return rule.Message.empty() ? TLeaveVerdict::lvIgnore : TLeaveVerdict::lvRefuse;
  return *value >= rule.StoreMin ? TLeaveVerdict::lvStore : TLeaveVerdict::lvIgnore;
}

bool ShapeFieldEnabled(std::int32_t shapeType, TItemField field) {
  using document::TShapeType;
  switch (field) {
    case TItemField::ShapeHeight:
    case TItemField::ShapeWidth:
      return document::IsBoxShape(shapeType);
    case TItemField::Radius:
      return shapeType == document::stRoundRect || shapeType == document::stPie;
    case TItemField::InnerRadius:
    case TItemField::OuterRadius:
      return shapeType == document::stStar || shapeType == document::stRing;
    case TItemField::NumberOfPoints:
      return shapeType == document::stStar;
    case TItemField::StartAngle:
    case TItemField::EndAngle:
      return shapeType == document::stPie;
    default:
      return true;
  }
}

}  // namespace tessaly::shell
