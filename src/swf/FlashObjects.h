#pragma once
// The movie: an ordered list of tags and movie-level objects written as one
// SWF file, and the movie-level objects callers build it from (shapes and
// their edge builder, sprites, buttons, placements, action lists, embedded
// fonts and static texts).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/FontReader.h"
#include "swf/SWFObjects.h"
#include "swf/ImageReader.h"
#include "swf/SWFStreams.h"

namespace tessaly::swf {

class TFlashMovie;
class TFlashFont;
class TFlashImage;
class TFlashText;

// How a bitmap fill lies on its shape.
enum TImageFillMode : uint8_t {
  fmClipped = 0,    // clipped, scaled by the given factors
  fmFit = 1,        // clipped and stretched over the shape's bounds with a slight overlap
  fmRepeating = 2,  // repeating, scaled by the given factors
};

// The edges of a star: straight through the inner points, or curves with
// the inner points as controls.
enum TStarEdges : uint8_t { seStraight, seCurved };

// A size in the movie's units (pixels in a pixel movie) or in twips.
enum TSizeUnits : uint8_t { suMovieUnits, suTwips };

// A font whose outlines go into the movie, or a device font, whose
// outlines are left out unless a static text uses it.
enum TFontOutlines : uint8_t { foEmbedded, foDeviceFont };

// A button's definition: DefineButton2 (or a plain DefineButton) and
// whether it tracks as a menu.
struct TButtonOptions {
  bool TrackAsMenu = false;
  bool UseButton2 = true;
};
struct TFontDescription;

// Any movie-level object; it writes the tags it stands for.
class TFlashObject : public TBasedSWFObject {
 public:
  explicit TFlashObject(TFlashMovie* owner = nullptr) : owner_(owner) {}

  bool IsMovieObject() const override { return true; }
  TFlashMovie* Owner() const { return owner_; }
  // Sets the owner, then runs OwnerChanged.
  void SetOwner(TFlashMovie* owner);
  virtual void OwnerChanged() {}
  // The character ID the object defines or places; 0 for objects without
  // one.
  virtual uint16_t CharacterID() const { return 0; }
  // Factor applied to the coordinates callers give: the owner's
  // UnitsFactor, 1 without owner.
  virtual uint8_t UnitsFactor() const;
  // Handed the highest SWF version needed so far just before the object is
  // written; placements pass it on to their PlaceObject2.
  virtual void SetSWFVersion(uint8_t) {}

 private:
  TFlashMovie* owner_;
};

// An object that owns a character ID.
class TFlashIDObject : public TFlashObject {
 public:
  using TFlashObject::TFlashObject;

  uint16_t CharacterID() const override { return characterID_; }
  virtual void SetCharacterID(uint16_t id) { characterID_ = id; }

 private:
  uint16_t characterID_ = 0;
};

// A character that can be placed: shape, sprite, text, button.
class TFlashVisualObject : public TFlashIDObject {
 public:
  using TFlashIDObject::TFlashIDObject;

  // When set, the object's coordinates are twips whatever the movie's
  // units.
  bool IgnoreMovieUnits() const { return ignoreMovieUnits_; }
  // Runs OwnerChanged, since the factor the object's parts use changes.
  void SetIgnoreMovieUnits(bool ignore);
  uint8_t UnitsFactor() const override;

 private:
  bool ignoreMovieUnits_ = false;
};

// An action list written as a DoAction tag. It either owns the list it made
// or is a view on a list held elsewhere (a button's condition action).
class TFlashActionScript : public TFlashObject {
 public:
  explicit TFlashActionScript(TFlashMovie* owner, TSWFActionList* list = nullptr);

  TSWFActionList& Actions() { return *list_; }
  const TSWFActionList& Actions() const { return *list_; }
  bool OwnsList() const { return ownList_ != nullptr; }
  // Points the view at another list (not owned).
  void SetActionList(TSWFActionList* list);

  void GetUrl(const std::string& url, const std::string& target);
  void Stop();
  void StartDrag();
  void EndDrag();
  // Merged into the last action when that is a Push.
  void Push(const TFlashVar& value);
  void Push(const char* value) { Push(TFlashVar(std::string(value))); }
  // Push of the name (merged as above), then GetVariable.
  void GetVariable(const std::string& name);
  // A new Push of the name and the value, then SetVariable.
  void SetVariable(const std::string& name, const TFlashVar& value);
  void SetVariable(const std::string& name, const char* value) { SetVariable(name, TFlashVar(std::string(value))); }

