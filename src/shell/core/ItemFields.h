#pragma once
// The numeric fields of the shape, picture and text tabs: the range their
// arrows run in, what a typed value must be when the user leaves the field,
// when it is stored, and the message for a refused value.

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <string_view>

#include "document/BannerDocument.h"

namespace tessaly::shell {

// The translation context of the item tabs' texts.
inline constexpr const char* ItemTextsContext = "ItemTexts";

// A text of the item tabs (marked with QT_TRANSLATE_NOOP in the
// "ItemTexts" context) as the user reads it.
QString ItemText(std::string_view text);

enum class TItemField {
  ShapeHeight,
  ShapeWidth,
  ShapeTransparency,
  BorderWidth,
  Radius,
  InnerRadius,
  OuterRadius,
  NumberOfPoints,
  StartAngle,
  EndAngle,
  PictureHeight,
  PictureWidth,
  PictureTransparency,
  FontSize,
  ShadowAltitude,
  CharSpacing,
  TextTransparency,
};

struct TFieldRule {
  document::ItemKind Kind = document::ItemKind::ikShape;
  std::int32_t ArrowMin = 0;
  std::int32_t ArrowMax = 0;
  // A typed value outside AcceptMin..AcceptMax is refused with Message.
  std::int32_t AcceptMin = 0;
  std::int32_t AcceptMax = 0;
  // An accepted value is stored only from StoreMin up.
  std::int32_t StoreMin = 0;
  // Empty: values outside the range are ignored without a message.
  std::string_view Message;
};

TFieldRule FieldRule(TItemField field);

// The text of a field read as an integer: optional blanks around an optional
// sign and decimal digits within 32 bits; anything else gives nothing.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// What leaving a field with a given text does.
enum class TLeaveVerdict {
  lvIgnore,  // not an integer, or not stored: nothing changes, no message
  lvRefuse,  // show the rule's message and put the focus back
  lvStore,
};
TLeaveVerdict JudgeLeaving(const TFieldRule& rule, std::optional<std::int32_t> value);

// The fields of the shape tab that the shape type uses besides transparency
// and edge width (which every type uses).
bool ShapeFieldEnabled(std::int32_t shapeType, TItemField field);

inline constexpr const char* ShapeHeightMessage = QT_TRANSLATE_NOOP("ItemTexts", "外形的高度值必须大于0.");
inline constexpr const char* ShapeWidthMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "外形的宽度值必须是大于 0 的数.");
inline constexpr const char* TransparencyMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "透明度的值必须在 0 到 100 之间.");
inline constexpr const char* BorderWidthMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "边缘的宽度值必须是比 0 大的数.");
inline constexpr const char* RadiusMessage = QT_TRANSLATE_NOOP("ItemTexts", "半径的值必须大于0.");
inline constexpr const char* InnerRadiusMessage = QT_TRANSLATE_NOOP("ItemTexts", "内径的值必须大于0.");
inline constexpr const char* OuterRadiusMessage = QT_TRANSLATE_NOOP("ItemTexts", "外径的值必须大于0.");
inline constexpr const char* PointsMessage = QT_TRANSLATE_NOOP("ItemTexts", "结点数必须大于0.");
inline constexpr const char* StartAngleMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "起始角的值的大小必须在 0 到 359 之间.");
inline constexpr const char* EndAngleMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "终止角的值的大小必须在 0 到 359 之间.");
inline constexpr const char* FontSizeMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "字体的大小值必须在 6 到 120 之间,请重新设置.");
inline constexpr const char* ShadowAltitudeMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "高度的值必须在 0 到 10 之间.");

}  // namespace tessaly::shell
