#pragma once
// The codes of the SWF file format, in one place for the writer (swf/) and
// the player (player/): the header layout, tag codes, action codes, Push
// value types, PlaceObject2 flags, fill style types, button state bits and
// conditions, lossless bitmap formats. No Qt, no I/O.

#include <cstdint>
#include <string_view>

namespace tessaly::swf {

// ---- file header ----
// "FWS" or "CWS", version (1 byte), file length (UI32), then the frame RECT,
// the frame rate (8.8) and the frame count (UI16). In a "CWS" file everything
// from kHeaderRectOffset on is one zlib stream.
inline constexpr std::string_view kSignatureUncompressed = "FWS";
inline constexpr std::string_view kSignatureCompressed = "CWS";
inline constexpr int kHeaderRectOffset = 8;
// A RECT's field width goes into 5 bits, a colour transform's into 4.
inline constexpr unsigned kRectBitsField = 5;
inline constexpr unsigned kColorTransformBitsField = 4;

// ---- tag header ----
// A UI16 of code << 6 | length; a length of 63 means a UI32 length follows.
inline constexpr unsigned kTagCodeShift = 6;
inline constexpr uint16_t kTagShortLengthMask = 0x3F;
inline constexpr uint16_t kTagLongLength = 63;

enum TSWFTagCode : uint16_t {
  tagEnd = 0,
  tagShowFrame = 1,
  tagDefineShape = 2,
  tagPlaceObject = 4,
  tagRemoveObject = 5,
  tagDefineBits = 6,
  tagDefineButton = 7,
  tagJPEGTables = 8,
  tagSetBackgroundColor = 9,
  tagDefineFont = 10,
  tagDefineText = 11,
  tagDoAction = 12,
  tagDefineFontInfo = 13,
  tagDefineButtonSound = 17,
  tagDefineBitsLossless = 20,
  tagDefineBitsJPEG2 = 21,
  tagDefineShape2 = 22,
  tagDefineButtonCxform = 23,
  tagProtect = 24,
  tagPlaceObject2 = 26,
  tagRemoveObject2 = 28,
  tagDefineShape3 = 32,
  tagDefineText2 = 33,
  tagDefineButton2 = 34,
  tagDefineBitsJPEG3 = 35,
  tagDefineBitsLossless2 = 36,
  tagDefineEditText = 37,
  tagDefineSprite = 39,
  tagFrameLabel = 43,
  tagDefineFont2 = 48,
  tagDoInitAction = 59,
  tagDefineVideoStream = 60,
  tagDefineFontInfo2 = 62,
};

// The tag's name for messages ("DefineShape3"); empty for codes not above.
constexpr std::string_view TagName(uint16_t code) {
  switch (code) {
    case tagEnd: return "End";
    case tagShowFrame: return "ShowFrame";
    case tagDefineShape: return "DefineShape";
    case tagPlaceObject: return "PlaceObject";
    case tagRemoveObject: return "RemoveObject";
    case tagDefineBits: return "DefineBits";
    case tagDefineButton: return "DefineButton";
    case tagJPEGTables: return "JPEGTables";
    case tagSetBackgroundColor: return "SetBackgroundColor";
    case tagDefineFont: return "DefineFont";
    case tagDefineText: return "DefineText";
    case tagDoAction: return "DoAction";
    case tagDefineFontInfo: return "DefineFontInfo";
    case tagDefineButtonSound: return "DefineButtonSound";
    case tagDefineBitsLossless: return "DefineBitsLossless";
    case tagDefineBitsJPEG2: return "DefineBitsJPEG2";
    case tagDefineShape2: return "DefineShape2";
    case tagDefineButtonCxform: return "DefineButtonCxform";
    case tagProtect: return "Protect";
    case tagPlaceObject2: return "PlaceObject2";
    case tagRemoveObject2: return "RemoveObject2";
    case tagDefineShape3: return "DefineShape3";
    case tagDefineText2: return "DefineText2";
    case tagDefineButton2: return "DefineButton2";
    case tagDefineBitsJPEG3: return "DefineBitsJPEG3";
    case tagDefineBitsLossless2: return "DefineBitsLossless2";
    case tagDefineEditText: return "DefineEditText";
    case tagDefineSprite: return "DefineSprite";
    case tagFrameLabel: return "FrameLabel";
    case tagDefineFont2: return "DefineFont2";
    case tagDoInitAction: return "DoInitAction";
    case tagDefineVideoStream: return "DefineVideoStream";
    case tagDefineFontInfo2: return "DefineFontInfo2";
    default: return {};
  }
}

// ---- actions ----
// Codes from kActionHasBody on are followed by a UI16 length and the body.
inline constexpr uint8_t kActionHasBody = 0x80;

enum TSWFActionCode : uint8_t {
  acEnd = 0x00,
  acNextFrame = 0x04,
  acPreviousFrame = 0x05,
  acPlay = 0x06,
  acStop = 0x07,
  acToggleQuality = 0x08,
  acStopSounds = 0x09,
  acAdd = 0x0A,
  acSubtract = 0x0B,
  acMultiply = 0x0C,
  acDivide = 0x0D,
  acEquals = 0x0E,
  acLess = 0x0F,
  acAnd = 0x10,
  acOr = 0x11,
  acNot = 0x12,
  acStringEquals = 0x13,
  acStringLength = 0x14,
  acStringExtract = 0x15,
  acPop = 0x17,
  acToInteger = 0x18,
  acGetVariable = 0x1C,
  acSetVariable = 0x1D,
  acSetTarget2 = 0x20,
  acStringAdd = 0x21,
  acGetProperty = 0x22,
  acSetProperty = 0x23,
  acCloneSprite = 0x24,
  acRemoveSprite = 0x25,
  acTrace = 0x26,
  acStartDrag = 0x27,
  acEndDrag = 0x28,
  acStringLess = 0x29,
  acThrow = 0x2A,
  acCastOp = 0x2B,
  acImplementsOp = 0x2C,
  acRandomNumber = 0x30,
  acMBStringLength = 0x31,
  acCharToAscii = 0x32,
  acAsciiToChar = 0x33,
  acGetTime = 0x34,
  acMBStringExtract = 0x35,
  acMBCharToAscii = 0x36,
  acMBAsciiToChar = 0x37,
  acDelete = 0x3A,
  acDelete2 = 0x3B,
  acDefineLocal = 0x3C,
  acCallFunction = 0x3D,
  acReturn = 0x3E,
  acModulo = 0x3F,
  acNewObject = 0x40,
  acDefineLocal2 = 0x41,
  acInitArray = 0x42,
  acInitObject = 0x43,
  acTypeOf = 0x44,
  acTargetPath = 0x45,
  acEnumerate = 0x46,
  acAdd2 = 0x47,
  acLess2 = 0x48,
  acEquals2 = 0x49,
  acToNumber = 0x4A,
  acToString = 0x4B,
  acPushDuplicate = 0x4C,
  acStackSwap = 0x4D,
  acGetMember = 0x4E,
  acSetMember = 0x4F,
  acIncrement = 0x50,
  acDecrement = 0x51,
  acCallMethod = 0x52,
  acNewMethod = 0x53,
  acInstanceOf = 0x54,
  acEnumerate2 = 0x55,
  acBitAnd = 0x60,
  acBitOr = 0x61,
  acBitXor = 0x62,
  acBitLShift = 0x63,
  acBitRShift = 0x64,
  acBitURShift = 0x65,
  acStrictEquals = 0x66,
  acGreater = 0x67,
  acStringGreater = 0x68,
  acExtends = 0x69,
  acGotoFrame = 0x81,
  acGetUrl = 0x83,
  acStoreRegister = 0x87,
  acConstantPool = 0x88,
  acWaitForFrame = 0x8A,
  acSetTarget = 0x8B,
  acGoToLabel = 0x8C,
  acWaitForFrame2 = 0x8D,
  acDefineFunction2 = 0x8E,
  acWith = 0x94,
  acPush = 0x96,
  acJump = 0x99,
  acGetUrl2 = 0x9A,
  acDefineFunction = 0x9B,
  acIf = 0x9D,
  acCall = 0x9E,
  acGotoFrame2 = 0x9F,
};

// Push value types.
enum TSWFPushType : uint8_t {
  ptString = 0,
  ptFloat = 1,
  ptNull = 2,
  ptUndefined = 3,
  ptRegister = 4,
  ptBoolean = 5,
  ptDouble = 6,
  ptInteger = 7,
  ptConstant8 = 8,
  ptConstant16 = 9,
};

// GotoFrame2 flags.
inline constexpr uint8_t kGotoFrame2Play = 0x01;
inline constexpr uint8_t kGotoFrame2SceneBias = 0x02;

// ---- PlaceObject2 ----
// The flags byte, from the most significant bit down.
enum TSWFPlaceFlag : uint8_t {
  pfHasClipActions = 0x80,
  pfHasClipDepth = 0x40,
  pfHasName = 0x20,
  pfHasRatio = 0x10,
  pfHasColorTransform = 0x08,
  pfHasMatrix = 0x04,
  pfHasCharacter = 0x02,
  pfMove = 0x01,
};

// Clip event flags in their 32-bit file layout; below version 6 only the
// upper 16 bits are written.
enum TSWFClipEvent : uint32_t {
  ceKeyUp = 0x80000000,
  ceKeyDown = 0x40000000,
  ceMouseUp = 0x20000000,
  ceMouseDown = 0x10000000,
  ceMouseMove = 0x08000000,
  ceUnload = 0x04000000,
  ceEnterFrame = 0x02000000,
  ceLoad = 0x01000000,
  ceDragOver = 0x00800000,
  ceRollOut = 0x00400000,
  ceRollOver = 0x00200000,
  ceReleaseOutside = 0x00100000,
  ceRelease = 0x00080000,
  cePress = 0x00040000,
  ceInitialize = 0x00020000,
  ceData = 0x00010000,
  ceConstruct = 0x00000400,
  ceKeyPress = 0x00000200,
  ceDragOut = 0x00000100,
};

// ---- shapes ----

enum TSWFFillStyleType : uint8_t {
  fsSolid = 0x00,
  fsLinearGradient = 0x10,
  fsRadialGradient = 0x12,
  fsRepeatingBitmap = 0x40,
  fsClippedBitmap = 0x41,
  fsRepeatingBitmapHard = 0x42,  // without smoothing
  fsClippedBitmapHard = 0x43,
};

inline constexpr bool IsGradientFill(uint8_t type) { return type == fsLinearGradient || type == fsRadialGradient; }
inline constexpr bool IsBitmapFill(uint8_t type) { return type >= fsRepeatingBitmap && type <= fsClippedBitmapHard; }
inline constexpr bool IsRepeatingBitmap(uint8_t type) {
  return type == fsRepeatingBitmap || type == fsRepeatingBitmapHard;
}
inline constexpr bool IsSmoothedBitmap(uint8_t type) {
  return type == fsRepeatingBitmap || type == fsClippedBitmap;
}

// A style array's count byte; this value says a UI16 count follows.
inline constexpr uint8_t kStyleCountExtended = 0xFF;

// ---- buttons ----

// The state bits of a button record, in their file layout (the low four
// bits of the record's first byte); a set of them is a record's States.
enum TSWFButtonState : uint8_t { bsUp = 0x01, bsOver = 0x02, bsDown = 0x04, bsHitTest = 0x08 };
inline constexpr uint8_t kAllButtonStates = bsUp | bsOver | bsDown | bsHitTest;

// Button transitions: a condition set holds 1 << the condition.
enum TSWFButtonCondition : uint8_t {
  bcIdleToOverUp = 0,
  bcOverUpToIdle = 1,
  bcOverUpToOverDown = 2,  // press
  bcOverDownToOverUp = 3,  // release
  bcOutDownToOverDown = 4,
  bcOverDownToOutDown = 5,
  bcOutDownToIdle = 6,
  bcIdleToOverDown = 7,
  bcOverDownToIdle = 8,
};
// The first byte of a BUTTONCONDACTION's conditions, from its most
// significant bit down; the second byte holds the key code in 7 bits, then
// bcOverDownToIdle.
inline constexpr TSWFButtonCondition kCondActionFirstByte[8] = {
    bcIdleToOverDown,   bcOutDownToIdle,    bcOutDownToOverDown, bcOverDownToOutDown,
    bcOverDownToOverUp, bcOverUpToOverDown, bcOverUpToIdle,      bcIdleToOverUp,
};

// ---- bitmaps ----

enum TSWFBitmapFormat : uint8_t {
  bfColorMapped8 = 3,  // colour table, one index byte per pixel
  bfRGB15 = 4,
  bfRGB24 = 5,  // 32 bits a pixel in the file
};

}  // namespace tessaly::swf