  // Largest MinVersion of the actions, at least 1.
  uint8_t MinVersion() const override { return list_->MinVersion(); }
  void WriteToStream(TBitsEngine& be) override;

 private:
  std::unique_ptr<TSWFActionList> ownList_;
  TSWFActionList* list_;
};

// A placement of a character at a depth: one PlaceObject2 tag.
class TFlashPlaceObject : public TFlashObject {
 public:
  // Obj may be null: the placement then only changes what stands at Depth.
  TFlashPlaceObject(TFlashMovie* owner, const TFlashObject* obj, uint16_t depth);

  const TFlashObject* PlacedObject() const { return placed_; }
  TSWFPlaceObject2& PlaceObject2() { return place_; }
  const TSWFPlaceObject2& PlaceObject2() const { return place_; }
  uint16_t CharacterID() const override { return place_.CharacterId(); }
  uint16_t Depth() const { return place_.Depth(); }

  // Translation in movie units. Does nothing for (0, 0) unless the
  // placement already has a matrix or moves.
  void SetTranslate(int32_t x, int32_t y);
  void SetScale(double scaleX, double scaleY);
  // Degrees, composed with the scale already set.
  void SetRotate(double angle);
  // Created with alpha on first use.
  TSWFColorTransform& ColorTransform() { return place_.ColorTransform(); }
  void SetName(std::string name) { place_.SetName(std::move(name)); }
  void SetRatio(uint16_t ratio) { place_.SetRatio(ratio); }
  void SetMove(bool move) { place_.SetMove(move); }

  // 3; 5 when the placement carries clip actions.
  uint8_t MinVersion() const override;
  void SetSWFVersion(uint8_t version) override { place_.SetSWFVersion(version); }
  void WriteToStream(TBitsEngine& be) override { place_.WriteToStream(be); }

 private:
  const TFlashObject* placed_;
  TSWFPlaceObject2 place_;
};

// Builds the records of a shape or glyph outline: moves, straight edges
// (split so that no record exceeds 65,535 twips per axis) and quadratic
// curves, keeping the pen position. Coordinates are movie units, multiplied
// by the owner's UnitsFactor, unless Absolute is set (or there is no owner);
// the Make* path builders always take twips.
class TFlashEdges {
 public:
  // Appends the first style-change record (with the FillStyle1 flag set) to
  // Records, which it does not own.
  explicit TFlashEdges(TSWFShapeRecords& records, TFlashMovie* owner = nullptr);

  TSWFShapeRecords& Records() { return records_; }
  TFlashMovie* Owner() const { return owner_; }
  void SetOwner(TFlashMovie* owner) { owner_ = owner; }
  bool Absolute() const { return absolute_; }
  void SetAbsolute(bool absolute) { absolute_ = absolute; }
  // Pen position in twips.
  int32_t PenX() const { return penX_; }
  int32_t PenY() const { return penY_; }

  // The last record when it is a style change, else a new one appended.
  TSWFStyleChangeRecord& CurrentStyleChange();

  // Skipped when the point is where the pen stands and nothing but the
  // first record has been written.
  void MoveTo(int32_t x, int32_t y);
  void MoveDelta(int32_t dx, int32_t dy);
  void LineTo(int32_t x, int32_t y);
  void LineDelta(int32_t dx, int32_t dy);
  // Absolute control and anchor points; nothing when the anchor is the pen.
  void CurveTo(int32_t controlX, int32_t controlY, int32_t anchorX, int32_t anchorY);
  // Control relative to the pen, anchor relative to the control point. A
  // curve that is in fact straight becomes a straight edge.
  void CurveDelta(int32_t controlDX, int32_t controlDY, int32_t anchorDX, int32_t anchorDY);
  // Straight edge back to where the current sub-path started.
  void CloseShape();
  void EndShape();
  // Negates X and/or Y of every move and edge written so far.
  void Mirror(bool mirrorX, bool mirrorY);

