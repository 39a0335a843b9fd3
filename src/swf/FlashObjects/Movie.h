#pragma once
// The movie: its object list, the registration of characters, the shape
// makers, frames and the writing of the objects as tags.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "swf/FlashObjects/Buttons.h"
#include "swf/FlashObjects/Fonts.h"
#include "swf/FlashObjects/Images.h"
#include "swf/FlashObjects/Objects.h"
#include "swf/FlashObjects/Shapes.h"
#include "swf/FlashObjects/Sprites.h"
#include "swf/SWFStreams.h"

namespace tessaly::swf {

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
  // Registers a new image loaded from a picture already read
  // (LoadDataFromPicture).
  TFlashImage* AddImage(const platform::TPicture& picture);

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
  // ShowFrame tags (0 counts as 1); then OnShowFrame.
  void ShowFrame(uint16_t count = 1);
  // Optional: told after each ShowFrame of the main timeline, so that the
  // builder of a long movie can follow its FrameCount.
  using TFrameEvent = std::function<void(TFlashMovie& sender)>;
  TFrameEvent OnShowFrame;
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

}  // namespace tessaly::swf