  // Path builders, in twips. An ellipse or rounded rectangle of W x H
  // starts from the pen at the top-left corner of its box and runs
  // clockwise from the middle of the right side.
  void MakeEllipse(int32_t w, int32_t h);
  void MakeRoundRect(int32_t w, int32_t h, int32_t radius);
  // A pie from the pen at the centre: radius, arc from StartAngle to
  // EndAngle (degrees, clockwise on screen), radius back.
  void MakeArc(int32_t radiusX, int32_t radiusY, float startAngle, float endAngle);
  // A star of Points (2..360) points around (X, Y), first point at the top.
  void MakeStar(int32_t x, int32_t y, int32_t outerRadius, int32_t innerRadius, uint16_t points, TStarEdges edges);

 private:
  int64_t Factor() const;
  void MoveToTwips(int64_t x, int64_t y);
  void LineDeltaTwips(int64_t dx, int64_t dy);
  void CurveDeltaTwips(int64_t controlDX, int64_t controlDY, int64_t anchorDX, int64_t anchorDY);
  void CurveToTwips(int64_t controlX, int64_t controlY, int64_t anchorX, int64_t anchorY);
  // Curve I (0..7) of an ellipse of W x H, each spanning 45 degrees.
  void EllipseCurve(int i, int32_t w, int32_t h);

  TSWFShapeRecords& records_;
  TFlashMovie* owner_;
  bool absolute_ = false;
  int32_t penX_ = 0;
  int32_t penY_ = 0;
  int32_t lastMoveX_ = 0;
  int32_t lastMoveY_ = 0;
};

// A shape character: bounds, fill and line styles and the path its edge
// builder draws. Written as DefineShape2, or DefineShape3 as soon as any
// colour given to it has alpha below 255.
class TFlashShape : public TFlashVisualObject {
 public:
  explicit TFlashShape(TFlashMovie* owner = nullptr);

  TSWFDefineShape3& Definition() { return definition_; }
  TFlashEdges& Edges() { return edges_; }
  const TSWFRect& Bounds() const { return bounds_; }
  // Movie units.
  void SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Of Bounds.
  int32_t Width(TSizeUnits units = suMovieUnits) const;
  int32_t Height(TSizeUnits units = suMovieUnits) const;
  bool HasAlpha() const { return hasAlpha_; }

  // Appends the style and selects it (1-based) as FillStyle1 / LineStyle.
  TSWFFillStyle* AddFillStyle(std::unique_ptr<TSWFFillStyle> style);
  // Null: a new default line style.
  TSWFLineStyle* AddLineStyle(std::unique_ptr<TSWFLineStyle> style = nullptr);
  // Store the index in the first style-change record and set its flag.
  void SelectFillStyle0(uint16_t index);
  void SelectFillStyle1(uint16_t index);
  void SelectLineStyle(uint16_t index);
  uint16_t FillStyle0() const { return fillStyle0_; }
  uint16_t FillStyle1() const { return fillStyle1_; }
  uint16_t LineStyle() const { return lineStyle_; }

  void SetSolidColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  // RGBA value.
  void SetSolidFill(uint32_t color);
  // Colours as RGBA values, angle in degrees: 0 runs left to right, 90
  // bottom to top, 270 top to bottom, the first colour at the start.
  void SetLinearGradient(uint32_t color1, uint32_t color2, float angle);
  void SetLinearGradientN(const std::vector<uint32_t>& colors, float angle);
  // The gradient circle fills the box, centred at the given percentages of
  // its width and height.
  void SetRadialGradient(uint32_t color1, uint32_t color2, int32_t centerXPercent, int32_t centerYPercent);
  void SetRadialGradientN(const std::vector<uint32_t>& colors, int32_t centerXPercent, int32_t centerYPercent);
  // A solid line Width movie units wide.
  void SetLineStyle(int32_t width, uint32_t color);
  // A bitmap fill of Image, its matrix translated to the top-left corner
  // of Bounds less 5 twips; ScaleX and ScaleY (pixels) serve fmClipped and
  // fmRepeating. The image is moved in front of the shape in the movie's
  // ObjectList when it stands behind it.
  void SetImageFill(const TFlashImage& image, TImageFillMode mode, double scaleX = 1, double scaleY = 1);

  // 2, or 3 with alpha.
  uint8_t MinVersion() const override { return hasAlpha_ ? 3 : 2; }
  void SetCharacterID(uint16_t id) override;
  void OwnerChanged() override;
  // The tag's bounds are Bounds widened by half the widest line.
  void WriteToStream(TBitsEngine& be) override;

 private:
  void NoteAlpha(uint32_t color);
  std::unique_ptr<TSWFGradientFill> MakeGradient(TSWFFillStyleType type, const std::vector<uint32_t>& colors);
  TSWFStyleChangeRecord* FirstStyleChange();

  TSWFDefineShape3 definition_;
  TSWFRect bounds_;
  TFlashEdges edges_;
  uint16_t fillStyle0_ = 0;
  uint16_t fillStyle1_ = 0;
  uint16_t lineStyle_ = 0;
  bool hasAlpha_ = false;
};

// A sprite (movie clip): its own timeline of placements and frames.
class TFlashSprite : public TFlashVisualObject {
 public:
  explicit TFlashSprite(TFlashMovie* owner = nullptr) : TFlashVisualObject(owner) {}

  TSWFDefineSprite& Definition() { return definition_; }
  std::vector<std::unique_ptr<TBasedSWFObject>>& ControlTags() { return definition_.ControlTags(); }
  uint16_t FrameCount() const { return definition_.FrameCount; }
  // Index of the frame closed last, -1 before any.
  int CurrentFrame() const { return currentFrame_; }
  void SetFrameLabel(std::string label) { frameLabel_ = std::move(label); }

  // Places Obj in the sprite; a definition that stands after the sprite in
  // the movie's ObjectList is moved in front of it.
  TFlashPlaceObject* PlaceObject(const TFlashVisualObject* obj, uint16_t depth);
  // RemoveObject of Obj's character when Obj is given, else RemoveObject2.
  void RemoveObject(uint16_t depth, const TFlashObject* obj = nullptr);
  // Closes Count frames (0 counts as 1), after the pending label.
  void ShowFrame(uint16_t count = 1);

  // Created on first use; written as DoInitAction after the sprite.
  TFlashActionScript& InitActions();
  bool HasInitActions() const { return initActions_ != nullptr; }

  // The largest MinVersion of its tags, at least 3.
  uint8_t MinVersion() const override;
  void SetCharacterID(uint16_t id) override;
  // A sprite without frames gets one first.
  void WriteToStream(TBitsEngine& be) override;

 private:
  TSWFDefineSprite definition_;
  std::string frameLabel_;
  std::unique_ptr<TFlashActionScript> initActions_;
  int currentFrame_ = -1;
};

// A button character: DefineButton2 (records with colour transforms and
// actions per transition) or a plain DefineButton with one action list.
class TFlashButton : public TFlashVisualObject {
 public:
  TFlashButton(TFlashMovie* owner, TButtonOptions options);

  bool UseButton2() const { return button2_ != nullptr; }
  // Only one of the two exists, as UseButton2 says.
  TSWFDefineButton2* Button2() { return button2_.get(); }
  TSWFDefineButton* Button() { return button_.get(); }

  // States: bsUp | bsOver | bsDown | bsHitTest (15 = all four).
  TSWFButtonRecord& AddRecord(const TFlashObject& obj, uint8_t states, uint16_t depth);
  TSWFButtonRecord& AddRecordByID(uint16_t characterID, uint8_t states, uint16_t depth);

  // The button's one action view, pointed at the list of the mouse press
  // (over-up to over-down) or release (over-down to over-up) transition.
  TFlashActionScript& OnPress() { return FindActionEvent(bcOverUpToOverDown); }
  TFlashActionScript& OnRelease() { return FindActionEvent(bcOverDownToOverUp); }
  // The first condition action holding the transition, created when there
  // is none. A plain button has only its own list.
  TFlashActionScript& FindActionEvent(TSWFButtonCondition condition);

  // 1; 3 for DefineButton2.
  uint8_t MinVersion() const override { return button2_ ? 3 : 1; }
  void SetCharacterID(uint16_t id) override;
  void WriteToStream(TBitsEngine& be) override;

 private:
  std::unique_ptr<TSWFDefineButton2> button2_;
  std::unique_ptr<TSWFDefineButton> button_;
  TFlashActionScript actions_;
};

// ---- images ----

// A bitmap character. A JPEG file is kept as its bytes and written as
// DefineBitsJPEG2, or DefineBitsJPEG3 with a uniform alpha mask. A BMP file
// or a bitmap goes through the BMP reader and is written as
// DefineBitsLossless, or DefineBitsLossless2 when it carries alpha; its
// compressed pixel data is built once, when the movie is first written.
class TFlashImage : public TFlashIDObject {
 public:
  explicit TFlashImage(TFlashMovie* owner = nullptr) : TFlashIDObject(owner) {}

  // By the upper-cased extension: "JPG" and "JPEG" keep the file's bytes and
  // the size of its baseline frame (0 x 0 for a progressive file unless
  // ConvertProgressive); "BMP" loads the file through the BMP reader; any
  // other extension leaves the image empty, without error. File errors
  // throw platform::TFileError, pictures the reader refuses
  // platform::TImageError.
  void LoadDataFromFile(const std::string& fileName);
  // Takes the pixels of a bitmap (a GIF frame, say).
  void LoadFromHandle(const platform::TBitmap& bitmap);
  // Colour-mapped pictures only: every palette entry of Color's red, green
  // and blue gets Color's alpha (an RGBA value), and red, green and blue 0
  // when that alpha is 0; the picture then has alpha.
  void SetTransparentColor(uint32_t color);
  // JPEG pictures only: a mask of Width x Height bytes of Alpha.
  void FillAlpha(uint8_t alpha);

  bool IsJPEG() const { return isJPEG_; }
  uint16_t Width() const { return width_; }
  uint16_t Height() const { return height_; }
  // 3 colour-mapped, 4 15-bit, 5 24-bit, 1 32-bit with alpha (written as
  // 5); 0 while nothing is loaded.
  uint8_t BitmapFormat() const { return bitmapFormat_; }
  // Pixels per row of the lossless data.
  uint16_t RowWidth() const { return rowWidth_; }
  // Colour-table entries of a colour-mapped picture.
  uint32_t ColorCount() const { return colorCount_; }
  bool HasAlpha() const { return hasAlpha_; }
  // The tag body's data: the JPEG bytes, or the compressed lossless data
  // once built.
  const std::vector<uint8_t>& ImageData() const { return imageData_; }
  // JPEG only: one alpha byte per pixel.
  const std::vector<uint8_t>& AlphaData() const { return alphaData_; }
  TBMPReader& BMPReader() { return reader_; }
  const TBMPReader& BMPReader() const { return reader_; }

  // Re-encode a JPEG without a baseline frame as a baseline JPEG when it is
  // loaded.
  bool ConvertProgressive = false;

  // 3 with alpha (a 32-bit or transparent-colour picture, or a JPEG with an
  // alpha mask), else 2.
  uint8_t MinVersion() const override;
  void WriteToStream(TBitsEngine& be) override;

 private:
  void Clear();
  void LoadJPEG(const std::string& fileName);
  void Analyse();
  std::vector<uint8_t> LosslessPixels() const;
  void WriteJPEG(TBitsEngine& be);
  void WriteLossless(TBitsEngine& be);

  bool isJPEG_ = false;
  uint16_t width_ = 0;
  uint16_t height_ = 0;
  uint8_t bitmapFormat_ = 0;
  uint16_t rowWidth_ = 0;
  uint32_t colorCount_ = 0;
  bool hasAlpha_ = false;
  std::vector<uint8_t> imageData_;
  std::vector<uint8_t> alphaData_;
  TBMPReader reader_;
};

// For a file whose upper-cased extension is ".GIF": decodes it and loads its
// frame 0 (or, without frames, its composed picture) into Image, then makes
// its transparent colour transparent. Other files are left alone. Decoding
// errors throw (platform::TFileError, platform::TImageError).
void LoadGifIntoImage(TFlashImage& image, const std::string& fileName);

// Typed lists of the movie's characters; they do not own them.
template <class T>
using TFlashObjectList = std::vector<T*>;
using TFlashButtonList = TFlashObjectList<TFlashButton>;
using TFlashFontList = TFlashObjectList<TFlashFont>;
using TFlashImageList = TFlashObjectList<TFlashImage>;
using TFlashShapeList = TFlashObjectList<TFlashShape>;
using TFlashSpriteList = TFlashObjectList<TFlashSprite>;
using TFlashTextList = TFlashObjectList<TFlashText>;

class TFlashMovie : public TBasedSWFStream {
 public:
  using TObjectList = std::vector<std::unique_ptr<TBasedSWFObject>>;

  // The rectangle is in caller units (pixels with PixelUnits); it is stored
  // in twips.
  TFlashMovie(int32_t xmin, int32_t ymin, int32_t xmax, int32_t ymax, double frameRate, TMovieUnits units = muTwips);

  // Appends Obj to ObjectList; InsertIndex becomes its index.
  template <class T>
  T* AddFlashObject(std::unique_ptr<T> obj) {
    T* p = obj.get();
    objectList_.push_back(std::move(obj));
    insertIndex_ = static_cast<int>(objectList_.size()) - 1;
    return p;
  }
  TObjectList& ObjectList() { return objectList_; }
  const TObjectList& ObjectList() const { return objectList_; }
  // Index of the object added last by AddFlashObject, -1 before any.
  int InsertIndex() const { return insertIndex_; }
  // Index of Obj in ObjectList, -1 when it is not there.
  int IndexOf(const TBasedSWFObject* obj) const;
  // Moves Obj to User's place (User and what follows shift back one) when
  // both are in ObjectList and Obj comes after User, so that a definition
  // is written before the character that uses it.
  void MoveInFront(const TBasedSWFObject* obj, const TBasedSWFObject* user);

  // The ID the next character gets; starts at 1.
  uint16_t NextCharacterID() const { return nextCharacterID_; }
  void SetNextCharacterID(uint16_t id) { nextCharacterID_ = id; }
  // Gives Obj the next character ID, appends it to ObjectList and to List,
  // then advances the ID.
  template <class T>
  T* RegisterCharacter(std::unique_ptr<T> obj, TFlashObjectList<T>& list) {
    obj->SetCharacterID(nextCharacterID_);
    T* p = AddFlashObject(std::move(obj));
    list.push_back(p);
    ++nextCharacterID_;
    return p;
  }

  TFlashButtonList& Buttons() { return buttons_; }
  TFlashFontList& Fonts() { return fonts_; }
  TFlashImageList& Images() { return images_; }
  TFlashShapeList& Shapes() { return shapes_; }
  TFlashSpriteList& Sprites() { return sprites_; }
  TFlashTextList& Texts() { return texts_; }

  // Registers Shape (owned by the movie from now on), or a new empty shape
  // when it is null.
  TFlashShape* AddShape(std::unique_ptr<TFlashShape> shape = nullptr);
  TFlashSprite* AddSprite();
  TFlashButton* AddButton(TButtonOptions options = {});
  // Registers a new image; a non-empty file name is loaded at once with
  // LoadDataFromFile.
  TFlashImage* AddImage(const std::string& fileName = "");

  // Shape makers. Arguments are movie units; each shape gets the box as its
  // bounds and a closed path.
  TFlashShape* AddRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
  TFlashShape* AddRoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t radius);
  TFlashShape* AddEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  TFlashShape* AddCircle(int32_t x, int32_t y, int32_t radius);
  TFlashShape* AddDiamond(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Angles in degrees, clockwise on screen from the right.
  TFlashShape* AddPie(int32_t x, int32_t y, int32_t radius, float startAngle, float endAngle);
  TFlashShape* AddEllipticPie(int32_t x, int32_t y, int32_t radiusX, int32_t radiusY, float startAngle,
                              float endAngle);
  // Two circles around (X, Y); the smaller one is the hole.
  TFlashShape* AddRing(int32_t x, int32_t y, int32_t radius1, int32_t radius2);
  // Points is clamped to 2..360; with equal radii a polygon of 2 x Points
  // corners.
  TFlashShape* AddStar(int32_t x, int32_t y, int32_t outerRadius, int32_t innerRadius, uint16_t points,
                       TStarEdges edges);

  // A font of the face, bold and italic of the description at |Height|
  // movie units, registered as a character.
  TFlashFont* AddFont(const TFontDescription& description, TFontOutlines outlines);
  // A static text at the origin (movie units) in the font, sized to its
  // text; Align is a TTextAlign.
  TFlashText* AddText(std::u16string_view text, uint32_t color, TFlashFont* font, int32_t x, int32_t y,
                      uint8_t align);

  // Places Obj (may be null) at Depth on the main timeline.
  TFlashPlaceObject* PlaceObject(const TFlashVisualObject* obj, uint16_t depth);

  // The actions of the frame being built; created on first use and handed
  // to ObjectList by ShowFrame.
  TFlashActionScript& FrameActions();
  bool HasFrameActions() const { return frameActions_ != nullptr; }
  // The label given to the frame being built (written by ShowFrame).
  void SetFrameLabel(std::string label) { frameLabel_ = std::move(label); }
  const std::string& FrameLabel() const { return frameLabel_; }

  // Created on first use; from then on the movie starts with a
  // SetBackgroundColor tag.
  TSWFRGB& SWFBackgroundColor();
  bool HasBackgroundColor() const { return backgroundColor_ != nullptr; }

  // Closes the frame being built: its label, its actions, then Count
  // ShowFrame tags (0 counts as 1).
  void ShowFrame(uint16_t count = 1);
  // Index of the frame closed last, -1 before any.
  int CurrentFrame() const { return currentFrame_; }

  // Turns ObjectList into the tag stream, ends it with End, counts the
  // frames and raises the version to what the objects need.
  void WriteObjects() override;

 private:
  // A new shape with the box (movie units) as bounds, its edge builder set
  // to twips for the maker's path.
  TFlashShape* BeginShape(int32_t left, int32_t top, int32_t right, int32_t bottom);
  TFlashShape* EndShape(TFlashShape* shape);

  TObjectList objectList_;
  uint16_t nextCharacterID_ = 1;
  int insertIndex_ = -1;
  TFlashButtonList buttons_;
  TFlashFontList fonts_;
  TFlashImageList images_;
  TFlashShapeList shapes_;
  TFlashSpriteList sprites_;
  TFlashTextList texts_;
  std::unique_ptr<TSWFRGB> backgroundColor_;
  std::unique_ptr<TFlashActionScript> frameActions_;
  std::string frameLabel_;
  int currentFrame_ = -1;
};

// ---- fonts and static texts ----

// A system font as callers describe it. Only the face, bold, italic and the
// charset reach the movie; the font's size is |Height| (movie units).
struct TFontDescription {
  std::string Name;  // face name, UTF-8
  int32_t Height = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t Charset = platform::kDefaultCharset;
};

enum TFontEncoding : uint8_t { feANSI = 0, feShiftJIS = 1, feUnicode = 2 };

// Bits of TFlashFont::UsedBy.
enum TFontUsage : uint8_t { fuStaticText = 1, fuEditText = 2 };

enum TTextAlign : uint8_t { taLeft = 0, taRight = 1, taCenter = 2, taJustify = 3 };

// One glyph of an embedded font: its code, outline (edge records in em-1024
// units, Y down) and advance.
class TFlashChar {
 public:
  // WideCode is the code itself for a wide character or a code above 255,
  // else the code-page byte converted to UTF-16.
  TFlashChar(uint16_t code, bool wide);
  TFlashChar(const TFlashChar&) = delete;
  TFlashChar& operator=(const TFlashChar&) = delete;

  uint16_t Code() const { return code_; }
  uint16_t WideCode() const { return wideCode_; }
  bool Wide() const { return wide_; }
  TSWFShapeRecords& ShapeRecords() { return records_; }
  TFlashEdges& Edges() { return edges_; }

  int32_t Advance = 0;  // em-1024 units
  bool Used = true;
  bool Loaded = false;  // outline and advance read

 private:
  uint16_t code_;
  uint16_t wideCode_;
  bool wide_;
  TSWFShapeRecords records_;
  TFlashEdges edges_;
};

// An embedded font, written as DefineFont2. Glyphs are collected with
// AddChar and read from the installed fonts (at an em of 1024) when the
// font or a text using it is written.
class TFlashFont : public TFlashIDObject {
 public:
  using TChars = std::vector<std::unique_ptr<TFlashChar>>;

  TFlashFont(TFlashMovie* owner, std::string fontName, bool bold, bool italic, uint16_t size, TFontOutlines outlines);

  // Size := size x UnitsFactor (twips).
  void SetSize(uint16_t size);
  bool HasLayout() const { return hasLayout_; }
  // Turning layout on reads the text metrics at once.
  void SetHasLayout(bool value);
  // LanguageCode and Encoding by the Windows charset.
  void SetFontCharset(uint8_t charset);
  // Where glyphs and metrics come from; the system's font source unless set.
  void SetFontSource(platform::FontSource& source) { source_ = &source; }

  // Adds the glyph of Code in ascending order; false when it is there
  // already. A code above 255 makes the font wide and raises the owner
  // movie to version 6.
  bool AddChar(uint16_t code);
  // AddChar for every byte.
  void AddChars(std::string_view ansi);
  // Makes the font wide (when Text is not empty), then AddChar for every
  // UTF-16 unit.
  void AddCharsW(std::u16string_view text);
  // The first glyph of that Code, or null.
  TFlashChar* CharByCode(uint16_t code) const;
  const TChars& Chars() const { return chars_; }
  // The used glyphs in the order they are written: list order with wide
  // codes, else ascending code, so that the code table is ascending and
  // each code stays with its outline. Glyph entries index this order.
  std::vector<TFlashChar*> WrittenChars() const;

  // round(V / 1024 x Size), halves to even: em-1024 units to twips.
  int32_t ScaleValue(int32_t v) const;
  // The text extent at the font's size (twips).
  platform::TextSize TextExtent(std::string_view ansi);
  platform::TextSize TextExtentW(std::u16string_view text);
  bool IsWide() const;
  bool WideCodes() const { return Encoding == feUnicode || IsWide(); }

  // Ascent, Descent and Leading from the installed font.
  void ReadTextMetrics();
  // The metrics, then outline and advance of every used glyph not loaded yet.
  void LoadGlyphs();

  uint8_t MinVersion() const override { return 3; }
  void WriteToStream(TBitsEngine& be) override;

  std::string FontName;  // UTF-8
  bool Bold;
  bool Italic;
  uint16_t Size;  // twips
  bool DeviceFont;
  bool SmallText = false;
  uint8_t Encoding = feANSI;
  uint8_t LanguageCode = 0;
  uint16_t Ascent = 0;
  uint16_t Descent = 0;
  int16_t Leading = 0;  // internal leading
  bool IsWideFlag = false;
  uint8_t UsedBy = 0;  // TFontUsage bits

 private:
  TFontReader Reader();

  bool hasLayout_ = false;
  TChars chars_;
  platform::FontSource* source_ = nullptr;
};

// A static text: one line in one font and colour, written as DefineText
// (opaque colour) or DefineText2, laid out from the font's advances.
class TFlashText : public TFlashVisualObject {
 public:
  explicit TFlashText(TFlashMovie* owner = nullptr);

  TFlashFont* Font() const { return font_; }
  // Marks the font as used by a static text; a text already set adds its
  // characters to it.
  void SetFont(TFlashFont* font);
  const std::u16string& Text() const { return text_; }
  const std::string& TextA() const { return textA_; }
  // Stores the text and its code-page form and adds the characters of both
  // to the font; a step whose value is unchanged is skipped.
  void SetText(std::u16string_view text);
  // An 8-bit text in the system code page.
  void SetTextA(std::string_view ansi);
  // CharSpacing := spacing x UnitsFactor.
  void SetCharSpacing(int32_t spacing);
  // Created (as the identity) on first access.
  TSWFMatrix& Matrix();
  bool HasMatrix() const { return matrix_ != nullptr; }

  // The text bounds in twips: with AutoSize the extent of the text at the
  // font's size (advances plus the spacing between characters) placed at
  // the origin by the alignment, else Box.
  TRect TextBounds();

  uint8_t MinVersion() const override { return 3; }
  void WriteToStream(TBitsEngine& be) override;

  uint32_t Color = 0xFF000000;  // RGBA
  uint8_t Align = taLeft;
  int32_t OriginX = 0;  // twips
  int32_t OriginY = 0;
  int32_t CharSpacing = 0;  // twips
  bool AutoSize = false;
  TRect Box;  // twips; used when AutoSize is off

 private:
  // The codes the glyph entries stand for: the UTF-16 units of Text, or the
  // bytes of TextA when Text is empty.
  std::vector<uint16_t> Codes() const;

  TFlashFont* font_ = nullptr;
  std::u16string text_;
  std::string textA_;
  std::unique_ptr<TSWFMatrix> matrix_;
};

}  // namespace tessaly::swf
